#include "TfsdxForm.h"

#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/GatewayCalls.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "members/MemberSearch.h"
#include "sms/SmsOperations.h"
#include "sms/SmsRecipients.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

QLabel* hint(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: rgb(220, 30, 30);"));
    return label;
}

QLabel* statusPanel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(QStringLiteral("color: blue;"));
    return label;
}

} // namespace

TfsdxForm::TfsdxForm(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_call(kit::nonFreezingGatewayCall(this))
{
    setObjectName(QStringLiteral("fsdxForm"));
    setWindowTitle(QStringLiteral("发送短信"));
    resize(720, 520);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("smsTabs"));

    // To members.
    auto* members = new QWidget(m_tabs);
    m_memberSearch = new QLineEdit(members);
    m_memberSearch->setObjectName(QStringLiteral("memberSearchEdit"));
    InputMethodFields::markFreeText(m_memberSearch);
    kit::markEnterSubmits(m_memberSearch);
    QPushButton* searchButton = kit::pushButton(members, QStringLiteral("查询"), "searchButton");
    QPushButton* advanced = kit::pushButton(members, QStringLiteral("高级查询"), "advancedSearchButton");
    auto* menu = new QMenu(advanced);
    menu->setObjectName(QStringLiteral("advancedSearchMenu"));
    QAction* withMobile = menu->addAction(QStringLiteral("显示所有有手机号的会员"));
    withMobile->setObjectName(QStringLiteral("withMobileAction"));
    QAction* birthdays = menu->addAction(QStringLiteral("显示当天生日的会员"));
    birthdays->setObjectName(QStringLiteral("birthdayAction"));
    m_combinedSearch = menu->addAction(QStringLiteral("综合查询"));
    m_combinedSearch->setObjectName(QStringLiteral("combinedSearchAction"));
    // The advanced member search arrives with the member list.
    m_combinedSearch->setEnabled(false);
    advanced->setMenu(menu);
    QPushButton* toMembers = kit::pushButton(members, QStringLiteral("发送短信"), "sendToMembersButton");
    m_showDisabled = new QCheckBox(QStringLiteral("显示禁用会员"), members);
    m_showDisabled->setObjectName(QStringLiteral("showDisabledCheck"));
    m_memberGrid = new DataGrid(members);
    m_memberGrid->setObjectName(QStringLiteral("memberGrid"));
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(kit::captionFor(m_memberSearch, QStringLiteral("请输入会员卡号或姓名："), members));
    searchRow->addWidget(m_memberSearch, 1);
    for (QWidget* w : {static_cast<QWidget*>(searchButton), static_cast<QWidget*>(advanced),
                       static_cast<QWidget*>(toMembers), static_cast<QWidget*>(m_showDisabled)})
        searchRow->addWidget(w);
    auto* membersLayout = new QVBoxLayout(members);
    membersLayout->addLayout(searchRow);
    membersLayout->addWidget(m_memberGrid, 1);
    m_tabs->addTab(members, QStringLiteral("给会员发送短信"));

    // To typed numbers.
    auto* numbers = new QWidget(m_tabs);
    m_numbers = new QPlainTextEdit(numbers);
    m_numbers->setObjectName(QStringLiteral("numbersEdit"));
    m_content = new QPlainTextEdit(numbers);
    m_content->setObjectName(QStringLiteral("contentEdit"));
    InputMethodFields::markFreeText(m_content);
    m_signature = new QLineEdit(numbers);
    m_signature->setObjectName(QStringLiteral("signatureEdit"));
    InputMethodFields::markFreeText(m_signature);
    QPushButton* check = kit::pushButton(numbers, QStringLiteral("检查手机号"), "checkNumbersButton");
    check->setFlat(true);
    check->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    QPushButton* sendTypedButton = kit::pushButton(numbers, QStringLiteral("发送短信"), "sendTypedButton");
    auto* numbersLayout = new QGridLayout(numbers);
    numbersLayout->addWidget(kit::captionFor(m_numbers, QStringLiteral("输入要发送的手机号码"), numbers), 0, 0);
    numbersLayout->addWidget(kit::captionFor(m_content, QStringLiteral("发送内容"), numbers), 0, 1);
    numbersLayout->addWidget(m_numbers, 1, 0, 3, 1);
    numbersLayout->addWidget(m_content, 1, 1);
    numbersLayout->addWidget(
        hint(QStringLiteral("提示：1、短信内容以签名为结束，如“【澄岚软件】”，不加签名，短信将发送不成功；"
                            "短信最多输入70个文字（含签名，括号也算）；"),
             numbers),
        2, 1);
    numbersLayout->addWidget(
        hint(QStringLiteral("2、此平台仅用于发送通知、提醒、物流、验证码等信息，杜绝发送一切商业广告。"
                            "以免您误发广告给您关停帐号，带来金额损失。"),
             numbers),
        3, 1);
    numbersLayout->addWidget(hint(QStringLiteral("提示：一个手机号一行，手机号前请不要加0，否则发送不成功。"), numbers),
                             4, 0);
    numbersLayout->addWidget(check, 5, 0, Qt::AlignLeft);
    auto* signatureRow = new QHBoxLayout;
    signatureRow->addWidget(kit::captionFor(m_signature, QStringLiteral("设置签名："), numbers));
    signatureRow->addWidget(m_signature, 1);
    signatureRow->addWidget(sendTypedButton);
    numbersLayout->addLayout(signatureRow, 4, 1, 2, 1);
    numbersLayout->setColumnStretch(1, 2);
    numbersLayout->setColumnStretch(0, 1);
    m_tabs->addTab(numbers, QStringLiteral("自定义号码发送短信"));

    // Account.
    auto* account = new QWidget(m_tabs);
    auto* sales = new QGroupBox(QStringLiteral("短信购买注册"), account);
    auto* salesLayout = new QVBoxLayout(sales);
    auto* salesText = new QLabel(QStringLiteral("短信帐号与短信条数请向您的短信服务商购买。购买后在下面输入帐号和"
                                                "密码登录，即可给会员发送通知短信；剩余条数显示在窗口下方。"),
                                 sales);
    salesText->setWordWrap(true);
    salesLayout->addWidget(salesText);
    auto* loginGroup = new QGroupBox(QStringLiteral("用户登录"), account);
    m_account = new QLineEdit(loginGroup);
    m_account->setObjectName(QStringLiteral("accountEdit"));
    m_password = kit::passwordEdit("passwordEdit", loginGroup);
    m_loginResult = new QLabel(loginGroup);
    m_loginResult->setObjectName(QStringLiteral("loginResultLabel"));
    QPushButton* loginButton = kit::pushButton(loginGroup, QStringLiteral("登录"), "loginButton");
    QPushButton* logoutButton = kit::pushButton(loginGroup, QStringLiteral("注销"), "logoutButton");
    auto* loginLayout = new QGridLayout(loginGroup);
    kit::addRow(loginLayout, 0, 0, QStringLiteral("用户帐号："), m_account);
    kit::addRow(loginLayout, 1, 0, QStringLiteral("用户密码："), m_password);
    loginLayout->addWidget(loginButton, 0, 2);
    loginLayout->addWidget(logoutButton, 1, 2);
    loginLayout->addWidget(m_loginResult, 2, 0, 1, 3);
    auto* switchesGroup = new QGroupBox(QStringLiteral("短信发送设置"), account);
    m_afterConsumption = new QCheckBox(QStringLiteral("会员消费后给会员发送短信通知"), switchesGroup);
    m_afterConsumption->setObjectName(QStringLiteral("afterConsumptionCheck"));
    m_afterPayment = new QCheckBox(QStringLiteral("会员充值后给会员发送短信通知"), switchesGroup);
    m_afterPayment->setObjectName(QStringLiteral("afterPaymentCheck"));
    m_afterCheckIn = new QCheckBox(QStringLiteral("会员上课登记后给会员发送短信通知"), switchesGroup);
    m_afterCheckIn->setObjectName(QStringLiteral("afterCheckInCheck"));
    QPushButton* saveButton = kit::pushButton(switchesGroup, QStringLiteral("保存"), "saveSwitchesButton");
    auto* switchesLayout = new QVBoxLayout(switchesGroup);
    for (QWidget* w : {static_cast<QWidget*>(m_afterConsumption), static_cast<QWidget*>(m_afterPayment),
                       static_cast<QWidget*>(m_afterCheckIn), static_cast<QWidget*>(saveButton)})
        switchesLayout->addWidget(w);
    auto* accountLayout = new QVBoxLayout(account);
    accountLayout->addWidget(sales);
    accountLayout->addWidget(loginGroup);
    accountLayout->addWidget(switchesGroup);
    accountLayout->addStretch();
    m_tabs->addTab(account, QStringLiteral("用户管理"));

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("smsStatusBar"));
    status->setSizeGripEnabled(false);
    m_loginStatePanel = statusPanel("loginStatePanel", status);
    m_accountPanel = statusPanel("accountPanel", status);
    m_remainingPanel = statusPanel("remainingPanel", status);
    status->addWidget(m_loginStatePanel, 1);
    status->addWidget(m_accountPanel, 1);
    status->addWidget(m_remainingPanel, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(status);

    connect(searchButton, &QPushButton::clicked, this, &TfsdxForm::search);
    connect(m_memberSearch, &QLineEdit::returnPressed, this, &TfsdxForm::search);
    connect(m_showDisabled, &QCheckBox::clicked, this,
            [this](bool shown) { applyMemberFilter(shown ? Filter() : sms::activeMembers()); });
    connect(withMobile, &QAction::triggered, this, [this] { applyMemberFilter(sms::membersWithMobile()); });
    connect(birthdays, &QAction::triggered, this,
            [this] { applyMemberFilter(sms::birthdayOn(m_context.clock().now().date())); });
    connect(toMembers, &QPushButton::clicked, this, &TfsdxForm::sendToMembers);
    connect(check, &QPushButton::clicked, this, &TfsdxForm::checkNumbers);
    connect(sendTypedButton, &QPushButton::clicked, this, &TfsdxForm::sendTyped);
    connect(loginButton, &QPushButton::clicked, this, &TfsdxForm::login);
    connect(logoutButton, &QPushButton::clicked, this, &TfsdxForm::logout);
    connect(saveButton, &QPushButton::clicked, this, &TfsdxForm::saveSwitches);
    kit::installEnterMovesFocus(this);
    m_fields.add(sms::field::account, m_account)
        .add(sms::field::password, m_password)
        .add(sms::field::numbers, m_numbers)
        .add(sms::field::content, m_content);
}

