#include "ExchangeBasket.h"

#include "data/ScratchList.h"
#include "data/TvelunDMForm.h"
#include "db/TextSearch.h"

#include <limits>

namespace tkd::points {

namespace {

const QString kTable = QStringLiteral("临时兑换商品");
// Nine digits times any points per unit a catalogue holds still fits in 64 bits.
constexpr int kLongestQuantity = 9;

QDateTime momentOf(const Value& value)
{
    return value.isNull() ? QDateTime() : value.toDateTime();
}

bool allDigits(const QString& text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// Points as typed in the days window: empty is 0, more than 64 bits hold is the largest number;
// nullopt for anything but digits.
std::optional<qint64> typedPoints(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    if (!allDigits(t))
        return std::nullopt;
    bool ok = false;
    const qint64 value = t.toLongLong(&ok);
    return ok ? value : std::numeric_limits<qint64>::max();
}

Refusal badQuantity()
{
    return Refusal::error(QStringLiteral("请输入正确的兑换数量！"), field::quantity);
}

BasketLine lineFrom(const ResultSet& rows, int row)
{
    BasketLine line;
    line.number = int(rows.value(row, QStringLiteral("序号")).toInt());
    line.code = rows.value(row, QStringLiteral("商品编号")).toText();
    line.name = rows.value(row, QStringLiteral("商品名称")).toText();
    line.quantity = goods::Quantity::fromStored(rows.value(row, QStringLiteral("数量")).toDouble());
    line.points = rows.value(row, QStringLiteral("兑换积分")).toInt();
    line.remark = rows.value(row, QStringLiteral("备注")).toText();
    return line;
}

} // namespace

Outcome<ExchangeMember> readMember(TvelunDMForm& dm, const QString& cardNumber)
{
    const ResultSet row = dm.list(QStringLiteral("select [会员卡号],[会员姓名],[会员类型],[会员积分],[开卡日期],"
                                                 "[到期日期] from [会员信息] where [会员卡号]=:hykh"),
                                  {{QStringLiteral("hykh"), cardNumber.trimmed()}});
    if (cardNumber.trimmed().isEmpty() || row.isEmpty())
        return Refusal::warning(QStringLiteral("会员卡号不存在！"));
    ExchangeMember member;
    member.cardNumber = row.first(QStringLiteral("会员卡号")).toText();
    member.name = row.first(QStringLiteral("会员姓名")).toText();
    member.type = row.first(QStringLiteral("会员类型")).toText();
    member.points = row.first(QStringLiteral("会员积分")).toInt();
    member.opened = momentOf(row.first(QStringLiteral("开卡日期")));
    member.expiry = momentOf(row.first(QStringLiteral("到期日期")));
    return member;
}

ResultSet exchangeableGoods(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_kdhsp"));
}

Filter goodsFilter(const QString& text)
{
    return containsAny({QStringLiteral("商品编号"), QStringLiteral("商品名称")}, text);
}

qint64 requiredPoints(const QString& quantityText, qint64 pointsPerUnit)
{
    const QString t = quantityText.trimmed();
    if (t.isEmpty() || !allDigits(t))
        return 0;
    bool ok = false;
    const qint64 quantity = t.toLongLong(&ok);
    qint64 points = 0;
    if (!ok || __builtin_mul_overflow(quantity, pointsPerUnit, &points))
        return 0;
    return points;
}

QDateTime DaysOffer::from() const
{
    QDateTime day = expiry;
    for (const qint64 points : earlierLines)
        day = movedExpiry(day, rate.daysFor(points));
    return day;
}

QString DaysOffer::preview(const QString& pointsText) const
{
    const qint64 days = rate.daysFor(typedPoints(pointsText).value_or(0));
    return daysRemark(days, movedExpiry(from(), days).date());
}

Outcome<DaysOffer> offerDays(TvelunDMForm& dm, const QString& cardNumber)
{
    const Outcome<ExchangeMember> member = readMember(dm, cardNumber);
    if (member.refused())
        return member.refusal();
    if (!member->opened.isValid())
        return Refusal::warning(QStringLiteral("该会员卡尚未开卡，请在开卡后兑换！"));
    if (!member->expiry.isValid())
        return Refusal::warning(QStringLiteral("该会员卡为计次卡，不用兑换会籍！"));
    DaysOffer offer;
    offer.cardNumber = member->cardNumber;
    offer.available = member->points;
    offer.expiry = member->expiry;
    offer.rate = PointsRate::load(dm);
    for (const BasketLine& line : ExchangeBasket(dm).lines())
        if (line.isDays())
            offer.earlierLines.push_back(line.points);
    return offer;
}

ExchangeBasket::ExchangeBasket(TvelunDMForm& dm) : m_dm(dm) {}

void ExchangeBasket::clear()
{
    ScratchList(m_dm, kTable).clear();
}

ResultSet ExchangeBasket::rows() const
{
    return m_dm.list(QStringLiteral("select * from [临时兑换商品] order by [序号]"));
}

std::vector<BasketLine> ExchangeBasket::lines() const
{
    const ResultSet all = rows();
    std::vector<BasketLine> result;
    result.reserve(size_t(all.rowCount()));
    for (int row = 0; row < all.rowCount(); ++row)
        result.push_back(lineFrom(all, row));
    return result;
}

int ExchangeBasket::count() const
{
    return int(m_dm.db().scalar(QStringLiteral("select count(*) from [临时兑换商品]")).toInt());
}

Outcome<BasketLine> ExchangeBasket::addGoods(const QString& code, const QString& quantityText, const QString& remark)
{
    QString digits = quantityText.trimmed();
    if (digits.isEmpty())
        return Refusal::error(QStringLiteral("兑换数量不能为空！"), field::quantity);
    if (!allDigits(digits))
        return badQuantity();
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.isEmpty())
        return Refusal::error(QStringLiteral("兑换数量不能为零！"), field::quantity);
    if (digits.size() > kLongestQuantity)
        return badQuantity();
    const qint64 quantity = digits.toLongLong();

