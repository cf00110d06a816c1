#pragma once

#include "app/Refusal.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace tkd::gui::kit {

// A window's fields under the names core refusals use, registered once when the window is built,
// so that every window shows a refused command the same way.
class FieldMap {
public:
    FieldMap& add(const QString& field, QWidget* widget);
    // Null for a name the window did not register.
    QWidget* widget(const QString& field) const;

    // The refusal's message with its icon (nothing for a cancelled command), then the fields it lists
    // emptied, then the focus on its field, the tab page holding that field brought to the front.
    void showRefusal(QWidget* window, const Refusal& refusal) const;

private:
    QHash<QString, QPointer<QWidget>> m_widgets;
};

// Empties a field as the operator would: text cleared, a fixed list left without a choice.
void emptyField(QWidget* field);

} // namespace tkd::gui::kit