void TfsdxForm::prepare()
{
    const SmsState& state = m_context.sms();
    m_account->setText(state.account);
    m_password->setText(state.password);
    m_signature->setText(state.signature);
    m_memberSearch->clear();
    m_numbers->clear();
    m_content->setPlainText(QStringLiteral("【") + state.signature + QStringLiteral("】"));
    m_afterConsumption->setChecked(state.afterConsumption);
    m_afterPayment->setChecked(state.afterPayment);
    m_afterCheckIn->setChecked(state.afterCheckIn);
    m_showDisabled->setChecked(false);
    m_loginResult->clear();
    m_loggedOutHere = false;
    showStatus();
    m_members = m_context.velunDMForm().open(QStringLiteral("ADODS_hyxx"));
    applyMemberFilter(sms::activeMembers());
    m_tabs->setCurrentIndex(AccountTab);
}

void TfsdxForm::prepareWithNumbers(const QString& numbers)
{
    prepare();
    m_numbers->setPlainText(numbers);
    m_tabs->setCurrentIndex(NumbersTab);
}

void TfsdxForm::done(int result)
{
    m_members = ResultSet();
    m_memberGrid->setResult(m_members);
    m_context.saveSmsSignature(m_signature->text().trimmed());
    QDialog::done(result);
}

