#include "AutoSms.h"

#include "app/CommandContext.h"

namespace tkd::sms {
namespace {

// Why no request is made, or nullopt when the message goes out.
std::optional<AutoSendResult> held(const SmsState* state, AutoSwitch which)
{
    if (!state || !switchedOn(*state, which))
        return AutoSendResult{AutoSendResult::Status::SwitchOff, {}};
    if (!state->loggedIn())
        return AutoSendResult{AutoSendResult::Status::NotLoggedIn, QStringLiteral("请先登录再发短信！")};
    return std::nullopt;
}

} // namespace

bool switchedOn(const SmsState& state, AutoSwitch which)
{
    switch (which) {
    case AutoSwitch::CheckIn:
        return state.afterCheckIn;
    case AutoSwitch::Payment:
        return state.afterPayment;
    case AutoSwitch::Consumption:
        return state.afterConsumption;
    }
    return false;
}

AutoSendResult sendAfterCommand(const CommandContext& context, AutoSwitch which, const QString& mobile,
                                const QString& text, const GatewayCall& call)
{
    if (const auto result = held(context.sms, which))
        return *result;
    return sendSms(*context.sms, mobile, text, call);
}

std::optional<AutoSendResult> postAfterCommand(const CommandContext& context, AutoSwitch which, const QString& mobile,
                                               const QString& text, const PostRequest& post)
{
    if (const auto result = held(context.sms, which))
        return result;
    const SmsState& state = *context.sms;
    post(state.url, sendLine(state.account, state.password, mobile, text), state.session);
    return std::nullopt;
}

} // namespace tkd::sms
