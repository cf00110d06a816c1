#include "Reminders.h"

#include "Reference.h"
#include "data/TvelunDMForm.h"

namespace tkd::demo {

void writeReminders(Books& books, Rng& rng)
{
    const std::vector<Member>& members = books.hall.members;
    const QDate& today = books.hall.today;
    if (members.empty())
        return;
    static const char16_t* const texts[] = {u"提醒家长续费",   u"通知参加级别考核", u"电话回访训练情况",
                                            u"带齐考级报名表", u"领取新道服",       u"通知周末集训"};
    const int count = int(members.size()) / 10 + 4;
    for (int r = 0; r < count; ++r) {
        const int kind = r % 4;
        const bool dueToday = r < 4;
        const QString clock = QStringLiteral("%1:%2:00")
                                  .arg(rng.between(8, 19), 2, 10, QLatin1Char('0'))
                                  .arg(rng.below(4) * 15, 2, 10, QLatin1Char('0'));
        QString when;
        switch (kind) {
        case 0:
            when = (dueToday ? today : today.addDays(rng.between(-60, 60))).toString(QStringLiteral("yyyy-MM-dd")) +
                   QLatin1Char(' ') + clock;
            break;
        case 1:
            when = clock;
            break;
        case 2:
            when =
                QStringLiteral("%1 ").arg(dueToday ? today.day() : rng.between(1, 28), 2, 10, QLatin1Char('0')) + clock;
            break;
        default:
            when = (dueToday ? today : QDate(2000, rng.between(1, 12), rng.between(1, 28)))
                       .toString(QStringLiteral("MM-dd")) +
                   QLatin1Char(' ') + clock;
            break;
        }
        const Member& m = members[size_t(r < int(members.size()) ? r : rng.below(int(members.size())))];
        books.dm.change(
            QStringLiteral("insert into [事件提醒] ([会员卡号],[会员姓名],[会员类型],[提醒类型],[提醒时间],[提醒内容]) "
                           "values(:hykh,:hyxm,:hylx,:txlx,:txsj,:txnr)"),
            {{QStringLiteral("hykh"), m.card},
             {QStringLiteral("hyxm"), m.name},
             {QStringLiteral("hylx"), QString::fromUtf16(cardType(m.type).name)},
             {QStringLiteral("txlx"), kind},
             {QStringLiteral("txsj"), when},
             {QStringLiteral("txnr"), QString::fromUtf16(rng.pick(texts))}});
    }
}

} // namespace tkd::demo