void TfsdxForm::applyMemberFilter(const Filter& filter)
{
    if (filter.isEmpty())
        m_members.clearFilter();
    else
        m_members.setFilter(filter);
    m_memberGrid->setResult(m_members);
    // Nobody at the desk needs to read members' passwords off the SMS list.
    for (const QString& column : {QStringLiteral("会员密码"), QStringLiteral("会员照片")})
        if (m_members.hasColumn(column))
            m_memberGrid->hideColumn(column);
}

void TfsdxForm::search()
{
    applyMemberFilter(members::searchFilter(m_memberSearch->text()));
}

void TfsdxForm::sendToMembers()
{
    m_numbers->setPlainText(sms::appendMobiles(m_numbers->toPlainText(), m_members));
    m_tabs->setCurrentIndex(NumbersTab);
}

void TfsdxForm::checkNumbers()
{
    const sms::NumberCheck check = sms::checkNumbers(m_numbers->toPlainText());
    if (check.badLine >= 0) {
        QTextCursor cursor(m_numbers->document()->findBlockByNumber(check.badLine));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        m_numbers->setTextCursor(cursor);
    }
    Messages::refusal(this, check.notice);
    if (!check.passed)
        m_numbers->setFocus();
}

void TfsdxForm::sendTyped()
{
    const Outcome<QString> sent =
        sms::sendTyped(m_context.sms(), m_numbers->toPlainText(), m_content->toPlainText(), m_call);
    if (sent.refused()) {
        m_fields.showRefusal(this, sent.refusal());
    } else {
        Messages::warning(this, sent.value());
        sms::refreshBalance(m_context.sms(), m_call);
    }
    showStatus();
}

void TfsdxForm::login()
{
    const Outcome<QString> result = sms::login(m_context.sms(), m_account->text(), m_password->text(), m_call);
    if (result.refused()) {
        m_fields.showRefusal(this, result.refusal());
        return;
    }
    m_loginResult->setText(result.value());
    if (m_context.sms().loggedIn())
        m_loggedOutHere = false;
    showStatus();
}

void TfsdxForm::logout()
{
    m_loginResult->setText(sms::logout(m_context.sms()));
    m_loggedOutHere = true;
    m_account->clear();
    m_password->clear();
    showStatus();
}

void TfsdxForm::saveSwitches()
{
    sms::saveSwitches(m_context.command().withSms(m_context.sms()), m_afterConsumption->isChecked(),
                      m_afterPayment->isChecked(), m_afterCheckIn->isChecked());
    Messages::warning(this, QStringLiteral("短信设置保存成功！"));
}

void TfsdxForm::showStatus()
{
    const SmsState& state = m_context.sms();
    m_loginStatePanel->setText(QStringLiteral("  登录状态：") + state.loginState);
    // Logging out empties the account shown; the account kept in memory shows again on opening.
    m_accountPanel->setText(QStringLiteral("  用户帐号：") + (m_loggedOutHere ? QString() : state.account));
    m_remainingPanel->setText(QStringLiteral("  剩余条数：") + state.remaining + QStringLiteral("条"));
}

} // namespace tkd::gui
