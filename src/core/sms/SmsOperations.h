#pragma once

#include "Gateway.h"
#include "SmsState.h"
#include "app/CommandContext.h"
#include "app/Outcome.h"

#include <QString>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::sms {

namespace field {
inline const QString account = QStringLiteral("account");
inline const QString password = QStringLiteral("password");
inline const QString numbers = QStringLiteral("numbers");
inline const QString content = QStringLiteral("content");
} // namespace field

// The automatic sender's result, shown by the kit's one SMS-result box: nothing when the switch is
// off, message with the warning icon otherwise. A failure never undoes the caller's own work.
struct AutoSendResult {
    enum class Status { SwitchOff, NotLoggedIn, Sent, Failed };
    Status status = Status::Failed;
    QString message;
    // The gateway could not be reached or answered nonsense: shown as an error, not a refusal.
    bool unreachable = false;
};
AutoSendResult sendSms(SmsState& state, const QString& mobile, const QString& text, const GatewayCall& call);
// The state change of a send whose reply came back later (a send made in the background), for a
// send made under the state's session `sentInSession`; a reply of an earlier session changes nothing.
AutoSendResult takeSendReply(SmsState& state, const GatewayReply& reply, quint64 sentInSession);

// The operations below act on the SMS session alone, so they take it rather than a command context.

// Login from the SMS window: a refusal for an empty field, otherwise the result label's text (the
// gateway's refusal too: the label shows it).
Outcome<QString> login(SmsState& state, const QString& account, const QString& password, const GatewayCall& call);
// Returns the result label's text. The account and password stay in memory; the state blocks sending.
QString logout(SmsState& state);

// The typed-numbers check: every line exactly eleven decimal digits.
struct NumberCheck {
    Refusal notice; // the message to show, error icon when a line is wrong
    bool passed = false;
    int badLine = -1; // line index (0-based) to select
};
NumberCheck checkNumbers(const QString& numbersField);

// Send from the typed-numbers tab: the refusal (field "account" lies on the account tab), or the
// notice of the sent message, shown with the warning icon. After a send, refreshBalance() takes
// the gateway's own count.
Outcome<QString> sendTyped(SmsState& state, const QString& numbersField, const QString& content,
                           const GatewayCall& call);

// Asks the gateway for the credit left; the count stays as it was when that fails.
void refreshBalance(SmsState& state, const GatewayCall& call);

// Writes the three switches and takes them into the context's SMS session.
Outcome<> saveSwitches(const CommandContext& context, bool afterConsumption, bool afterPayment, bool afterCheckIn);

// The number field as the gateway wants recipients: one per line, lines ended by CR LF.
QString recipientsFromField(const QString& numbersField);

} // namespace tkd::sms
