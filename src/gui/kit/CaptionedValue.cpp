#include "CaptionedValue.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace tkd::gui::kit {

namespace {

const char* const kCaptionProperty = "tkdValueCaption";

class CaptionedValueAccessible : public QAccessibleWidget {
public:
    explicit CaptionedValueAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const QLabel*>(object());
        if (t == QAccessible::Name)
            return valueCaption(label) + label->text();
        if (t == QAccessible::Value)
            return label->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className != QLatin1StringView("QLabel"))
        return nullptr;
    auto* label = qobject_cast<QLabel*>(object);
    if (!label || valueCaption(label).isEmpty())
        return nullptr;
    return new CaptionedValueAccessible(label);
}

} // namespace

void captionValue(QLabel* value, const QString& caption)
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
    value->setProperty(kCaptionProperty, caption);
    // The name is built from the caption and the text each time it is read.
    value->setAccessibleName(QString());
}

QString valueCaption(const QLabel* value)
{
    return value->property(kCaptionProperty).toString();
}

} // namespace tkd::gui::kit
