#include "TchangemmForm.h"

#include "app/Clock.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"
#include "security/Operators.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TchangemmForm::TchangemmForm(Session& session, QWidget* parent) : QDialog(parent), m_context(session)
{
    setObjectName(QStringLiteral("changemmForm"));
    setWindowTitle(QStringLiteral("更改密码"));
    m_old = kit::passwordEdit("oldPasswordEdit", this);
    m_new = kit::passwordEdit("newPasswordEdit", this);
    m_confirm = kit::passwordEdit("confirmPasswordEdit", this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("原密码："), m_old);
    form->addRow(QStringLiteral("新密码："), m_new);
    form->addRow(QStringLiteral("确认密码："), m_confirm);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
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
