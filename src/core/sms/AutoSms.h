#pragma once

#include "SmsOperations.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace tkd {
struct CommandContext;
}

namespace tkd::sms {

// The switch of the SMS window that governs a message sent after a command.
enum class AutoSwitch { CheckIn, Payment, Consumption };

bool switchedOn(const SmsState& state, AutoSwitch which);

// The one path of every automatic message after a command, decided as the desk always has: the
// switch (off: nothing is sent and nothing shown), the login ("请先登录再发短信！"), then one request
// whose reply counts the message down. Runs after the command's commit: a failure is only reported.
// A context without an SMS session sends nothing, as if the switch were off.
AutoSendResult sendAfterCommand(const CommandContext& context, AutoSwitch which, const QString& mobile,
                                const QString& text, const GatewayCall& call);

// The same decision for a message nobody waits for (the unattended desk): the request is handed to
// post with the SMS session it is sent under, and its reply goes to takeSendReply with that session
// when it comes (a logout meanwhile leaves the count alone). The result when no request was made;
// nullopt when one was posted.
using PostRequest = std::function<void(const QString& url, const QByteArray& line, quint64 sentInSession)>;
std::optional<AutoSendResult> postAfterCommand(const CommandContext& context, AutoSwitch which, const QString& mobile,
                                               const QString& text, const PostRequest& post);

} // namespace tkd::sms
