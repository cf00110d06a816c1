#include "TreloginForm.h"

#include "app/AppContext.h"
#include "kit/FormKit.h"
#include "kit/Messages.h"
#include "security/Login.h"
#include "security/Operators.h"

#include <QComboBox>
#include <QDialogButtonBox>
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
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("passwordEdit"));
    m_password->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("操作人员："), m_operators);
    form->addRow(QStringLiteral("用户密码："), m_password);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("登录"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("loginButton"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(ok, &QPushButton::clicked, this, &TreloginForm::login);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    kit::installEnterMovesFocus(this);
    connect(m_operators, qOverload<int>(&QComboBox::activated), this, [this] { m_password->setFocus(); });
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
    if (const MaybeRefusal refusal = security::checkShiftChange(m_context.velunDMForm(), name, m_password->text())) {
        Messages::refusal(this, *refusal);
        if (refusal->field == security::field::name) {
            m_operators->setCurrentIndex(-1);
            m_operators->setFocus();
        } else {
            m_password->clear();
            m_password->setFocus();
        }
        return;
    }
    m_context.setCurrentOperator(name);
    Q_EMIT operatorChanged(name);
    accept();
}

} // namespace tkd::gui
