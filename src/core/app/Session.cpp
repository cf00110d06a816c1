#include "Session.h"

#include "AppContext.h"

namespace tkd {

TvelunDMForm& Session::velunDMForm() const
{
    return m_app.velunDMForm();
}

const Clock& Session::clock() const
{
    return m_app.clock();
}

QDateTime Session::now() const
{
    return m_app.clock().now();
}

const QString& Session::currentOperator() const
{
    return m_app.currentOperator();
}

const AppPaths& Session::paths() const
{
    return m_app.paths();
}

const Config& Session::config() const
{
    return m_app.config();
}

bool Session::unattended() const
{
    return m_app.unattended();
}

CommandContext Session::command() const
{
    return {m_app.velunDMForm(), m_app.currentOperator(), m_app.clock().now(), nullptr};
}

CommandContext Session::commandWithSms(SmsState& sms) const
{
    CommandContext context = command();
    context.sms = &sms;
    return context;
}

} // namespace tkd
