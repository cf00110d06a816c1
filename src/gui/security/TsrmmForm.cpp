#include "TsrmmForm.h"

#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "kit/Messages.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {
QLabel* valueLabel(const char* name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    kit::captionValue(label, caption);
    return label;
}
} // namespace

TsrmmForm::TsrmmForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("srmmForm"));
    setWindowTitle(QStringLiteral("请输入密码"));
    m_card = valueLabel("cardNumberValue", QStringLiteral("会员卡号："), this);
    m_name = valueLabel("nameValue", QStringLiteral("会员姓名："), this);
    m_status = valueLabel("statusValue", QStringLiteral("会员状态："), this);
    m_expiry = valueLabel("expiryValue", QStringLiteral("到期日期："), this);
    m_password = kit::passwordEdit("passwordEdit", this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("会员卡号："), m_card);
    form->addRow(QStringLiteral("会员姓名："), m_name);
    form->addRow(QStringLiteral("会员状态："), m_status);
    form->addRow(QStringLiteral("到期日期："), m_expiry);
    form->addRow(QStringLiteral("请输入密码："), m_password);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    buttons.ok->setDefault(true);
    connect(buttons.ok, &QPushButton::clicked, this, &TsrmmForm::check);
    kit::installEnterMovesFocus(this);
}

bool TsrmmForm::ask(const Member& member)
{
    m_card->setText(member.cardNumber);
    m_name->setText(member.name);
    m_status->setText(member.status);
    m_expiry->setText(member.expiry);
    m_password->clear();
    m_expected = member.password;
    m_passed = false;
    exec();
    return m_passed;
}

void TsrmmForm::check()
{
    // The member's password is kept as typed, so it is compared untrimmed.
    if (m_password->text() != m_expected) {
        Messages::warning(this, QStringLiteral("会员密码不正确，请重新输入！"));
        m_password->clear();
        m_password->setFocus();
        return;
    }
    m_passed = true;
    accept();
}

} // namespace tkd::gui
