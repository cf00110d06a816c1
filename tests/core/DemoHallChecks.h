#pragma once

#include <QString>
#include <QStringList>

namespace tkd {
class TvelunDMForm;
}

// What a generated hall's leave, exchanges and expiry dates must agree on, whatever its size. Each
// check reads the rows back, works out what the program's rules make of them and names the rows that
// differ; `rows` says how many it checked, so a hall without any cannot pass unseen.
namespace tkd::test::hall {

struct Checked {
    int rows = 0;
    QStringList faults;
};

// Every stored expiry is the opening day, plus the card's days for each card period paid (the first
// at registration, one per renewal), plus the days the member's leave moved it, plus the membership
// days bought with points.
Checked expiriesFollowHistory(TvelunDMForm& dm);

// Every leave: 请假天数 its end minus its start, recorded on or before its start, moving the expiry
// (顺延天数) by its days when the card had one (a day card opened by then) and by nothing otherwise,
// and starting no earlier than the end of any leave of the member's recorded before it.
Checked leavesFollowTheRules(TvelunDMForm& dm);

// Every exchange line records the member's points before it: the first the points the checkouts
// earned (one per 消费积分 yuan of each payment row; in a generated hall a member exchanges only after
// the checkouts), each next one less the line before; the stored points are what the last line left.
Checked pointsRunLineByLine(TvelunDMForm& dm);

// Every "积分换会籍" line: one of it, the days that its points buy at the hall's rate (其它设置
// 使用积分 / 兑换会籍), the remark "会籍增加N天，截止日期到yyyy-mm-dd" naming the expiry those days
// reached (the opening day, the card periods paid by that day, the leave recorded by then and the days
// bought up to this line), and no stock ledger row; every goods line adds no days.
Checked daysLinesFollowTheRate(TvelunDMForm& dm);

} // namespace tkd::test::hall
