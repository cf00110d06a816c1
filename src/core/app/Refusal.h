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

    static Refusal error(const QString& message, const QString& field = {}, const QStringList& clear = {})
    {
        return {message, Icon::Error, field, clear};
    }
    static Refusal warning(const QString& message, const QString& field = {}, const QStringList& clear = {})
    {
        return {message, Icon::Warning, field, clear};
    }
};

// Empty when the command went through.
using MaybeRefusal = std::optional<Refusal>;

} // namespace tkd
