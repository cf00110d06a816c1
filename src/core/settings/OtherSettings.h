#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Money.h"

#include <QString>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::settings {

// The single row of 其它设置: points rates, reminder lead times and the desk's mode.
struct OtherSettings {
    Money referralYuanPerPoint;    // 介绍积分
    Money consumptionYuanPerPoint; // 消费积分
    int pointsPerExchange = 0;     // 使用积分
    int daysPerExchange = 0;       // 兑换会籍
    int lockerLeadDays = 0;        // 衣柜提醒
    int memberLeadDays = 0;        // 会员提醒
    int birthdayLeadDays = 0;      // 生日提醒
    int gradingLessons = 0;        // 考核提醒
    bool dailyReminders = false;   // 每日提醒
    bool unattended = false;       // 无人值守
};

OtherSettings load(TvelunDMForm& dm);

// What the settings window holds, as typed: empty numbers count as 0.
struct OtherSettingsInput {
    QString referralYuanPerPoint;
    QString consumptionYuanPerPoint;
    QString pointsPerExchange;
    QString daysPerExchange;
    QString lockerLeadDays;
    QString memberLeadDays;
    QString birthdayLeadDays;
    QString gradingLessons;
    bool dailyReminders = false;
    bool unattended = false;
};

// What was stored, and the message that says so.
struct SavedSettings {
    OtherSettings settings;
    QString message;
};
// Parses and writes the row; a field that is not a number is refused and nothing is written.
Outcome<SavedSettings> save(const CommandContext& context, const OtherSettingsInput& input);

// The card number field's hint for the desk's mode.
QString cardNumberHint(bool unattended);

} // namespace tkd::settings
