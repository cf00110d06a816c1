#include "TLoginForm.h"

#include "TmainForm.h"
#include "app/AppContext.h"
#include "kit/FieldMap.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"
#include "security/Login.h"
#include "security/Operators.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tkd::gui {

TLoginForm::TLoginForm(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("loginForm"));
    setWindowTitle(QStringLiteral("欢迎使用澄岚跆拳道馆管理系统"));

    m_operators = new QComboBox(this);
    m_operators->setObjectName(QStringLiteral("operatorCombo"));
    m_operators->setEditable(false);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("passwordEdit"));
    m_password->setEchoMode(QLineEdit::Password);
    m_loginButton = new QPushButton(QStringLiteral("用户登录"), this);
    m_loginButton->setObjectName(QStringLiteral("loginButton"));
    m_loginButton->setDefault(true);
    auto* closeButton = new QPushButton(QStringLiteral("关闭系统"), this);
    closeButton->setObjectName(QStringLiteral("closeSystemButton"));

    auto* form = new QFormLayout;
    auto* operatorLabel = new QLabel(QStringLiteral("操作人员"), this);
    operatorLabel->setBuddy(m_operators);
    auto* passwordLabel = new QLabel(QStringLiteral("用户密码"), this);
    passwordLabel->setBuddy(m_password);
    form->addRow(operatorLabel, m_operators);
    form->addRow(passwordLabel, m_password);

    auto* note = new QLabel(QStringLiteral("注：超级用户的初始密码为四位数字，登录后请及时更改密码。"), this);
    note->setObjectName(QStringLiteral("initialPasswordNote"));
    note->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_loginButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addLayout(buttons);

    connect(m_loginButton, &QPushButton::clicked, this, kit::guard(this, [this] { login(); }));
    connect(m_password, &QLineEdit::returnPressed, this, kit::guard(this, [this] { login(); }));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_operators, qOverload<int>(&QComboBox::activated), this, [this] { m_password->setFocus(); });

    reloadOperators();
    m_password->clear();
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TLoginForm::reloadOperators()
{
    m_operators->clear();
    m_operators->addItems(security::operatorNames(m_context.velunDMForm()));
    m_operators->setCurrentIndex(m_operators->count() > 0 ? 0 : -1);
}

void TLoginForm::login()
{
    const QString name = m_operators->currentText();
    if (const Outcome<> accepted = security::checkLogin(m_context.velunDMForm(), name, m_password->text());
        accepted.refused()) {
        kit::FieldMap()
            .add(security::field::name, m_operators)
            .add(security::field::password, m_password)
            .showRefusal(this, accepted.refusal());
        return;
    }
    // Read before anything is hidden: a failed read leaves the login window up.
    const QString hall = security::hallName(m_context.velunDMForm());
    if (m_splash) {
        m_splash->hide();
        m_splash->deleteLater();
        m_splash = nullptr;
    }
    hide();
    m_context.setCurrentOperator(name);
    if (m_mainForm)
        m_mainForm->showAfterLogin(hall);
    Q_EMIT loggedIn(name);
}

void TLoginForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The operator is chosen already; the desk types the password straight away.
    m_password->setFocus();
}

void TLoginForm::closeForExit()
{
    close();
}

void TLoginForm::closeEvent(QCloseEvent* event)
{
    m_context.velunDMForm().disconnect();
    event->accept();
    QApplication::quit();
}

} // namespace tkd::gui
