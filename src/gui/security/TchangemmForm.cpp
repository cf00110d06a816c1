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
    m_fields.add(security::field::oldPassword, m_old)
        .add(security::field::password, m_new)
        .add(security::field::confirm, m_confirm);
}

void TchangemmForm::prepare()
{
    m_old->clear();
    m_new->clear();
    m_confirm->clear();
}

void TchangemmForm::save()
{
    const security::PasswordChange change{m_old->text(), m_new->text(), m_confirm->text()};
    if (const Outcome<> changed = security::changePassword(m_context.command(), change); changed.refused()) {
        m_fields.showRefusal(this, changed.refusal());
        return;
    }
    accept();
}

} // namespace tkd::gui