    const ResultSet item = m_dm.open(QStringLiteral("ADOQ_spxx"), {{QStringLiteral("spbh"), code}});
    if (item.isEmpty())
        return Refusal::warning(QStringLiteral("该商品已不存在！"));
    BasketLine line;
    line.code = item.first(QStringLiteral("商品编号")).toText();
    line.name = item.first(QStringLiteral("商品名称")).toText();
    line.quantity = goods::Quantity::whole(quantity);
    if (__builtin_mul_overflow(quantity, item.first(QStringLiteral("兑换积分")).toInt(), &line.points))
        return badQuantity();
    line.remark = remark.trimmed();
    return append(line);
}

Outcome<BasketLine> ExchangeBasket::addDays(const DaysOffer& offer, const QString& pointsText)
{
    const std::optional<qint64> points = typedPoints(pointsText);
    if (!points || *points > offer.available)
        return Refusal::warning(QStringLiteral("兑换积分不能大于可用积分！"), field::points);
    const qint64 days = offer.rate.daysFor(*points);
    if (days < 1)
        return Refusal::warning(QStringLiteral("兑换积分不足以兑换一天会籍！"), field::points);
    const QDateTime until = movedExpiry(offer.from(), days);
    if (!until.isValid())
        return Refusal::warning(QStringLiteral("兑换后的截止日期超出范围！"), field::points);
    BasketLine line;
    line.code = kDaysItemCode;
    line.name = kDaysItemName;
    line.quantity = goods::Quantity::whole(1);
    line.points = *points;
    line.remark = daysRemark(days, until.date());
    return append(line);
}

BasketLine ExchangeBasket::append(BasketLine line)
{
    Transaction tx(m_dm.db());
    line.number = count() + 1;
    m_dm.change(QStringLiteral("insert into [临时兑换商品] ([序号],[商品编号],[商品名称],[数量],[兑换积分],[备注]) "
                               "values(:xh,:spbh,:spmc,:sl,:dhjf,:bz)"),
                {{QStringLiteral("xh"), line.number},
                 {QStringLiteral("spbh"), line.code},
                 {QStringLiteral("spmc"), line.name},
                 {QStringLiteral("sl"), line.quantity.toDouble()},
                 {QStringLiteral("dhjf"), line.points},
                 {QStringLiteral("bz"), line.remark}});
    tx.commit();
    return line;
}

void ExchangeBasket::remove(int number)
{
    Transaction tx(m_dm.db());
    if (m_dm.change(QStringLiteral("delete from [临时兑换商品] where [序号]=:xh"), {{QStringLiteral("xh"), number}}) ==
        0)
        return;
    m_dm.change(QStringLiteral("update [临时兑换商品] set [序号]=[序号]-1 where [序号]>:xh"),
                {{QStringLiteral("xh"), number}});
    tx.commit();
}

void ExchangeBasket::restateDays(const QDateTime& expiry, const PointsRate& rate)
{
    Transaction tx(m_dm.db());
    QDateTime day = expiry;
    for (const BasketLine& line : lines()) {
        if (!line.isDays())
            continue;
        const qint64 days = rate.daysFor(line.points);
        const QDateTime until = movedExpiry(day, days);
        // Past the dates a card can hold the line is refused at saving; its remark is left as it was.
        if (!until.isValid())
            break;
        m_dm.change(QStringLiteral("update [临时兑换商品] set [备注]=:bz where [序号]=:xh"),
                    {{QStringLiteral("bz"), daysRemark(days, until.date())}, {QStringLiteral("xh"), line.number}});
        day = until;
    }
    tx.commit();
}

} // namespace tkd::points
