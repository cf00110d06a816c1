#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tkd {

// What a window shows when a command is refused: the system's message, the icon the
// message belongs with, and the field that gets the focus (empty for none).
struct Refusal {
    enum class Icon { Error, Warning };
    QString message;
    Icon icon = Icon::Error;
    QString field;
    // Fields the window empties before it focuses the field above.
    QStringList clear;
    // The operator cancelled a question the command asked: nothing is written and nothing shown.
    bool cancelled = false;

    static Refusal error(const QString& message, const QString& field = {}, const QStringList& clear = {})
    {
        return {message, Icon::Error, field, clear};
    }
    static Refusal warning(const QString& message, const QString& field = {}, const QStringList& clear = {})
    {
        return {message, Icon::Warning, field, clear};
    }
    static Refusal cancel() { return {{}, Icon::Warning, {}, {}, true}; }
};

// The answer of a rule check that writes nothing (a permission, the eligibility of a visit, typed
// amounts checked before a question): empty when it passes. Commands return Outcome.
using MaybeRefusal = std::optional<Refusal>;

} // namespace tkd
