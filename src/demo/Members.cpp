#include "Members.h"

#include "Reference.h"
#include "data/TvelunDMForm.h"

#include <algorithm>

namespace tkd::demo {
namespace {

QString t(const char16_t* text)
{
    return QString::fromUtf16(text);
}

const char16_t kSurnames[] = u"王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋蔡余杜叶"
                             u"程苏魏吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛段雷侯龙史陶黎贺顾毛郝"
                             u"龚邵万钱严武戴莫孔向汤";
const char16_t kBoyChars[] = u"子轩浩然宇俊杰涛明辰睿博文航泽宸铭一诺晨阳嘉昊天瑞奕凯鹏翔鑫磊毅豪峻哲";
const char16_t kGirlChars[] = u"欣怡梓涵诗雨婷佳琪萱可馨悦梦彤雅静思若语晴妍琳瑶菲颖月萌蕊琬";

QChar pickChar(Rng& rng, const char16_t* chars, int count)
{
    return QChar(chars[rng.below(count)]);
}

QString personName(Rng& rng, bool boy)
{
    QString name(pickChar(rng, kSurnames, int(std::size(kSurnames)) - 1));
    const char16_t* chars = boy ? kBoyChars : kGirlChars;
    const int count = int(boy ? std::size(kBoyChars) : std::size(kGirlChars)) - 1;
    name += pickChar(rng, chars, count);
    if (rng.chance(70))
        name += pickChar(rng, chars, count);
    return name;
}

int pickType(Rng& rng)
{
    int total = 0;
    for (int i = 0; i < TypeCount; ++i)
        total += cardType(i).share;
    int r = rng.below(total);
    for (int i = 0; i < TypeCount; ++i) {
        r -= cardType(i).share;
        if (r < 0)
            return i;
    }
    return Month;
}

int randomSecond(Rng& rng, int fromHour, int toHour)
{
    return rng.between(fromHour * 3600, toHour * 3600 - 1);
}

// Places the card's periods, leave and opening day so that the expiry lands where the standing wants it.
void placeDates(Rng& rng, Member& m, const QDate& today, int leaveDays)
{
    const CardTypeSpec& type = cardType(m.type);
    if (m.standing == Standing::NeverOpened) {
        m.joined = today.addDays(-rng.between(0, 45));
        return;
    }
    if (type.days == 0) {
        m.opened = today.addDays(-rng.between(5, 330));
    } else {
        const int d = type.days;
        switch (m.standing) {
        case Standing::Expiring:
            m.expires = today.addDays(rng.between(3, 6));
            break;
        case Standing::Expired:
            m.expires = today.addDays(-rng.between(1, 180));
            break;
        default:
            m.expires = today.addDays(rng.between(std::min(10, d), d));
            break;
        }
        const int room = int(today.addDays(-330).daysTo(m.expires)) - leaveDays;
        m.periods = rng.between(1, std::max(1, room / d));
        m.opened = m.expires.addDays(-qint64(m.periods) * d - leaveDays);
    }
    // A weekday card is opened by a visit, which can only fall on an allowed day.
    while (!allowedDay(type, m.opened)) {
        m.opened = m.opened.addDays(-1);
        if (m.expires.isValid())
            m.expires = m.expires.addDays(-1);
    }
    m.joined = m.opened.addDays(-rng.between(0, 5));
}

// A busy member came most days of the past eleven months on a day card renewed all along, with a
// week or so of leave in between.
void placeBusyDates(Rng& rng, Member& m, const QDate& today, int leaveDays)
{
    static const int types[] = {Month, Quarter, Year};
    m.type = rng.pick(types);
    const int d = cardType(m.type).days;
    m.opened = today.addDays(-330);
    m.periods = (330 + 20) / d + 1;
    m.expires = m.opened.addDays(qint64(m.periods) * d + leaveDays);
    m.joined = m.opened.addDays(-rng.between(0, 3));
    const QDate start = m.opened.addDays(rng.between(30, 300 - leaveDays));
    m.leaves.push_back({0, start, start.addDays(leaveDays), QString(), leaveDays});
}

void applySpecialCase(Member& m, int index, const QDate& today)
{
    switch (index) {
    case Busiest:
        m.coach = coach(0);
        break;
    case NeverOpened:
        m.standing = Standing::NeverOpened;
        break;
    case Expired:
        m.type = Month;
        m.standing = Standing::Expired;
        break;
    case Expiring:
        m.type = Quarter;
        m.standing = Standing::Expiring;
        break;
    case Disabled:
        m.disabled = true;
        break;
    case BirthdayToday:
        m.birthday = today.toString(QStringLiteral("MM-dd"));
        break;
    case OnLeave:
        m.type = Month;
        m.standing = Standing::Valid;
        break;
    case CountCard:
        m.type = TenVisits;
        break;
    case NeverExpires:
        m.type = Lifetime;
        break;
    case MorningSlot:
        m.type = Morning;
        break;
    case WeekdaySlot:
        m.type = Weekdays;
        break;
    default:
        break;
    }
    if (index < SpecialCount && index != Disabled)
        m.disabled = false;
    if (index < SpecialCount && index != NeverOpened && m.standing == Standing::NeverOpened)
        m.standing = Standing::Valid;
}

void placeLeave(Rng& rng, Member& m, const QDate& today, int index, int leaveDays)
{
    static const char16_t* const remarks[] = {u"外出比赛", u"生病", u"出差", u"学校考试", u"回老家"};
    if (leaveDays == 0)
        return;
    if (index == OnLeave) {
        m.leaves.push_back({0, today.addDays(-2), today.addDays(5), QString(), leaveDays});
    } else if (!m.busy) {
        const QDate last = std::min(today, m.expires).addDays(-leaveDays - 1);
        const qint64 span = m.opened.addDays(3).daysTo(last);
        if (span < 0) {
            // No room for the leave: the card starts later instead, keeping the expiry the standing chose
            // (and its distance from the opening, on a weekday card too).
            m.opened = m.opened.addDays(leaveDays);
            while (!allowedDay(cardType(m.type), m.opened)) {
                m.opened = m.opened.addDays(-1);
                m.expires = m.expires.addDays(-1);
            }
            m.joined = std::min(m.joined.addDays(leaveDays), m.opened);
            return;
        }
        const QDate start = m.opened.addDays(3 + rng.below(int(span) + 1));
        m.leaves.push_back({0, start, start.addDays(leaveDays), QString(), leaveDays});
    }
    Leave& leave = m.leaves.back();
    const QDate recorded = std::max(m.opened, leave.start.addDays(-rng.between(0, 3)));
    leave.recorded = momentOf(recorded, randomSecond(rng, 9, 20));
    leave.remark = t(rng.pick(remarks));
}

} // namespace

Member planMember(Rng& rng, int index, const QDate& today, bool busy)
{
    Member m;
    m.index = index;
    m.card = QStringLiteral("%1").arg(index + 1, 6, 10, QLatin1Char('0'));
    const bool boy = rng.chance(60);
    m.sex = boy ? t(u"男") : t(u"女");
    m.name = personName(rng, boy);
    m.birthday = index % 10 == 9 ? QStringLiteral("00-00")
                                 : QStringLiteral("%1-%2")
                                       .arg(rng.between(1, 12), 2, 10, QLatin1Char('0'))
                                       .arg(rng.between(1, 28), 2, 10, QLatin1Char('0'));
    static const int prefixes[] = {135, 136, 138, 139, 150, 158, 186, 189};
    m.mobile =
        QString::number(rng.pick(prefixes)) + QStringLiteral("%1").arg(rng.below(100000000), 8, 10, QLatin1Char('0'));
    if (rng.chance(30))
        m.phone = QStringLiteral("0571-8%1").arg(rng.below(10000000), 7, 10, QLatin1Char('0'));
    if (rng.chance(70))
        m.coach = coach(rng.below(kCoachCount));
    if (rng.chance(60))
        m.consultant = consultant(rng.below(kConsultantCount));
    static const char16_t* const sources[] = {u"朋友介绍", u"网络", u"传单", u"路过", u"学校推荐"};
    static const char16_t* const goals[] = {u"考级", u"强身健体", u"防身", u"参加比赛", u"培养毅力"};
    static const char16_t* const methods[] = {u"现金", u"银行卡", u"微信"};
    m.source = t(rng.pick(sources));
    m.goal = t(rng.pick(goals));
    m.payMethod = t(rng.pick(methods));

    m.type = pickType(rng);
    const int r = rng.below(100);
    m.standing = r < 7    ? Standing::NeverOpened
                 : r < 22 ? Standing::Expired
                 : r < 27 ? Standing::Expiring
                          : Standing::Valid;
    m.disabled = rng.chance(3);
    m.busy = busy;
    if (busy) {
        m.standing = Standing::Valid;
        m.disabled = false;
    }
    applySpecialCase(m, index, today);
    // Without a day limit a card can be neither expired nor about to expire.
    if (cardType(m.type).days == 0 && m.standing != Standing::NeverOpened)
        m.standing = Standing::Valid;

    int leaveDays = 0;
    if (busy)
        leaveDays = rng.between(5, 10);
    else if (index == OnLeave)
        leaveDays = 7;
    else if (cardType(m.type).days > 0 && m.standing != Standing::NeverOpened && rng.chance(7))
        leaveDays = rng.between(3, 10);
    if (busy)
        placeBusyDates(rng, m, today, leaveDays);
    else
        placeDates(rng, m, today, leaveDays);
    placeLeave(rng, m, today, index, leaveDays);
    m.joinedAt = momentOf(m.joined, randomSecond(rng, 9, 20));
    // Some cards were opened at registration and never used since.
    if (m.standing != Standing::NeverOpened)
        m.weight = rng.chance(4) ? 0 : m.standing == Standing::Expired ? rng.between(2, 20) : rng.between(5, 60);
    return m;
}

void settleCounters(Member& m)
{
    const CardTypeSpec& type = cardType(m.type);
    // Grades climb with the lessons attended; the lessons left count towards the next one.
    m.gradeIndex = m.visitCount == 0 ? -1 : std::min(kGradeCount - 1, m.visitCount / kVisitsPerGrade);
    const int nextLessons = grade(std::min(kGradeCount - 1, m.gradeIndex + 1)).lessons;
    m.lessonsLeft = m.gradeIndex < 0 ? 0 : nextLessons - m.visitCount % nextLessons;
    m.visitsLeft = type.visits > 0 ? m.periods * type.visits + m.extraVisits - m.visitCount : 0;
}

void writeMember(Books& books, const Member& m)
{
    const CardTypeSpec& type = cardType(m.type);
    auto dateOrNull = [](const QDate& day) { return day.isValid() ? Value(day) : Value(); };
    books.dm.change(
        QStringLiteral(
            "insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[移动电话],[固定电话],[加入时间],[开卡日期],"
            "[到期日期],[会员状态],[会员密码],[会员生日],[性别],[结帐方式],[信息来源],[证件名称],[证件号码],"
            "[健身教练],[衣柜编号],[会籍顾问],[健身需求],[介绍人],[介绍人卡号],[备注说明],[会员照片],[消费总额],"
            "[刷卡次数],[会员积分],[卡内余额],[有效次数],[有效天数],[售价],[会员级别],[完成课时],[剩余课时]) "
            "values(:hykh,:hyxm,:hylx,:yddh,:gddh,:jrsj,:kkrq,:dqrq,:hyzt,:hymm,:hysr,:xb,:jzfs,:xxly,:zjmc,:zjhm,"
            ":jsjl,:ygbh,:hjgw,:jsxq,:jsr,:jsrkh,:bzsm,:hyzp,:xfze,:skcs,:hyjf,:knye,:yxcs,:yxts,:sj,:hyjb,:wcks,:"
            "syks)"),
        {{QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("hylx"), t(type.name)},
         {QStringLiteral("yddh"), m.mobile},
         {QStringLiteral("gddh"), m.phone},
         {QStringLiteral("jrsj"), m.joined},
         {QStringLiteral("kkrq"), dateOrNull(m.opened)},
         {QStringLiteral("dqrq"), dateOrNull(m.expires)},
         {QStringLiteral("hyzt"), m.disabled ? t(u"禁用") : t(u"可用")},
         {QStringLiteral("hymm"), QString()},
         {QStringLiteral("hysr"), m.birthday},
         {QStringLiteral("xb"), m.sex},
         {QStringLiteral("jzfs"), m.payMethod},
         {QStringLiteral("xxly"), m.source},
         {QStringLiteral("zjmc"), QString()},
         {QStringLiteral("zjhm"), QString()},
         {QStringLiteral("jsjl"), m.coach},
         {QStringLiteral("ygbh"), m.locker},
         {QStringLiteral("hjgw"), m.consultant},
         {QStringLiteral("jsxq"), m.goal},
         {QStringLiteral("jsr"), QString()},
         {QStringLiteral("jsrkh"), QString()},
         {QStringLiteral("bzsm"), QString()},
         {QStringLiteral("hyzp"), m.photo},
         {QStringLiteral("xfze"), m.spent},
         {QStringLiteral("skcs"), m.visitCount},
         {QStringLiteral("hyjf"), m.points},
         {QStringLiteral("knye"), m.balance},
         {QStringLiteral("yxcs"), m.visitsLeft},
         {QStringLiteral("yxts"), type.days},
         {QStringLiteral("sj"), Money::fromYuan(type.price)},
         {QStringLiteral("hyjb"), m.gradeIndex < 0 ? QString() : t(grade(m.gradeIndex).name)},
         {QStringLiteral("wcks"), m.visitCount},
         {QStringLiteral("syks"), m.lessonsLeft}});
}

} // namespace tkd::demo
