#include "CheckIn.h"

#include "MemberLookup.h"
#include "cardtypes/CardTypes.h"
#include "data/TvelunDMForm.h"
#include "reminders/DueRules.h"
#include "security/Permissions.h"
#include "settings/OtherSettings.h"
#include "sms/SmsState.h"
#include "sms/SmsTemplates.h"

#include <QFileInfo>

#include <cmath>

namespace tkd::frontdesk {
namespace {

const QString kDate = QStringLiteral("yyyy-MM-dd");
const QString kCrLf = QStringLiteral("\r\n");

Refusal unknownMember()
{
    return Refusal::warning(QStringLiteral("会员卡号不存在！"));
}

struct Counters {
    qint64 days = 0;
    qint64 swipes = 0;
    qint64 visitsLeft = 0;
    qint64 lessonsDone = 0;
    qint64 lessonsLeft = 0;
};

Counters countersOf(const CheckInMember& m)
{
    return {m.days, m.swipes, m.visitsLeft, m.lessonsDone, m.lessonsLeft};
}

// The five rules with the member's card type already looked up.
MaybeRefusal eligibilityWith(TvelunDMForm& dm, const CheckInMember& member, const std::optional<CardType>& type,
                             const QDateTime& now)
{
    const QDate today = now.date();
    if (member.status == QStringLiteral("禁用"))
        return Refusal::warning(QStringLiteral("该会员的状态为不可用，不能登记！"));
    if (member.expiry.isValid() && QDateTime(today, QTime(0, 0)) >= member.expiry)
        return Refusal::warning(QStringLiteral("该会员已经到期，请续费！"));
    if (leaveCovering(dm, member.cardNumber, today))
        return Refusal::warning(QStringLiteral("该会员今天请假，不能登记！"));
    if (type && cardtypes::isCountCard(*type) && member.visitsLeft < 1)
        return Refusal::warning(QStringLiteral("该会员计次卡已经到期，不能登记！"));
    if (type && !cardtypes::slotAllows(*type, now))
        return Refusal::warning(QStringLiteral("该会员卡不在有效时段内，不能登记！"));
    return std::nullopt;
}

void writeCounters(TvelunDMForm& dm, const QString& cardNumber, const Counters& c)
{
    dm.change(
        QStringLiteral("update [会员信息] set [刷卡次数]=:skcs,[有效次数]=:yxcs,[完成课时]=:wcks,[剩余课时]=:syks "
                       "where [会员卡号]=:hykh"),
        {{QStringLiteral("skcs"), c.swipes},
         {QStringLiteral("yxcs"), c.visitsLeft},
         {QStringLiteral("wcks"), c.lessonsDone},
         {QStringLiteral("syks"), c.lessonsLeft},
         {QStringLiteral("hykh"), cardNumber}});
}

QString wholeDays(double days)
{
    return QString::number(static_cast<qint64>(std::trunc(days)));
}

} // namespace

std::optional<CheckInMember> readMember(TvelunDMForm& dm, const QString& cardNumber)
{
    const ResultSet row = dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), cardNumber}});
    if (row.isEmpty())
        return std::nullopt;
    auto text = [&row](const char16_t* column) { return row.first(QString::fromUtf16(column)).toText(); };
    CheckInMember m;
    m.cardNumber = text(u"会员卡号");
    m.name = text(u"会员姓名");
    m.type = text(u"会员类型");
    m.status = text(u"会员状态");
    m.coach = text(u"健身教练");
    m.mobile = text(u"移动电话");
    m.birthday = text(u"会员生日");
    m.photo = text(u"会员照片");
    m.opened = row.first(QStringLiteral("开卡日期")).toDateTime();
    m.expiry = row.first(QStringLiteral("到期日期")).toDateTime();
    auto count = [&row](const char16_t* column) {
        return static_cast<int>(row.first(QString::fromUtf16(column)).toInt());
    };
    m.visitsLeft = count(u"有效次数");
    m.days = count(u"有效天数");
    m.swipes = count(u"刷卡次数");
    m.lessonsDone = count(u"完成课时");
    m.lessonsLeft = count(u"剩余课时");
    return m;
}

