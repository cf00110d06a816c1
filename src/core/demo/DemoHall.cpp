#include "DemoHall.h"

#include "data/TvelunDMForm.h"

#include <QTimeZone>
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace tkd::demo {
namespace {

const QString kOperator = QStringLiteral("超级用户");

// The standard distributions differ between libraries; this keeps the rows the same everywhere.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : m_engine(seed) {}
    int below(int n) { return n <= 0 ? 0 : static_cast<int>((std::uint64_t(m_engine()) * std::uint64_t(n)) >> 32); }
    int between(int lo, int hi) { return hi <= lo ? lo : lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) { return items[below(int(N))]; }

private:
    std::mt19937 m_engine;
};

QString t(const char16_t* text)
{
    return QString::fromUtf16(text);
}

struct CardType {
    const char16_t* code;
    const char16_t* name;
    int visits;
    int days;
    int price;
    double discount;
    int slotKind;
    const char16_t* from;
    const char16_t* to;
    const char16_t* weekdays;
    int share;
};

enum TypeIndex { Month, Quarter, Year, TenVisits, TwentyVisits, Lifetime, Morning, Weekdays };

const CardType kTypes[] = {
    {u"01", u"月卡", 0, 30, 300, 1.0, 0, u"", u"", u"", 20},
    {u"02", u"季卡", 0, 90, 800, 0.95, 0, u"", u"", u"", 20},
    {u"03", u"年卡", 0, 365, 2800, 0.9, 0, u"", u"", u"", 20},
    {u"04", u"十次卡", 10, 0, 500, 1.0, 0, u"", u"", u"", 10},
    {u"05", u"二十次卡", 20, 0, 900, 0.95, 0, u"", u"", u"", 10},
    {u"06", u"终身卡", 0, 0, 9800, 0.8, 0, u"", u"", u"", 4},
    {u"07", u"早场月卡", 0, 30, 200, 1.0, 1, u"08:00", u"10:00", u"", 8},
    {u"08", u"一三五季卡", 0, 90, 600, 1.0, 2, u"", u"", u"1010100", 8},
};
constexpr int kTypeCount = int(std::size(kTypes));

struct Grade {
    const char16_t* name;
    int lessons;
    int fee;
};
const Grade kGrades[] = {{u"白带", 20, 50},  {u"黄带", 30, 100}, {u"绿带", 40, 150},
                         {u"蓝带", 50, 200}, {u"红带", 60, 300}, {u"黑带", 80, 500}};
constexpr int kGradeCount = int(std::size(kGrades));
constexpr int kVisitsPerGrade = 50;

struct Goods {
    const char16_t* code;
    const char16_t* name;
    int category;
    const char16_t* unit;
    int cost;
    int price;
    bool service;
};
const char16_t* const kCategories[] = {u"训练用品", u"饮品", u"服务项目"};
const Goods kGoods[] = {
    {u"100001", u"道服", 0, u"套", 80, 160, false},     {u"100002", u"护具套装", 0, u"套", 150, 280, false},
    {u"100003", u"腰带", 0, u"条", 10, 30, false},      {u"100004", u"脚靶", 0, u"个", 40, 80, false},
    {u"200001", u"矿泉水", 1, u"瓶", 1, 2, false},      {u"200002", u"运动饮料", 1, u"瓶", 3, 6, false},
    {u"300001", u"私教体验课", 2, u"次", 0, 150, true}, {u"300002", u"拉伸理疗", 2, u"次", 0, 80, true},
};
constexpr int kGoodsCount = int(std::size(kGoods));

const char16_t* const kCoaches[] = {u"王志刚", u"李娜", u"陈浩", u"周婷"};
const char16_t* const kConsultants[] = {u"赵敏", u"刘洋"};

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

enum class Standing { NeverOpened, Valid, Expiring, Expired };

struct Member {
    QString card;
    bool busy = false;
    QString name;
    QString sex;
    QString birthday;
    QString mobile;
    QString phone;
    QString coach;
    QString consultant;
    QString locker;
    QString source;
    QString goal;
    QString payMethod;
    int type = Month;
    Standing standing = Standing::Valid;
    bool disabled = false;
    QDate joined;
    QDate opened;
    QDate expires;
    int periods = 1;
    QDate leaveStart;
    QDate leaveEnd;
    QDate lockerEnd;
    int visits = 0;
    int weight = 0;
};

// The fixed cases, by member index.
enum Special {
    Busiest,
    NeverOpened,
    Expired,
    Expiring,
    Disabled,
    BirthdayToday,
    OnLeave,
    CountCard,
    NeverExpires,
    MorningSlot,
    WeekdaySlot,
    LockerEnding,
    SpecialCount
};

bool allowedDay(const CardType& type, const QDate& day)
{
    return type.slotKind != 2 || type.weekdays[day.dayOfWeek() - 1] == u'1';
}

int pickType(Rng& rng)
{
    int total = 0;
    for (const CardType& type : kTypes)
        total += type.share;
    int r = rng.below(total);
    for (int i = 0; i < kTypeCount; ++i) {
        r -= kTypes[i].share;
        if (r < 0)
            return i;
    }
    return Month;
}

// Places the card's periods, leave and opening day so that the expiry lands where the standing wants it.
void placeDates(Rng& rng, Member& m, const QDate& today, int leaveDays)
{
    const CardType& type = kTypes[m.type];
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

Member makeMember(Rng& rng, int index, const QDate& today, bool busy)
{
    Member m;
    m.card = cardNumber(index);
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
        m.coach = t(rng.pick(kCoaches));
    if (rng.chance(60))
        m.consultant = t(rng.pick(kConsultants));
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
        m.type = Year;
        m.standing = Standing::Valid;
        m.disabled = false;
    }
    switch (index) {
    case Busiest:
        m.type = Year;
        m.standing = Standing::Valid;
        m.disabled = false;
        m.coach = t(kCoaches[0]);
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
    // Without a day limit a card can be neither expired nor about to expire.
    if (kTypes[m.type].days == 0 && m.standing != Standing::NeverOpened)
        m.standing = Standing::Valid;

    int leaveDays = 0;
    if (index == OnLeave)
        leaveDays = 7;
    else if (!busy && kTypes[m.type].days > 0 && m.standing != Standing::NeverOpened && rng.chance(7))
        leaveDays = rng.between(3, 10);
    placeDates(rng, m, today, leaveDays);
    if (index == OnLeave) {
        m.leaveStart = today.addDays(-2);
        m.leaveEnd = today.addDays(5);
    } else if (leaveDays > 0) {
        const QDate last = std::min(today, m.expires).addDays(-leaveDays - 1);
        const qint64 span = m.opened.addDays(3).daysTo(last);
        if (span >= 0) {
            m.leaveStart = m.opened.addDays(3 + rng.below(int(span) + 1));
            m.leaveEnd = m.leaveStart.addDays(leaveDays);
        } else {
            // No room for the leave: the card starts later instead, keeping the expiry the standing chose.
            m.opened = m.opened.addDays(leaveDays);
            while (!allowedDay(kTypes[m.type], m.opened))
                m.opened = m.opened.addDays(-1);
            m.joined = std::min(m.joined.addDays(leaveDays), m.opened);
        }
    }
    if (busy) {
        // Spread the busiest member's visits over most of the year.
        m.opened = today.addDays(-330);
        m.expires = m.opened.addDays(kTypes[Year].days);
        m.periods = 1;
        m.joined = m.opened.addDays(-2);
    }
    // Some cards were opened at registration and never used since.
    if (m.standing != Standing::NeverOpened)
        m.weight = rng.chance(4) ? 0 : m.standing == Standing::Expired ? rng.between(2, 20) : rng.between(5, 60);
    return m;
}

// Only the wall-clock text is stored; a fixed zone spares a time-zone lookup per row, which dominates large halls.
QDateTime at(const QDate& day, int secondOfDay)
{
    static const QTimeZone zone = QTimeZone::utc();
    return QDateTime(day, QTime(0, 0).addSecs(secondOfDay), zone);
}

int randomSecond(Rng& rng, int fromHour, int toHour)
{
    return rng.between(fromHour * 3600, toHour * 3600 - 1);
}

Value dateOrNull(const QDate& day)
{
    return day.isValid() ? Value(day) : Value();
}

class Writer {
public:
    Writer(TvelunDMForm& dm, const QDate& today) : m_dm(dm), m_today(today), m_rng(20241210) {}

    void cardTypes();
    void staff();
    void grades();
    void goods();
    void member(const Member& m, const QString& photo);
    void lockers(const std::vector<Member>& members, int count);
    void reminders(Rng& rng, const std::vector<Member>& members);
    void goodsTotals();

private:
    std::vector<qint64> visitMoments(const Member& m);
    void payment(const Member& m, const QDateTime& when, Money amount, Money discount, const QString& kind,
                 const QString& remark);

    TvelunDMForm& m_dm;
    QDate m_today;
    Rng m_rng;
    Money m_pointUnit = Money::fromYuan(10);
    std::vector<qint64> m_goodsIds;
    double m_sold[kGoodsCount] = {};
};

void Writer::cardTypes()
{
    for (const CardType& type : kTypes) {
        m_dm.change(
            QStringLiteral("insert into [会员卡类型] ([类型编号],[类型名称],[有效次数],[有效天数],[售价],[折扣率],"
                           "[是否有时间段],[时间段类型],[时间1],[时间2],[时间3]) values (:lxbh,:lxmc,:yxcs,"
                           ":yxts,:sj,:zkl,:sfysjd,:sjdlx,:time1,:time2,:time3)"),
            {{QStringLiteral("lxbh"), t(type.code)},
             {QStringLiteral("lxmc"), t(type.name)},
             {QStringLiteral("yxcs"), type.visits},
             {QStringLiteral("yxts"), type.days},
             {QStringLiteral("sj"), Money::fromYuan(type.price)},
             {QStringLiteral("zkl"), type.discount},
             {QStringLiteral("sfysjd"), type.slotKind != 0},
             {QStringLiteral("sjdlx"), type.slotKind},
             {QStringLiteral("time1"), t(type.from)},
             {QStringLiteral("time2"), t(type.to)},
             {QStringLiteral("time3"), t(type.weekdays)}});
    }
    // Consumption points follow the hall's own setting.
    const Value unit = m_dm.db().scalar(QStringLiteral("select [消费积分] from [其它设置]"));
    if (!unit.isNull() && unit.toMoney() > Money())
        m_pointUnit = unit.toMoney();
}

void Writer::staff()
{
    struct Person {
        const char16_t* name;
        const char16_t* title;
        const char16_t* status;
    };
    const Person people[] = {
        {kCoaches[0], u"教练", u"正常"},
        {kCoaches[1], u"教练", u"正常"},
        {kCoaches[2], u"教练", u"正常"},
        {kCoaches[3], u"教练", u"正常"},
        {u"吴磊", u"教练", u"离职"},
        {kConsultants[0], u"会籍顾问", u"正常"},
        {kConsultants[1], u"会籍顾问", u"正常"},
        {u"孙丽", u"前台", u"正常"},
    };
    int n = 0;
    for (const Person& p : people) {
        m_dm.change(QStringLiteral("insert into [员工设置] ([姓名],[职务],[联系电话],[联系地址],[状态],[备注]) "
                                   "values (:xm,:zw,:lxdh,:lxdz,:zt,'')"),
                    {{QStringLiteral("xm"), t(p.name)},
                     {QStringLiteral("zw"), t(p.title)},
                     {QStringLiteral("lxdh"), QStringLiteral("1390571%1").arg(++n, 4, 10, QLatin1Char('0'))},
                     {QStringLiteral("lxdz"), t(u"杭州市西湖区文三路")},
                     {QStringLiteral("zt"), t(p.status)}});
    }
}

void Writer::grades()
{
    for (const Grade& g : kGrades)
        m_dm.change(
            QStringLiteral("insert into [报考级别] ([级别名称],[所需课时],[考核费用]) values (:jbmc,:sxks,:khfy)"),
            {{QStringLiteral("jbmc"), t(g.name)},
             {QStringLiteral("sxks"), g.lessons},
             {QStringLiteral("khfy"), Money::fromYuan(g.fee)}});
}

void Writer::goods()
{
    std::vector<qint64> categoryIds;
    for (const char16_t* name : kCategories) {
        m_dm.change(QStringLiteral("insert into [商品类别] ([类别名称],[父结点]) values (:lbmc,0)"),
                    {{QStringLiteral("lbmc"), t(name)}});
        categoryIds.push_back(m_dm.db().lastInsertId());
    }
    // Nothing is counted in stock, so the sales need no stock ledger to stay consistent.
    for (const Goods& g : kGoods) {
        m_dm.change(
            QStringLiteral("insert into [商品信息] ([商品编号],[商品名称],[商品类别],[单位],[是否计库存],[预设进价],"
                           "[预售单价],[数量],[销售总数],[是否兑换],[兑换积分],[人工服务],[备注],[父结点]) values "
                           "(:spbh,:spmc,:splb,:dw,0,:yjj,:ysdj,0,0,:sfdh,:dhjf,:rgfw,'',:fjd)"),
            {{QStringLiteral("spbh"), t(g.code)},
             {QStringLiteral("spmc"), t(g.name)},
             {QStringLiteral("splb"), t(kCategories[g.category])},
             {QStringLiteral("dw"), t(g.unit)},
             {QStringLiteral("yjj"), Money::fromYuan(g.cost)},
             {QStringLiteral("ysdj"), Money::fromYuan(g.price)},
             {QStringLiteral("sfdh"), !g.service && g.price <= 30},
             {QStringLiteral("dhjf"), g.service ? 0 : g.price * 2},
             {QStringLiteral("rgfw"), g.service},
             {QStringLiteral("fjd"), categoryIds[size_t(g.category)]}});
    }
}

std::vector<qint64> Writer::visitMoments(const Member& m)
{
    std::vector<qint64> moments;
    if (m.visits == 0)
        return moments;
    const CardType& type = kTypes[m.type];
    QDate last = m_today;
    if (m.expires.isValid() && m.expires < last)
        last = m.expires;
    const QDate first = m.opened;
    const int span = std::max(0, int(first.daysTo(last)));
    moments.reserve(size_t(m.visits));
    for (int k = 0; k < m.visits; ++k) {
        // The first visit is the one that opened the card; the others avoid leave and days the card refuses.
        QDate day = first;
        for (int tries = 0; k > 0 && tries < 20; ++tries) {
            const QDate candidate = first.addDays(m_rng.below(span + 1));
            const bool onLeave = m.leaveStart.isValid() && candidate >= m.leaveStart && candidate <= m.leaveEnd;
            if (allowedDay(type, candidate) && !onLeave) {
                day = candidate;
                break;
            }
        }
        const int second = type.slotKind == 1 ? randomSecond(m_rng, 8, 10) : randomSecond(m_rng, 9, 21);
        moments.push_back(day.toJulianDay() * 86400 + second);
    }
    std::sort(moments.begin(), moments.end());
    return moments;
}

void Writer::payment(const Member& m, const QDateTime& when, Money amount, Money discount, const QString& kind,
                     const QString& remark)
{
    m_dm.change(
        QStringLiteral("insert into [会员充值] ([充值日期],[会员卡号],[会员姓名],[充值金额],[优惠金额],[实际存入金额],"
                       "[充值说明],[结帐方式],[操作员],[备注]) values (:czrq,:hykh,:hyxm,:czje,:yhje,:sjcrje,"
                       ":czsm,:jzfs,:czry,:bz)"),
        {{QStringLiteral("czrq"), when},
         {QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("czje"), amount},
         {QStringLiteral("yhje"), discount},
         {QStringLiteral("sjcrje"), amount - discount},
         {QStringLiteral("czsm"), kind},
         {QStringLiteral("jzfs"), m.payMethod},
         {QStringLiteral("czry"), kOperator},
         {QStringLiteral("bz"), remark}});
}

void Writer::member(const Member& m, const QString& photo)
{
    const CardType& type = kTypes[m.type];
    const QString typeName = t(type.name);
    const std::vector<qint64> visits = visitMoments(m);
    const int visitCount = int(visits.size());
    const QDate since = m.opened.isValid() ? m.opened : m.joined;

    // Payments: the card's first period at registration, then one renewal per further period.
    const Money price = Money::fromYuan(type.price);
    int periods = m.periods;
    if (type.visits > 0)
        periods = std::max(1, (visitCount + type.visits - 1) / type.visits);
    const QDateTime joinedAt = at(m.joined, randomSecond(m_rng, 9, 20));
    payment(m, joinedAt, price, Money(), t(u"续费等级：") + typeName, t(u"添加会员时续费"));
    const qint64 spanDays = since.daysTo(m_today);
    for (int p = 1; p < periods; ++p) {
        const QDate day = type.days > 0 ? m.opened.addDays(qint64(p) * type.days - m_rng.between(0, 5))
                                        : since.addDays(spanDays * p / periods);
        payment(m, at(std::min(day, m_today), randomSecond(m_rng, 9, 20)), price, Money(), t(u"交费等级：") + typeName,
                QString());
    }
    int extraVisits = 0;
    if (type.visits > 0 && m_rng.chance(12)) {
        extraVisits = 5;
        payment(m, at(since.addDays(spanDays / 2), randomSecond(m_rng, 9, 20)), Money::fromYuan(250), Money(),
                t(u"自定义续费"), t(u"加购五次"));
    }
    Money balance;
    if (m_rng.chance(25)) {
        static const int amounts[] = {500, 1000, 2000};
        const Money amount = Money::fromYuan(m_rng.pick(amounts));
        balance = amount;
        payment(m, joinedAt.addSecs(600), amount, amount.times(0.1), t(u"会员交费"), QString());
    }

    // Sales: paid from the stored value while it lasts, otherwise in cash or by credit card.
    Money spent;
    qint64 points = 0;
    const int checkouts = m_rng.chance(40) ? m_rng.between(1, 2) : 0;
    for (int c = 0; c < checkouts; ++c) {
        const QDateTime when =
            at(m.joined.addDays(m_rng.below(int(m.joined.daysTo(m_today)) + 1)), randomSecond(m_rng, 10, 21));
        struct Line {
            int goods;
            int quantity;
            Money total;
        };
        std::vector<Line> lines;
        Money sum;
        const int lineCount = m_rng.between(1, 2);
        for (int l = 0; l < lineCount; ++l) {
            const int g = m_rng.below(kGoodsCount);
            const int quantity = kGoods[g].price <= 6 ? m_rng.between(1, 6) : 1;
            const Money total =
                Money::fromYuan(kGoods[g].price).times(quantity * type.discount).roundedToCentsHalfEven();
            lines.push_back({g, quantity, total});
            sum += total;
        }
        const bool stored = balance >= sum;
        const QString means = stored ? t(u"储值卡结帐") : m_rng.chance(15) ? t(u"信用卡结帐") : t(u"现金结帐");
        for (const Line& line : lines) {
            const Goods& g = kGoods[line.goods];
            m_dm.change(
                QStringLiteral("insert into [会员消费] ([消费日期],[会员卡号],[会员姓名],[商品编号],[商品名称],[单位],"
                               "[单价],[数量],[折扣率],[总金额],[服务员工],[操作员],[付款方式],[备注]) values (:xfrq,"
                               ":hykh,:hyxm,:spbh,:spmc,:dw,:dj,:sl,:zkl,:zje,:fwyg,:czry,:fkfs,'')"),
                {{QStringLiteral("xfrq"), when},
                 {QStringLiteral("hykh"), m.card},
                 {QStringLiteral("hyxm"), m.name},
                 {QStringLiteral("spbh"), t(g.code)},
                 {QStringLiteral("spmc"), t(g.name)},
                 {QStringLiteral("dw"), t(g.unit)},
                 {QStringLiteral("dj"), Money::fromYuan(g.price)},
                 {QStringLiteral("sl"), double(line.quantity)},
                 {QStringLiteral("zkl"), type.discount},
                 {QStringLiteral("zje"), line.total},
                 {QStringLiteral("fwyg"), g.service ? t(kCoaches[line.goods % 4]) : QString()},
                 {QStringLiteral("czry"), kOperator},
                 {QStringLiteral("fkfs"), means}});
            m_sold[line.goods] += line.quantity;
        }
        const bool credit = means == t(u"信用卡结帐");
        m_dm.change(
            QStringLiteral("insert into [金额记录] ([会员卡号],[会员姓名],[储值卡],[现金],[信用卡],[日期],[操作员]) "
                           "values (:hykh,:hyxm,:czk,:xj,:xyk,:rq,:czry)"),
            {{QStringLiteral("hykh"), m.card},
             {QStringLiteral("hyxm"), m.name},
             {QStringLiteral("czk"), stored ? sum : Money()},
             {QStringLiteral("xj"), !stored && !credit ? sum : Money()},
             {QStringLiteral("xyk"), credit ? sum : Money()},
             {QStringLiteral("rq"), when},
             {QStringLiteral("czry"), kOperator}});
        if (stored)
            balance -= sum;
        spent += sum;
        points += sum.units() / m_pointUnit.units();
    }

    // Grades climb with the lessons attended; the lessons left count towards the next one.
    const int gradeIndex = visitCount == 0 ? -1 : std::min(kGradeCount - 1, visitCount / kVisitsPerGrade);
    const int nextLessons = kGrades[std::min(kGradeCount - 1, gradeIndex + 1)].lessons;
    const int lessonsLeft = gradeIndex < 0 ? 0 : nextLessons - visitCount % nextLessons;
    const int visitsLeft = type.visits > 0 ? periods * type.visits + extraVisits - visitCount : 0;

    m_dm.change(
        QStringLiteral(
            "insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[移动电话],[固定电话],[加入时间],[开卡日期],"
            "[到期日期],[会员状态],[会员密码],[会员生日],[性别],[结帐方式],[信息来源],[证件名称],[证件号码],"
            "[健身教练],[衣柜编号],[会籍顾问],[健身需求],[介绍人],[介绍人卡号],[备注说明],[会员照片],[消费总额],"
            "[刷卡次数],[会员积分],[卡内余额],[有效次数],[有效天数],[售价],[会员级别],[完成课时],[剩余课时]) "
            "values (:hykh,:hyxm,:hylx,:yddh,:gddh,:jrsj,:kkrq,:dqrq,:hyzt,'',:hysr,:xb,:jzfs,:xxly,'','',"
            ":jsjl,:ygbh,:hjgw,:jsxq,'','','',:hyzp,:xfze,:skcs,:hyjf,:knye,:yxcs,:yxts,:sj,:hyjb,:wcks,:syks)"),
        {{QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("hylx"), typeName},
         {QStringLiteral("yddh"), m.mobile},
         {QStringLiteral("gddh"), m.phone},
         {QStringLiteral("jrsj"), m.joined},
         {QStringLiteral("kkrq"), dateOrNull(m.opened)},
         {QStringLiteral("dqrq"), dateOrNull(m.expires)},
         {QStringLiteral("hyzt"), m.disabled ? t(u"禁用") : t(u"可用")},
         {QStringLiteral("hysr"), m.birthday},
         {QStringLiteral("xb"), m.sex},
         {QStringLiteral("jzfs"), m.payMethod},
         {QStringLiteral("xxly"), m.source},
         {QStringLiteral("jsjl"), m.coach},
         {QStringLiteral("ygbh"), m.locker},
         {QStringLiteral("hjgw"), m.consultant},
         {QStringLiteral("jsxq"), m.goal},
         {QStringLiteral("hyzp"), photo},
         {QStringLiteral("xfze"), spent},
         {QStringLiteral("skcs"), visitCount},
         {QStringLiteral("hyjf"), points},
         {QStringLiteral("knye"), balance},
         {QStringLiteral("yxcs"), visitsLeft},
         {QStringLiteral("yxts"), type.days},
         {QStringLiteral("sj"), price},
         {QStringLiteral("hyjb"), gradeIndex < 0 ? QString() : t(kGrades[gradeIndex].name)},
         {QStringLiteral("wcks"), visitCount},
         {QStringLiteral("syks"), lessonsLeft}});

    // One parameter set for all the member's visits: only the moment changes from row to row.
    Params visit{{QStringLiteral("hykh"), m.card},   {QStringLiteral("hyxm"), m.name},
                 {QStringLiteral("hylx"), typeName}, {QStringLiteral("jlxm"), m.coach},
                 {QStringLiteral("djsj"), Value()},  {QStringLiteral("czry"), kOperator}};
    for (const qint64 moment : visits) {
        visit.set(QStringLiteral("djsj"), at(QDate::fromJulianDay(moment / 86400), int(moment % 86400)));
        m_dm.change(
            QStringLiteral("insert into [会员登记] ([会员卡号],[会员姓名],[会员类型],[教练姓名],[上课次数],[登记时间],"
                           "[操作员]) values (:hykh,:hyxm,:hylx,:jlxm,1,:djsj,:czry)"),
            visit);
    }

    if (m.leaveStart.isValid()) {
        const QDate recorded = std::max(m.opened, m.leaveStart.addDays(-m_rng.between(0, 3)));
        m_dm.change(
            QStringLiteral("insert into [会员请假] ([会员卡号],[会员姓名],[会员类型],[联系电话],[请假日期],[开始日期],"
                           "[结束日期],[请假天数],[操作员],[备注]) values (:hykh,:hyxm,:hylx,:lxdh,:qjrq,:ksrq,"
                           ":jsrq,:qjts,:czry,:bz)"),
            {{QStringLiteral("hykh"), m.card},
             {QStringLiteral("hyxm"), m.name},
             {QStringLiteral("hylx"), typeName},
             {QStringLiteral("lxdh"), m.mobile + QLatin1Char(';') + m.phone},
             {QStringLiteral("qjrq"), recorded},
             {QStringLiteral("ksrq"), m.leaveStart},
             {QStringLiteral("jsrq"), m.leaveEnd},
             {QStringLiteral("qjts"), int(m.leaveStart.daysTo(m.leaveEnd))},
             {QStringLiteral("czry"), kOperator},
             {QStringLiteral("bz"), t(u"外出比赛")}});
    }
}

void Writer::lockers(const std::vector<Member>& members, int count)
{
    std::vector<int> renter(size_t(count), -1);
    for (int i = 0; i < int(members.size()); ++i)
        if (!members[size_t(i)].locker.isEmpty())
            renter[size_t(members[size_t(i)].locker.mid(1).toInt() - 1)] = i;
    const int width = std::max(3, int(QString::number(count).size()));
    for (int k = 0; k < count; ++k) {
        const QString number = QStringLiteral("G%1").arg(k + 1, width, 10, QLatin1Char('0'));
        const QString name = t(k % 2 == 0 ? u"男更衣室" : u"女更衣室") + QString::number(k + 1);
        const Money deposit = Money::fromYuan(100);
        const int who = renter[size_t(k)];
        if (who < 0) {
            // A few lockers are broken so that the register shows every state a free locker can have.
            m_dm.change(
                QStringLiteral("insert into [衣柜设置] ([衣柜编号],[衣柜名称],[押金],[状态],[会员卡号],[会员姓名],"
                               "[会员类型],[到期日期],[备注],[临时出租],[出租编号]) values (:ygbh,:ygmc,:yj,:zt,"
                               "'','','',null,'',0,0)"),
                {{QStringLiteral("ygbh"), number},
                 {QStringLiteral("ygmc"), name},
                 {QStringLiteral("yj"), deposit},
                 {QStringLiteral("zt"), k % 17 == 16 ? t(u"损坏") : t(u"可用")}});
            continue;
        }
        const Member& m = members[size_t(who)];
        const QString typeName = t(kTypes[m.type].name);
        const int months = m_rng.between(1, 12);
        const QDate start = m.lockerEnd.addMonths(-months);
        m_dm.change(
            QStringLiteral("insert into [衣柜出租] ([会员卡号],[会员姓名],[会员类型],[衣柜编号],[登记日期],[出租状态],"
                           "[起始日期],[截止日期],[租金],[押金],[备注]) values (:hykh,:hyxm,:hylx,:ygbh,:djrq,"
                           "'租用',:qsrq,:jzrq,:zj,:yj,'')"),
            {{QStringLiteral("hykh"), m.card},
             {QStringLiteral("hyxm"), m.name},
             {QStringLiteral("hylx"), typeName},
             {QStringLiteral("ygbh"), number},
             {QStringLiteral("djrq"), at(std::min(start, m_today), randomSecond(m_rng, 9, 20))},
             {QStringLiteral("qsrq"), start},
             {QStringLiteral("jzrq"), m.lockerEnd},
             {QStringLiteral("zj"), Money::fromYuan(50 * months)},
             {QStringLiteral("yj"), deposit}});
        const qint64 rental = m_dm.db().lastInsertId();
        m_dm.change(QStringLiteral("insert into [衣柜设置] ([衣柜编号],[衣柜名称],[押金],[状态],[会员卡号],[会员姓名],"
                                   "[会员类型],[到期日期],[备注],[临时出租],[出租编号]) values (:ygbh,:ygmc,:yj,'已租',"
                                   ":hykh,:hyxm,:hylx,:dqrq,'',0,:czbh)"),
                    {{QStringLiteral("ygbh"), number},
                     {QStringLiteral("ygmc"), name},
                     {QStringLiteral("yj"), deposit},
                     {QStringLiteral("hykh"), m.card},
                     {QStringLiteral("hyxm"), m.name},
                     {QStringLiteral("hylx"), typeName},
                     {QStringLiteral("dqrq"), m.lockerEnd},
                     {QStringLiteral("czbh"), rental}});
    }
}

void Writer::reminders(Rng& rng, const std::vector<Member>& members)
{
    if (members.empty())
        return;
    static const char16_t* const texts[] = {u"提醒家长续费",   u"通知参加级别考核", u"电话回访训练情况",
                                            u"带齐考级报名表", u"领取新道服",       u"通知周末集训"};
    const int count = int(members.size()) / 10 + 4;
    for (int r = 0; r < count; ++r) {
        const int kind = r % 4;
        // The first four are due today, one of each kind.
        const bool dueToday = r < 4;
        const QString clock = QStringLiteral("%1:%2:00")
                                  .arg(rng.between(8, 19), 2, 10, QLatin1Char('0'))
                                  .arg(rng.below(4) * 15, 2, 10, QLatin1Char('0'));
        QString when;
        switch (kind) {
        case 0:
            when = (dueToday ? m_today : m_today.addDays(rng.between(-60, 60))).toString(QStringLiteral("yyyy-MM-dd")) +
                   QLatin1Char(' ') + clock;
            break;
        case 1:
            when = clock;
            break;
        case 2:
            when = QStringLiteral("%1 ").arg(dueToday ? m_today.day() : rng.between(1, 28), 2, 10, QLatin1Char('0')) +
                   clock;
            break;
        default:
            when = (dueToday ? m_today : QDate(2000, rng.between(1, 12), rng.between(1, 28)))
                       .toString(QStringLiteral("MM-dd")) +
                   QLatin1Char(' ') + clock;
            break;
        }
        const Member& m = members[size_t(r < int(members.size()) ? r : rng.below(int(members.size())))];
        m_dm.change(
            QStringLiteral("insert into [事件提醒] ([会员卡号],[会员姓名],[会员类型],[提醒类型],[提醒时间],[提醒内容]) "
                           "values (:hykh,:hyxm,:hylx,:txlx,:txsj,:txnr)"),
            {{QStringLiteral("hykh"), m.card},
             {QStringLiteral("hyxm"), m.name},
             {QStringLiteral("hylx"), t(kTypes[m.type].name)},
             {QStringLiteral("txlx"), kind},
             {QStringLiteral("txsj"), when},
             {QStringLiteral("txnr"), t(rng.pick(texts))}});
    }
}

void Writer::goodsTotals()
{
    for (int g = 0; g < kGoodsCount; ++g)
        m_dm.change(QStringLiteral("update [商品信息] set [销售总数]=:xszs where [商品编号]=:spbh"),
                    {{QStringLiteral("xszs"), m_sold[g]}, {QStringLiteral("spbh"), t(kGoods[g].code)}});
}

// Splits the visits among the members in proportion to their weights, so the total is exact.
void allocateVisits(std::vector<Member>& members, const HallSize& size)
{
    if (members.empty())
        return;
    qint64 busyVisits = 0;
    for (Member& m : members) {
        if (m.busy) {
            m.visits = std::max(0, size.busiestVisits);
            busyVisits += m.visits;
        }
    }
    const qint64 total = qint64(size.members) * std::max(0, size.visitsPerMember);
    const qint64 rest = std::max<qint64>(0, total - busyVisits);
    qint64 weights = 0;
    for (const Member& m : members)
        weights += m.busy ? 0 : m.weight;
    if (weights == 0)
        return;
    qint64 running = 0;
    qint64 given = 0;
    for (size_t i = 0; i < members.size(); ++i) {
        if (members[i].busy)
            continue;
        running += members[i].weight;
        const qint64 upTo = rest * running / weights;
        members[i].visits = int(upTo - given);
        given = upTo;
    }
}

} // namespace

QString cardNumber(int index)
{
    return QStringLiteral("%1").arg(index + 1, 6, 10, QLatin1Char('0'));
}

void generate(TvelunDMForm& dm, const HallSize& size, const QDate& today,
              const std::function<QString(int index, const QString& cardNumber)>& photoFor)
{
    Rng rng(20241209);
    std::vector<Member> members;
    members.reserve(size_t(std::max(0, size.members)));
    // The busy members: the first one, then spread evenly over those after the fixed cases.
    std::vector<bool> busy(size_t(std::max(0, size.members)), false);
    if (!busy.empty())
        busy[0] = true;
    const int spread = size.members - SpecialCount;
    for (int j = 1; j < size.busyMembers && spread > 0; ++j)
        busy[size_t(SpecialCount + qint64(j - 1) * spread / std::max(1, size.busyMembers - 1))] = true;
    for (int i = 0; i < size.members; ++i)
        members.push_back(makeMember(rng, i, today, busy[size_t(i)]));
    allocateVisits(members, size);

    // About one member in five rents a locker; the fixed cases show a current and an ending rental.
    const int lockerCount = std::max(0, size.members) / 4 + 4;
    int rented = 0;
    for (int i = 0; i < int(members.size()) && rented < lockerCount - 2; ++i) {
        Member& m = members[size_t(i)];
        const bool wants = i == Busiest || i == LockerEnding || (i >= SpecialCount && rng.chance(20));
        if (!wants || m.standing == Standing::NeverOpened)
            continue;
        m.locker = QStringLiteral("G%1").arg(++rented, std::max(3, int(QString::number(lockerCount).size())), 10,
                                             QLatin1Char('0'));
        if (i == LockerEnding)
            m.lockerEnd = today.addDays(3);
        else if (rng.chance(15))
            m.lockerEnd = today.addDays(-rng.between(1, 60));
        else if (rng.chance(10))
            m.lockerEnd = today.addDays(rng.between(0, 6));
        else
            m.lockerEnd = today.addDays(rng.between(8, 300));
    }

    Transaction tx(dm.db());
    Writer writer(dm, today);
    writer.cardTypes();
    writer.staff();
    writer.grades();
    writer.goods();
    for (int i = 0; i < int(members.size()); ++i) {
        const Member& m = members[size_t(i)];
        writer.member(m, photoFor ? photoFor(i, m.card) : QString());
    }
    writer.lockers(members, lockerCount);
    writer.reminders(rng, members);
    writer.goodsTotals();
    tx.commit();
}

} // namespace tkd::demo
