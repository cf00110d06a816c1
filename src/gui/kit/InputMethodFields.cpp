#include "InputMethodFields.h"

#include "app/InputMethods.h"

#include <QEvent>
#include <QWidget>

namespace tkd::gui {

namespace {
const char* const kFreeTextProperty = "tkdFreeText";
}

void InputMethodFields::markFreeText(QWidget* field)
{
    field->setProperty(kFreeTextProperty, true);
}

bool InputMethodFields::isFreeText(const QWidget* field)
{
    return field->property(kFreeTextProperty).toBool();
}

InputMethodFields::InputMethodFields(QString engine, QObject* parent) : QObject(parent), m_engine(std::move(engine)) {}

int InputMethodFields::applyTo(const QList<QWidget*>& windows)
{
    int found = 0;
    for (QWidget* window : windows) {
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.prepend(window);
        for (QWidget* w : widgets) {
            if (isFreeText(w)) {
                w->installEventFilter(this);
                ++found;
            }
        }
    }
    return found;
}

bool InputMethodFields::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && !m_engine.trimmed().isEmpty()) {
        ++m_switches;
        InputMethods::activate(m_engine);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tkd::gui
