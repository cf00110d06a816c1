#include "SmsState.h"

#include "app/Config.h"
#include "data/TvelunDMForm.h"

namespace tkd {

SmsState SmsState::initial(const Config& config, TvelunDMForm& dm)
{
    SmsState state;
    state.signature = config.smsSignature;
    state.url = config.smsUrl;
    const ResultSet switches = dm.list(QStringLiteral("select * from [短信设置]"));
    state.afterConsumption = switches.first(QStringLiteral("消费短信")).toBool();
    state.afterPayment = switches.first(QStringLiteral("充值短信")).toBool();
    state.afterCheckIn = switches.first(QStringLiteral("登记短信")).toBool();
    return state;
}

} // namespace tkd
