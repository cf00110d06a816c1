#include "SmsOperations.h"

#include "data/TvelunDMForm.h"

#include <algorithm>

namespace tkd::sms {
namespace {

const QString kLoggedIn = QStringLiteral("已登录");
const QString kLoggedOut = QStringLiteral("未登录");

QStringList fieldLines(const QString& text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normalised.split(QLatin1Char('\n'));
}

// The field's lines without the empty ones a final line break leaves.
QStringList numberLines(const QString& text)
{
    QStringList lines = fieldLines(text);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

AutoSendResult sendSms(SmsState& state, const QString& mobile, const QString& text, const GatewayCall& call)
{
    if (!state.loggedIn())
        return {AutoSendResult::Status::NotLoggedIn, QStringLiteral("请先登录再发短信！")};
    const quint64 session = state.session;
    return takeSendReply(state, call(state.url, sendLine(state.account, state.password, mobile, text)), session);
}

AutoSendResult takeSendReply(SmsState& state, const GatewayReply& reply, quint64 sentInSession)
{
    // Logged out or another account since: the count shown is no longer this send's to change.
    if (sentInSession != state.session)
        return {AutoSendResult::Status::Failed, QStringLiteral("短信平台的应答来自已结束的登录，未作处理。")};
    if (!reply.succeeded())
        return {AutoSendResult::Status::Failed, reply.failureText(), !reply.wellFormed};
    // A count the gateway never gave us stays as it is rather than turning into -1.
    bool numeric = false;
    const qint64 left = state.remaining.toLongLong(&numeric);
    if (numeric)
        state.remaining = QString::number(left - 1);
    return {AutoSendResult::Status::Sent, QStringLiteral("短信发送成功！")};
}

Outcome<QString> login(SmsState& state, const QString& account, const QString& password, const GatewayCall& call)
{
    const QString trimmedAccount = account.trimmed();
    const QString trimmedPassword = password.trimmed();
    if (trimmedAccount.isEmpty())
        return Refusal::error(QStringLiteral("用户账号不能为空！"), field::account);
    if (trimmedPassword.isEmpty())
        return Refusal::error(QStringLiteral("用户密码不能为空！"), field::password);
    const GatewayReply reply = call(state.url, balanceLine(trimmedAccount, trimmedPassword));
    if (!reply.succeeded())
        return reply.failureText();
    state.loginState = kLoggedIn;
    ++state.session;
    state.account = trimmedAccount;
    state.password = trimmedPassword;
    // A reply without the credit leaves a count that can still go down.
    state.remaining = reply.overage.isEmpty() ? QStringLiteral("0") : reply.overage;
    return QStringLiteral("用户登录成功");
}

QString logout(SmsState& state)
{
    state.loginState = kLoggedOut;
    ++state.session;
    state.remaining = QStringLiteral("0");
    return QStringLiteral("用户已注销");
}

NumberCheck checkNumbers(const QString& numbersField)
{
    NumberCheck check;
    const QString trimmed = numbersField.trimmed();
    if (trimmed.isEmpty()) {
        check.notice = Refusal::error(QStringLiteral("手机号码不能为空！"), field::numbers);
        return check;
    }
    // Every line as it stands (a blank beside a number fails too); only a final line break is let go.
    const QStringList checked = numberLines(numbersField);
    for (int i = 0; i < checked.size(); ++i) {
        const QString& line = checked[i];
        const bool good = line.size() == 11 && std::all_of(line.begin(), line.end(), [](QChar c) {
                              return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                          });
        if (!good) {
            check.notice = Refusal::error(
                QStringLiteral("有不正确的手机号[") + line + QStringLiteral("]，请修改后再发送短信！"), field::numbers);
            check.badLine = i;
            return check;
        }
    }
    check.passed = true;
    check.notice = Refusal::warning(QStringLiteral("检查完成，手机号码全部正确！"));
    return check;
}

QString recipientsFromField(const QString& numbersField)
{
    return numberLines(numbersField).join(QStringLiteral("\r\n"));
}

Outcome<QString> sendTyped(SmsState& state, const QString& numbersField, const QString& content,
                           const GatewayCall& call)
{
    if (!state.loggedIn())
        return Refusal::warning(QStringLiteral("请先登录，然后再发送短信！"), field::account);
    if (numbersField.trimmed().isEmpty())
        return Refusal::warning(QStringLiteral("手机号码不能为空！"), field::numbers);
    if (content.trimmed().isEmpty())
        return Refusal::warning(QStringLiteral("短信内容不能为空！"), field::content);
    const GatewayReply reply =
        call(state.url, sendLine(state.account, state.password, recipientsFromField(numbersField), content));
    if (!reply.succeeded())
        return reply.wellFormed ? Refusal::warning(reply.failureText()) : Refusal::error(reply.failureText());
    return QStringLiteral("短信发送成功！");
}

void refreshBalance(SmsState& state, const GatewayCall& call)
{
    const GatewayReply balance = call(state.url, balanceLine(state.account, state.password));
    if (balance.succeeded() && !balance.overage.isEmpty())
        state.remaining = balance.overage;
}

Outcome<> saveSwitches(const CommandContext& context, bool afterConsumption, bool afterPayment, bool afterCheckIn)
{
    Transaction tx(context.dm.db());
    context.dm.change(QStringLiteral("update [短信设置] set [消费短信]=:xfdx,[充值短信]=:czdx,[登记短信]=:djdx"),
                      {{QStringLiteral("xfdx"), afterConsumption},
                       {QStringLiteral("czdx"), afterPayment},
                       {QStringLiteral("djdx"), afterCheckIn}});
    tx.commit();
    if (SmsState* state = context.sms) {
        state->afterConsumption = afterConsumption;
        state->afterPayment = afterPayment;
        state->afterCheckIn = afterCheckIn;
    }
    return Done{};
}

} // namespace tkd::sms
