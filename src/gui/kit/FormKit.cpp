#include "FormKit.h"

#include <QAbstractSpinBox>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace tkd::gui::kit {

namespace {

const char* const kEnterSubmitsProperty = "tkdEnterSubmits";
const QString kEnterFilterName = QStringLiteral("tkdEnterMovesFocus");

bool isEnterKey(const QKeyEvent* key)
{
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool movesOnEnter(const QWidget* field)
{
    if (qobject_cast<const QLineEdit*>(field))
        return !entersSubmit(field);
    return qobject_cast<const QComboBox*>(field) || qobject_cast<const QAbstractSpinBox*>(field) ||
           qobject_cast<const QCheckBox*>(field) || qobject_cast<const QRadioButton*>(field);
}

// The widget Tab would go to, worked out from the focus chain rather than from the
// application's focus, so it also holds while the window is not active.
QWidget* nextField(QWidget* from, QWidget* window)
{
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (!window->isAncestorOf(w) || w->focusProxy())
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus)
            continue;
        if (w->isEnabled() && w->isVisibleTo(window))
            return w;
    }
    return nullptr;
}

class EnterMovesFocus : public QObject {
public:
    explicit EnterMovesFocus(QWidget* window) : QObject(window), m_window(window)
    {
        setObjectName(kEnterFilterName);
        watch(window);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType())
                watch(static_cast<QWidget*>(child));
            return false;
        }
        if (event->type() != QEvent::KeyPress || !isEnterKey(static_cast<QKeyEvent*>(event)))
            return false;
        auto* field = qobject_cast<QWidget*>(watched);
        // A dialog opened from this window (its child) keeps its own Enter: its default button.
        if (field && field->window() != m_window)
            return false;
        if (auto* button = qobject_cast<QPushButton*>(field)) {
            // Outside a dialog a push button ignores Enter; here it presses it everywhere.
            if (button->isEnabled())
                button->click();
            return true;
        }
        if (!field || !movesOnEnter(field))
            return false;
        if (QWidget* next = nextField(field, m_window))
            next->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    void watch(QWidget* widget)
    {
        widget->installEventFilter(this);
        for (QWidget* child : widget->findChildren<QWidget*>())
            child->installEventFilter(this);
    }

    QWidget* m_window;
};

void restrict(QLineEdit* edit, const QString& pattern)
{
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
}

QString accessibleCaption(const QString& caption)
{
    QString name = caption.trimmed();
    while (name.endsWith(QChar(0xFF1A)) || name.endsWith(QLatin1Char(':')))
        name.chop(1);
    // The caption may carry a mnemonic ampersand; "&&" is a literal one.
    name.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    name.remove(QLatin1Char('&'));
    name.replace(QChar(0x01), QLatin1Char('&'));
    return name.trimmed();
}

} // namespace

void installEnterMovesFocus(QWidget* window)
{
    if (window->findChild<EnterMovesFocus*>(kEnterFilterName, Qt::FindDirectChildrenOnly))
        return;
    new EnterMovesFocus(window);
}

void markEnterSubmits(QLineEdit* edit)
{
    edit->setProperty(kEnterSubmitsProperty, true);
}

bool entersSubmit(const QWidget* field)
{
    return field->property(kEnterSubmitsProperty).toBool();
}

void digitsOnly(QLineEdit* edit)
{
    restrict(edit, QStringLiteral("[0-9]*"));
}

void moneyOnly(QLineEdit* edit)
{
    restrict(edit, QStringLiteral("[0-9]*(\\.[0-9]*)?"));
}

void rateOnly(QLineEdit* edit)
{
    moneyOnly(edit);
}

QLabel* captionFor(QWidget* field, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    if (!field->objectName().isEmpty())
        label->setObjectName(field->objectName() + QStringLiteral("Caption"));
    field->setAccessibleName(accessibleCaption(caption));
    return label;
}

QLabel* addRow(QFormLayout* layout, const QString& caption, QWidget* field)
{
    QLabel* label = captionFor(field, caption, layout->parentWidget());
    layout->addRow(label, field);
    return label;
}

QLabel* addRow(QGridLayout* layout, int row, int column, const QString& caption, QWidget* field, int fieldColumnSpan)
{
    QLabel* label = captionFor(field, caption, layout->parentWidget());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(label, row, column);
    layout->addWidget(field, row, column + 1, 1, fieldColumnSpan);
    return label;
}

DialogButtons addDialogButtons(QDialog* dialog, QBoxLayout* layout, const QString& okText, const char* okName)
{
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* ok = box->addButton(okText, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QString::fromLatin1(okName));
    QPushButton* cancel = box->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    layout->addWidget(box);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return {ok, cancel};
}

QPushButton* pushButton(QWidget* parent, const QString& text, const char* objectName, QBoxLayout* row)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    if (row)
        row->addWidget(button);
    return button;
}

QLineEdit* passwordEdit(const char* objectName, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

} // namespace tkd::gui::kit
