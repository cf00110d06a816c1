#include "TchangemmForm.h"

#include "app/AppContext.h"
#include "kit/FormKit.h"
#include "kit/Messages.h"
#include "security/Operators.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {
QLineEdit* passwordEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}
} // namespace

TchangemmForm::TchangemmForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("changemmForm"));
    setWindowTitle(QStringLiteral("更改密码"));
    m_old = passwordEdit("oldPasswordEdit", this);
    m_new = passwordEdit("newPasswordEdit", this);
    m_confirm = passwordEdit("confirmPasswordEdit", this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("原密码："), m_old);
    form->addRow(QStringLiteral("新密码："), m_new);
    form->addRow(QStringLiteral("确认密码："), m_confirm);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &TchangemmForm::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    kit::installEnterMovesFocus(this);
}

void TchangemmForm::prepare()
{
    m_old->clear();
    m_new->clear();
    m_confirm->clear();
}

void TchangemmForm::save()
{
    const security::PasswordChange change{m_context.currentOperator(), m_old->text(), m_new->text(), m_confirm->text()};
    if (const MaybeRefusal refusal = security::changePassword(m_context.velunDMForm(), change)) {
        Messages::refusal(this, *refusal);
        if (refusal->clear.contains(security::field::password))
            m_new->clear();
        if (refusal->clear.contains(security::field::confirm))
            m_confirm->clear();
        if (refusal->clear.contains(security::field::oldPassword))
            m_old->clear();
        (refusal->field == security::field::oldPassword ? m_old : m_new)->setFocus();
        return;
    }
    accept();
}

} // namespace tkd::gui