MaybeRefusal eligibility(TvelunDMForm& dm, const CheckInMember& member, const QDateTime& now)
{
    return eligibilityWith(dm, member, cardtypes::find(dm, member.type), now);
}

std::optional<AttendedCheck> prepareAttended(TvelunDMForm& dm, const QString& cardNumber, const QDateTime& now)
{
    // Read together, as the desk's other reads are; the check-in itself tests the rules again.
    Transaction tx(dm.db());
    const auto member = readMember(dm, cardNumber);
    if (!member)
        return std::nullopt;
    const QDate today = now.date();
    const settings::OtherSettings lead = settings::load(dm);
    QString notices;

    if (const auto birthday = reminders::birthdayThisYear(member->birthday, today)) {
        const qint64 ahead = today.daysTo(*birthday);
        if (ahead >= 0 && ahead <= lead.birthdayLeadDays)
            notices += (ahead == 0 ? QStringLiteral("该会员今天过生日。")
                                   : QStringLiteral("该会员的生日 ") + member->birthday + QStringLiteral(" 快到了。")) +
                       kCrLf;
    }
    if (member->expiry.isValid()) {
        const double left = reminders::daysFromToday(today, member->expiry);
        if (left <= lead.memberLeadDays && left > 0)
            notices += QStringLiteral("该会员还有") + wholeDays(left) + QStringLiteral("天到期，请及时续费！") + kCrLf;
    }
    const ResultSet locker = dm.list(QStringLiteral("select [到期日期] from [衣柜设置] where [会员卡号]=:hykh and "
                                                    "[状态]=\"已租\" and [临时出租]=0"),
                                     {{QStringLiteral("hykh"), cardNumber}});
    if (!locker.isEmpty() && !locker.first(QStringLiteral("到期日期")).isNull()) {
        const double left = reminders::daysFromToday(today, locker.first(QStringLiteral("到期日期")).toDateTime());
        if (left <= lead.lockerLeadDays)
            notices += (left <= 0 ? QStringLiteral("该会员的衣柜已经到期，请续费！")
                                  : QStringLiteral("该会员的衣柜还有") + wholeDays(left) +
                                        QStringLiteral("天到期，请及时续费！")) +
                       kCrLf;
    }
    const ResultSet events = dm.list(QStringLiteral("select * from [事件提醒] where [会员卡号]=:hykh"),
                                     {{QStringLiteral("hykh"), cardNumber}});
    for (int i = 0; i < events.rowCount(); ++i) {
        const QString when = events.value(i, QStringLiteral("提醒时间")).toText();
        if (reminders::eventDue(static_cast<int>(events.value(i, QStringLiteral("提醒类型")).toInt()), when, today))
            notices += QStringLiteral("该会员 ") + when + QStringLiteral(" ") +
                       events.value(i, QStringLiteral("提醒内容")).toText() + QStringLiteral("！") + kCrLf;
    }

    AttendedCheck check;
    check.refusal = eligibility(dm, *member, now);
    if (check.refusal)
        notices += kCrLf + check.refusal->message;
    else if (!member->opened.isValid())
        notices += kCrLf + QStringLiteral("该会员还未开卡，首次登记时间为开卡时间。");
    check.notices = notices.isEmpty() ? QString(5, QLatin1Char('\n')) + QStringLiteral("无提醒内容") : kCrLf + notices;
    if (!member->photo.isEmpty() && QFileInfo(member->photo).isFile())
        check.photoPath = member->photo;
    tx.commit();
    return check;
}

