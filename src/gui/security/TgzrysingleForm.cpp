#include "TgzrysingleForm.h"

#include "app/Clock.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "security/Operators.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TgzrysingleForm::TgzrysingleForm(Session& session, QWidget* parent) : QDialog(parent), m_context(session)
{
    setObjectName(QStringLiteral("gzrysingleForm"));
    setWindowTitle(QStringLiteral("操作人员"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    InputMethodFields::markFreeText(m_name);
    m_password = kit::passwordEdit("passwordEdit", this);
    m_confirm = kit::passwordEdit("confirmEdit", this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("操作人员："), m_name);
    form->addRow(QStringLiteral("操作密码："), m_password);
    form->addRow(QStringLiteral("确认密码："), m_confirm);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    kit::installEnterMovesFocus(this);
    m_fields.add(security::field::name, m_name)
        .add(security::field::password, m_password)
        .add(security::field::confirm, m_confirm);
}

void TgzrysingleForm::prepare()
{
    m_name->clear();
    m_password->clear();
    m_confirm->clear();
}

void TgzrysingleForm::save()
{
    const security::NewOperator input{m_name->text(), m_password->text(), m_confirm->text()};
    if (const Outcome<> added = security::addOperator(m_context.command(), input); added.refused()) {
        m_fields.showRefusal(this, added.refusal());
        return;
    }
    accept();
}

} // namespace tkd::gui
