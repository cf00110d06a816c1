#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"

#include <QDate>
#include <QString>
#include <optional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::members {

// The fields a refusal of the leave windows names.
namespace field {
inline const QString leaveMember = QStringLiteral("leaveMember");
inline const QString leaveStart = QStringLiteral("leaveStart");
inline const QString leaveEnd = QStringLiteral("leaveEnd");
inline const QString leaveUntil = QStringLiteral("leaveUntil");
} // namespace field

// The member group of the leave windows, in their formats.
struct LeaveMember {
    QString cardNumber;
    QString name;
    QString cardType;
    QString opened; // "yyyy-MM-dd", empty when the card was never used
    QString expiry; // "yyyy-MM-dd", empty when there is none
    QString status;
    QString contact; // mobile + ";" + fixed phone, as a leave row keeps it
};
std::optional<LeaveMember> leaveMember(TvelunDMForm& dm, const QString& cardNumber);

// One leave as stored.
struct LeaveRow {
    qint64 id = 0;
    QString cardNumber;
    QDate start;
    QDate end;
    qint64 days = 0;
    // The days this leave moved the member's expiry: its length when the member had an expiry as it
    // was recorded, 0 otherwise (the card not opened yet, a card type without expiry), plus what
    // lengthening it later added.
    qint64 moved = 0;
};

// A leave being recorded ("会员请假").
struct LeaveInput {
    QString cardNumber;
    QDate start;
    QDate end;
    QString remark;
};

// Records a leave: "请选择会员！" without a member, "开始时间不能大于结束时间！" for an end before the
// start; then, in one transaction, the member as stored ("会员卡号不存在！"), no start before the end
// of the member's latest leave ("该会员的假期还没完…" naming that end), the row (请假日期 today, name,
// type and phones copied from the member) and the expiry moved later by the leave's days. Returns the
// new row's 编号.
Outcome<qint64> recordLeave(const CommandContext& context, const LeaveInput& input);

// A leave shown in a list, named by its row and by the member it was shown for.
struct LeaveKey {
    qint64 id = 0;
    QString cardNumber;
};

// What the early-end window shows: the leave and its member as stored now.
struct LeaveToEnd {
    LeaveRow leave;
    LeaveMember member;
};

// Whether the leave may be ended early, before the window opens: the member ("会员卡号不存在！"),
// the row ("该记录已不存在！") and its stored last day ("假期结束时间已到，不能销假！" once it is today
// or past).
Outcome<LeaveToEnd> leaveToEnd(TvelunDMForm& dm, const LeaveKey& key, const QDate& today);

// Ends a leave on another day ("销假"): in one transaction the checks of leaveToEnd on the stored row,
// then the day against its start ("销假时间不能小于开始时间！") and, when it lengthens the leave, against
// the start of the member's next leave ("销假时间必须早于下次请假的开始时间！"). The row gets the day as
// 结束日期 and the days from its start; a stored expiry moves later by days added, and earlier by
// days taken off up to what the leave had moved it.
Outcome<> endLeave(const CommandContext& context, const LeaveKey& key, const QDate& endDay);

// Whether the leave may be deleted, before the question is asked: the member, the row, and a start
// still in the future ("假期已经开始执行不能删除，请使用销假功能！").
MaybeRefusal checkLeaveDeletion(TvelunDMForm& dm, const LeaveKey& key, const QDate& today);

// Deletes a leave that has not started: the checks again inside one transaction, the expiry moved
// back by the days the leave had moved it, then the row.
Outcome<> deleteLeave(const CommandContext& context, const LeaveKey& key);

} // namespace tkd::members
