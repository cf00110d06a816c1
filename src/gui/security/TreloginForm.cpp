#include "TreloginForm.h"

#include "app/AppContext.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"
#include "security/Login.h"
#include "security/Operators.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TreloginForm::TreloginForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("reloginForm"));
    setWindowTitle(QStringLiteral("换班登录"));
    m_operators = new QComboBox(this);
    m_operators->setObjectName(QStringLiteral("operatorCombo"));
    m_password = kit::passwordEdit("passwordEdit", this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("操作人员："), m_operators);
    form->addRow(QStringLiteral("用户密码："), m_password);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout, QStringLiteral("登录"), "loginButton");
    buttons.ok->setDefault(true);
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { login(); }));
    kit::installEnterMovesFocus(this);
    connect(m_operators, qOverload<int>(&QComboBox::activated), this, [this] { m_password->setFocus(); });
    m_fields.add(security::field::name, m_operators).add(security::field::password, m_password);
}

void TreloginForm::prepare()
{
    m_operators->clear();
    m_operators->addItems(security::operatorNames(m_context.velunDMForm()));
    m_operators->setCurrentIndex(m_operators->count() > 0 ? 0 : -1);
    m_password->clear();
}

void TreloginForm::login()
{
    const QString name = m_operators->currentText();
    if (const Outcome<> accepted = security::checkShiftChange(m_context.velunDMForm(), name, m_password->text());
        accepted.refused()) {
        m_fields.showRefusal(this, accepted.refusal());
        return;
    }
    m_context.setCurrentOperator(name);
    Q_EMIT operatorChanged(name);
    accept();
}

} // namespace tkd::gui
