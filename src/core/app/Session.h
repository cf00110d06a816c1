#pragma once

#include "CommandContext.h"

#include <QDateTime>
#include <QString>

namespace tkd {

class AppContext;
class Clock;
class TvelunDMForm;
struct AppPaths;
struct Config;

// The narrow view of the running program a window receives: the data module, the clock,
// the current operator's name (read live, so a shift change reaches every window) and the
// program's files. It cannot change the operator, the desk mode or the SMS login: only the
// login, shift-change, settings and SMS windows hold the whole AppContext for that.
class Session {
public:
    explicit Session(AppContext& app) : m_app(app) {}

    TvelunDMForm& velunDMForm() const;
    const Clock& clock() const;
    QDateTime now() const;
    const QString& currentOperator() const;
    const AppPaths& paths() const;
    const Config& config() const;
    // The desk mode, read only.
    bool unattended() const;

    // A command's context at this moment, without the SMS session.
    CommandContext command() const;
    // The same with the SMS session, for the windows that send after a command.
    CommandContext commandWithSms(SmsState& sms) const;

private:
    AppContext& m_app;
};

} // namespace tkd
