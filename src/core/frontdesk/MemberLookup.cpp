#include "MemberLookup.h"

#include "cardtypes/CardTypes.h"
#include "data/ScratchList.h"
#include "data/TvelunDMForm.h"
#include "reminders/DueRules.h"
#include "settings/OtherSettings.h"

#include <QFileInfo>

namespace tkd::frontdesk {
namespace {

const QString kDate = QStringLiteral("yyyy-MM-dd");

QString dateText(const Value& value)
{
    return value.isNull() ? QString() : value.toDateTime().date().toString(kDate);
}

} // namespace

QString warningLine(const WarningFacts& facts, const QDate& today)
{
    const QDateTime startOfToday(today, QTime(0, 0));
    QString line;
    if (!facts.opened)
        line += QStringLiteral("该会员还未开卡，首次登记时间为开卡时间。");
    if (facts.expiry) {
        if (startOfToday >= *facts.expiry)
            line += QStringLiteral("该会员已经到期，请续费。");
        else if (reminders::daysFromToday(today, *facts.expiry) <= facts.memberLeadDays)
            line += QStringLiteral("该会员快要到期，请即时续费。");
    }
    if (facts.leaveToday)
        line += QStringLiteral("该会员今天请假，请假日期为") + facts.leaveToday->first.toString(kDate) +
                QStringLiteral(" 至 ") + facts.leaveToday->second.toString(kDate) + QStringLiteral("。");
    if (facts.lockerExpiry) {
        if (startOfToday >= *facts.lockerExpiry)
            line += QStringLiteral("该衣柜已经到期，请续租。");
        else if (reminders::daysFromToday(today, *facts.lockerExpiry) <= facts.lockerLeadDays)
            line += QStringLiteral("该衣柜快要到期，请即时续租。");
    }
    return line;
}

std::optional<MemberView> lookUp(TvelunDMForm& dm, const QString& cardNumber, const QDate& today)
{
    return lookUp(dm, cardNumber, today, settings::load(dm));
}

std::optional<MemberView> lookUp(TvelunDMForm& dm, const QString& cardNumber, const QDate& today,
                                 const settings::OtherSettings& lead)
{
    const ResultSet row = dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), cardNumber}});
    if (row.isEmpty())
        return std::nullopt;
    auto text = [&row](const char16_t* column) { return row.first(QString::fromUtf16(column)).toText(); };

    MemberView view;
    const QString photo = text(u"会员照片");
    if (!photo.isEmpty() && QFileInfo(photo).isFile())
        view.photoPath = photo;
    view.cardNumber = text(u"会员卡号");
    view.name = text(u"会员姓名");
    view.type = text(u"会员类型");
    view.status = text(u"会员状态");
    view.swipes = QString::number(row.first(QStringLiteral("刷卡次数")).toInt()) + QStringLiteral("次");
    view.balance = row.first(QStringLiteral("卡内余额")).toMoney().toYuanText();
    view.points = QString::number(row.first(QStringLiteral("会员积分")).toInt()) + QStringLiteral("分");
    view.visitsLeft = QString::number(row.first(QStringLiteral("有效次数")).toInt()) + QStringLiteral("次");
    const Value opened = row.first(QStringLiteral("开卡日期"));
    const Value expiry = row.first(QStringLiteral("到期日期"));
    view.opened = dateText(opened);
    view.expiry = dateText(expiry);
    view.coach = text(u"健身教练");
    view.consultant = text(u"会籍顾问");
    view.locker = text(u"衣柜编号");
    view.mobile = text(u"移动电话");
    view.phone = text(u"固定电话");

    if (const auto type = cardtypes::find(dm, view.type))
        view.slot = cardtypes::slotText(*type);

    const ResultSet last = dm.list(
        QStringLiteral("select [登记时间] from [会员登记] where [会员卡号]=:hykh order by [登记时间] DESC limit 1"),
        {{QStringLiteral("hykh"), cardNumber}});
    view.lastVisit = last.first(QStringLiteral("登记时间")).toText();

    WarningFacts facts;
    facts.memberLeadDays = lead.memberLeadDays;
    facts.lockerLeadDays = lead.lockerLeadDays;
    facts.opened = !opened.isNull();
    if (!expiry.isNull())
        facts.expiry = expiry.toDateTime();
    facts.leaveToday = leaveCovering(dm, cardNumber, today);
    if (!view.locker.isEmpty()) {
        const ResultSet locker = dm.open(QStringLiteral("ADOQ_ygbhxx"), {{QStringLiteral("ygbh"), view.locker}});
        const Value lockerExpiry = locker.first(QStringLiteral("到期日期"));
        view.lockerExpiry = dateText(lockerExpiry);
        if (!lockerExpiry.isNull())
            facts.lockerExpiry = QDateTime(lockerExpiry.toDate(), QTime(0, 0));
    }
    view.warning = warningLine(facts, today);
    return view;
}

