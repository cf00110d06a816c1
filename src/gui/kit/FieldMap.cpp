#include "FieldMap.h"

#include "Messages.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

namespace tkd::gui::kit {
namespace {

// A field on a page not shown cannot take the focus: show every page on the way up.
void bringToFront(QWidget* field)
{
    for (QWidget* child = field; QWidget* parent = child->parentWidget(); child = parent) {
        if (auto* tabs = qobject_cast<QTabWidget*>(parent)) {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i) == field || tabs->widget(i)->isAncestorOf(field))
                    tabs->setCurrentIndex(i);
        } else if (auto* stack = qobject_cast<QStackedWidget*>(parent);
                   stack && !qobject_cast<QTabWidget*>(stack->parentWidget())) {
            stack->setCurrentWidget(child);
        }
    }
}

} // namespace

FieldMap& FieldMap::add(const QString& field, QWidget* widget)
{
    m_widgets.insert(field, widget);
    return *this;
}

QWidget* FieldMap::widget(const QString& field) const
{
    return m_widgets.value(field);
}

void FieldMap::showRefusal(QWidget* window, const Refusal& refusal) const
{
    if (refusal.cancelled)
        return;
    Messages::refusal(window, refusal);
    for (const QString& name : refusal.clear)
        if (QWidget* field = widget(name))
            emptyField(field);
    if (QWidget* field = widget(refusal.field)) {
        bringToFront(field);
        field->setFocus();
    }
}

void emptyField(QWidget* field)
{
    if (auto* line = qobject_cast<QLineEdit*>(field))
        line->clear();
    else if (auto* combo = qobject_cast<QComboBox*>(field))
        combo->isEditable() ? combo->clearEditText() : combo->setCurrentIndex(-1);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        plain->clear();
    else if (auto* rich = qobject_cast<QTextEdit*>(field))
        rich->clear();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
        spin->clear();
}

} // namespace tkd::gui::kit