Outcome<Visit> checkIn(const CommandContext& context, const QString& cardNumber)
{
    TvelunDMForm& dm = context.dm;
    const QDateTime& now = context.now;
    Transaction tx(dm.db());
    const auto member = readMember(dm, cardNumber);
    if (!member)
        return unknownMember();
    const auto type = cardtypes::find(dm, member->type);
    if (MaybeRefusal refusal = eligibilityWith(dm, *member, type, now))
        return *refusal;
    const QDate today = now.date();
    Counters c = countersOf(*member);
    QDate opened = member->opened.date();
    QDate expiry = member->expiry.date();
    if (!member->opened.isValid()) {
        opened = today;
        dm.change(QStringLiteral("update [会员信息] set [开卡日期]=:kkrq where [会员卡号]=:hykh"),
                  {{QStringLiteral("kkrq"), today}, {QStringLiteral("hykh"), cardNumber}});
        if (c.days != 0) {
            expiry = cardtypes::expiryFromOpening(today, static_cast<int>(c.days));
            dm.change(QStringLiteral("update [会员信息] set [到期日期]=:dqrq where [会员卡号]=:hykh"),
                      {{QStringLiteral("dqrq"), expiry}, {QStringLiteral("hykh"), cardNumber}});
        }
    }
    dm.change(
        QStringLiteral("insert into [会员登记] ([会员卡号],[会员姓名],[会员类型],[教练姓名],[上课次数],[登记时间],"
                       "[操作员]) values(:hykh,:hyxm,:hylx,:jlxm,:skcs,:djsj,:czy)"),
        {{QStringLiteral("hykh"), member->cardNumber},
         {QStringLiteral("hyxm"), member->name},
         {QStringLiteral("hylx"), member->type},
         {QStringLiteral("jlxm"), member->coach},
         {QStringLiteral("skcs"), 1},
         {QStringLiteral("djsj"),
          QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()))},
         {QStringLiteral("czy"), context.operatorName}});
    const qint64 visitId = dm.db().lastInsertId();
    Visit visit;
    visit.countCard = type && cardtypes::isCountCard(*type);
    c.swipes += 1;
    if (visit.countCard)
        c.visitsLeft -= 1;
    c.lessonsDone += 1;
    c.lessonsLeft = c.lessonsLeft > 1 ? c.lessonsLeft - 1 : 0;
    writeCounters(dm, cardNumber, c);
    addVisitToList(dm, cardNumber, visitId);
    tx.commit();

    visit.opened = opened.toString(kDate);
    visit.expiry = expiry.isValid() ? expiry.toString(kDate) : QString();
    visit.swipes = QString::number(c.swipes) + QStringLiteral("次");
    visit.visitsLeft = QString::number(c.visitsLeft) + QStringLiteral("次");
    visit.mobile = member->mobile;
    visit.smsText = sms::checkInText(member->name, cardNumber, now, context.sms ? context.sms->signature : QString());
    return visit;
}

Outcome<Visit> deleteVisit(const CommandContext& context, const QString& cardNumber, qint64 visitId)
{
    if (MaybeRefusal refusal =
            security::requireSuperUser(context.operatorName, security::SuperUserOperation::DeleteVisit))
        return *refusal;
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const auto member = readMember(dm, cardNumber);
    if (!member)
        return unknownMember();
    // Only a visit of this member: a stale list must not give counters to the wrong card.
    if (dm.list(QStringLiteral("select [编号] from [会员登记] where [编号]=:bh and [会员卡号]=:hykh"),
                {{QStringLiteral("bh"), visitId}, {QStringLiteral("hykh"), cardNumber}})
            .isEmpty())
        return Refusal::warning(QStringLiteral("该登记记录已不存在！"));
    const auto type = cardtypes::find(dm, member->type);
    Visit visit;
    visit.countCard = type && cardtypes::isCountCard(*type);
    Counters c = countersOf(*member);
    c.swipes -= 1;
    if (visit.countCard)
        c.visitsLeft += 1;
    c.lessonsDone -= 1;
    c.lessonsLeft += 1;
    writeCounters(dm, cardNumber, c);
    dm.change(QStringLiteral("delete from [会员登记] where [编号]=:bh"), {{QStringLiteral("bh"), visitId}});
    rebuildVisitList(dm, cardNumber);
    tx.commit();
    visit.opened = member->opened.isValid() ? member->opened.date().toString(kDate) : QString();
    visit.expiry = member->expiry.isValid() ? member->expiry.date().toString(kDate) : QString();
    visit.swipes = QString::number(c.swipes) + QStringLiteral("次");
    visit.visitsLeft = QString::number(c.visitsLeft) + QStringLiteral("次");
    return visit;
}

} // namespace tkd::frontdesk
