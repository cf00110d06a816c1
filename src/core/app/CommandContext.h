#pragma once

#include <QDateTime>
#include <QString>

namespace tkd {

class TvelunDMForm;
struct SmsState;

// What every core command needs besides its own input: where to write, who writes, when,
// and (for commands that send a message afterwards) the SMS session. Built fresh for each
// command, so the moment and the operator are those of the click.
struct CommandContext {
    TvelunDMForm& dm;
    QString operatorName;
    QDateTime now;
    SmsState* sms = nullptr;

    // The same context with the SMS session, for a command that sends afterwards.
    CommandContext withSms(SmsState& session) const { return {dm, operatorName, now, &session}; }
};

} // namespace tkd