void rebuildVisitList(TvelunDMForm& dm, const QString& cardNumber)
{
    // Set-wise rather than an insert per visit: a member of years has hundreds of them. The list's
    // 序号 numbers its rows from 1 in insertion order, which is the visits' order.
    ScratchList(dm, QStringLiteral("临时会员登记"))
        .refill(QStringLiteral("insert into [临时会员登记] ([登记时间],[操作员],[编号]) "
                               "select [登记时间],[操作员],[编号] from [会员登记] where [会员卡号]=:hykh "
                               "order by [登记时间],[编号]"),
                {{QStringLiteral("hykh"), cardNumber}});
}

void addVisitToList(TvelunDMForm& dm, const QString& cardNumber, qint64 visitId)
{
    // A check-in follows the member's own swipe, so the list usually holds the member's earlier
    // visits already: one row appended then gives what a rebuild gives. The list is the member's when
    // it has as many rows as the member had visits, with the same sum of keys, and ends with the
    // member's latest earlier visit; the new visit must also sort last. Anything else rebuilds it.
    const Params params{{QStringLiteral("hykh"), cardNumber}, {QStringLiteral("bh"), visitId}};
    const ResultSet listed = dm.list(
        QStringLiteral("select count(*) as [n],sum([编号]) as [s],(select [编号] from [临时会员登记] order by [序号] "
                       "desc limit 1) as [last] from [临时会员登记]"));
    const ResultSet stored =
        dm.list(QStringLiteral("select count(*) as [n],sum([编号]) as [s] from [会员登记] where [会员卡号]=:hykh "
                               "and [编号]<>:bh"),
                params);
    const ResultSet latest = dm.list(
        QStringLiteral("select [编号],[登记时间]>(select [登记时间] from [会员登记] where [编号]=:bh) as [later] "
                       "from [会员登记] where [会员卡号]=:hykh and [编号]<>:bh order by [登记时间] desc,[编号] desc "
                       "limit 1"),
        params);
    auto number = [](const ResultSet& rows, const char16_t* column) {
        const Value v = rows.first(QString::fromUtf16(column));
        return v.isNull() ? std::optional<qint64>() : std::optional<qint64>(v.toInt());
    };
    const bool same = number(listed, u"n") == number(stored, u"n") && number(listed, u"s") == number(stored, u"s") &&
                      number(listed, u"last") == number(latest, u"编号") && number(latest, u"later").value_or(0) == 0;
    if (!same) {
        rebuildVisitList(dm, cardNumber);
        return;
    }
    dm.change(
        QStringLiteral("insert into [临时会员登记] ([登记时间],[操作员],[编号]) select [登记时间],[操作员],[编号] "
                       "from [会员登记] where [编号]=:bh"),
        {{QStringLiteral("bh"), visitId}});
}

void clearMemberLists(TvelunDMForm& dm)
{
    Transaction tx(dm.db());
    ScratchList(dm, QStringLiteral("会员提醒")).clear();
    ScratchList(dm, QStringLiteral("临时会员登记")).clear();
    tx.commit();
}

Outcome<> setCoach(const CommandContext& context, const QString& cardNumber, const QString& coach)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const qint64 changed = dm.change(QStringLiteral("update [会员信息] set [健身教练]=:jsjl where [会员卡号]=:hykh"),
                                     {{QStringLiteral("jsjl"), coach}, {QStringLiteral("hykh"), cardNumber}});
    if (changed == 0)
        return Refusal::warning(QStringLiteral("会员卡号不存在！"));
    tx.commit();
    return Done{};
}

} // namespace tkd::frontdesk
