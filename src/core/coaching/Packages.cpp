#include "Packages.h"

#include "data/TvelunDMForm.h"
#include "db/Database.h"

namespace tkd::coaching {

namespace {

// Below a billion yuan, so that price x the largest quantity stays inside the money type.
constexpr std::int64_t kMaxPriceUnits = 1'000'000'000LL * 10000;

Refusal memberGone()
{
    return Refusal::warning(QStringLiteral("会员卡号不存在！"));
}

// The member's name as stored; none when the card is gone.
std::optional<QString> storedName(TvelunDMForm& dm, const QString& cardNumber)
{
    const ResultSet row = dm.list(QStringLiteral("select [会员姓名] from [会员信息] where [会员卡号]=:hykh"),
                                  {{QStringLiteral("hykh"), cardNumber}});
    if (row.isEmpty())
        return std::nullopt;
    return row.first(QStringLiteral("会员姓名")).toText();
}

} // namespace

std::optional<MemberInfo> memberInfo(TvelunDMForm& dm, const QString& cardNumber)
{
    const ResultSet row = dm.list(QStringLiteral("select [会员卡号],[会员姓名],[会员类型],[到期日期],[会员状态] from "
                                                 "[会员信息] where [会员卡号]=:hykh"),
                                  {{QStringLiteral("hykh"), cardNumber}});
    if (row.isEmpty())
        return std::nullopt;
    MemberInfo info;
    info.cardNumber = row.first(QStringLiteral("会员卡号")).toText();
    info.name = row.first(QStringLiteral("会员姓名")).toText();
    info.cardType = row.first(QStringLiteral("会员类型")).toText();
    const Value expiry = row.first(QStringLiteral("到期日期"));
    info.expiry = expiry.isNull() ? QString() : expiry.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    info.status = row.first(QStringLiteral("会员状态")).toText();
    info.lessonsLeft = lessonsLeft(dm, cardNumber);
    return info;
}

qint64 lessonsLeft(TvelunDMForm& dm, const QString& cardNumber)
{
    const Value sum = dm.list(QStringLiteral("select sum([剩余数量]) as [n] from [购买私教] where [会员卡号]=:hykh"),
                              {{QStringLiteral("hykh"), cardNumber}})
                          .first(QStringLiteral("n"));
    return sum.isNull() ? 0 : sum.toInt();
}

std::optional<qint64> parseQuantity(const QString& text)
{
    const QString trimmed = text.trimmed();
    // Six digits are past the largest count already; longer text would not even read as a number.
    if (trimmed.isEmpty() || trimmed.size() > 6)
        return std::nullopt;
    for (const QChar c : trimmed)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const qint64 quantity = trimmed.toLongLong();
    if (quantity < 1 || quantity > kMaxQuantity)
        return std::nullopt;
    return quantity;
}

std::optional<Money> parsePrice(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Money();
    Money price;
    if (!Money::parse(trimmed, &price) || price.units() >= kMaxPriceUnits || -price.units() >= kMaxPriceUnits)
        return std::nullopt;
    return price;
}

Money purchaseTotal(const QString& priceText, const QString& quantityText)
{
    const std::optional<Money> price = parsePrice(priceText);
    const std::optional<qint64> quantity = parseQuantity(quantityText);
    if (!price || !quantity)
        return Money();
    return Money::fromUnits(price->units() * *quantity);
}

Money lessonValue(const Money& price, qint64 quantity)
{
    return Money::fromUnits(price.units() * quantity).roundedToCentsHalfEven();
}

Outcome<qint64> purchase(const CommandContext& context, const PurchaseInput& input)
{
    const QString card = input.cardNumber.trimmed();
    const QString coach = input.coach.trimmed();
    if (card.isEmpty())
        return Refusal::warning(QStringLiteral("请选择会员！"), field::card);
    if (coach.isEmpty())
        return Refusal::warning(QStringLiteral("请选择教练！"), field::coach);
    const std::optional<qint64> quantity = parseQuantity(input.quantity);
    if (!quantity)
        return Refusal::error(QStringLiteral("购买数量不能为空或零！"), field::quantity);
    Money price;
    if (!input.gift) {
        const std::optional<Money> typed = parsePrice(input.price);
        if (!typed)
            return Refusal::error(QStringLiteral("单价必须是金额！"), field::price);
        if (*typed < Money())
            return Refusal::warning(QStringLiteral("单价不能为负数，请重新输入！"), field::price);
        price = *typed;
    }
    if (input.validUntil && input.validUntil->isValid() && *input.validUntil < input.purchaseDate)
        return Refusal::error(QStringLiteral("有效日期不能小于购买日期！"), field::validUntil);

    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const std::optional<QString> name = storedName(dm, card);
    if (!name)
        return memberGone();
    const Money total = Money::fromUnits(price.units() * *quantity);
    dm.change(
        QStringLiteral("insert into [购买私教] ([购买日期],[会员卡号],[会员姓名],[教练姓名],[项目名称],[单价],[数量],"
                       "[剩余数量],[总金额],[有效日期],[状态],[备注],[操作员]) values(:gmrq,:hykh,:hyxm,:jlxm,"
                       ":xmmc,:dj,:sl,:sysl,:zje,:yxrq,:zt,:bz,:czy)"),
        {{QStringLiteral("gmrq"), input.purchaseDate},
         {QStringLiteral("hykh"), card},
         {QStringLiteral("hyxm"), *name},
         {QStringLiteral("jlxm"), coach},
         {QStringLiteral("xmmc"), input.item.trimmed()},
         {QStringLiteral("dj"), price},
         {QStringLiteral("sl"), *quantity},
         {QStringLiteral("sysl"), *quantity},
         {QStringLiteral("zje"), total},
         {QStringLiteral("yxrq"), input.validUntil ? Value(*input.validUntil) : Value::null()},
         {QStringLiteral("zt"), input.gift ? kGift : kBought},
         {QStringLiteral("bz"), input.remark.trimmed()},
         {QStringLiteral("czy"), context.operatorName}});
    const qint64 id = dm.db().lastInsertId();
    tx.commit();
    return id;
}

Outcome<> bookLessons(const CommandContext& context, const LessonInput& input)
{
    const QString card = input.cardNumber.trimmed();
    if (card.isEmpty())
        return Refusal::warning(QStringLiteral("请选择会员！"), field::card);
    const std::optional<qint64> quantity = parseQuantity(input.quantity);
    if (!quantity)
        return Refusal::error(QStringLiteral("消费数量不能为空或零！"), field::quantity);
    if (!input.packageId)
        return Refusal::warning(QStringLiteral("该会员没有购买过私教不能消费！"));
    const Refusal tooMany = Refusal::warning(QStringLiteral("消费数量不能大于余额数量！"), field::quantity);

    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const std::optional<QString> name = storedName(dm, card);
    if (!name)
        return memberGone();
    const Params package{{QStringLiteral("bh"), *input.packageId}, {QStringLiteral("hykh"), card}};
    const ResultSet stored = dm.list(QStringLiteral("select [教练姓名],[项目名称],[单价],[有效日期] from [购买私教] "
                                                    "where [编号]=:bh and [会员卡号]=:hykh"),
                                     package);
    // A package deleted meanwhile has nothing left to book.
    if (stored.isEmpty())
        return tooMany;
    const Value validUntil = stored.first(QStringLiteral("有效日期"));
    if (!validUntil.isNull() && validUntil.toDate() < context.now.date())
        return Refusal::warning(QStringLiteral("该项目已到期！"));
    // The count shown may be stale: only a package that still covers the quantity is lowered.
    const qint64 lowered = dm.change(QStringLiteral("update [购买私教] set [剩余数量]=[剩余数量]-:sl where [编号]=:bh "
                                                    "and [剩余数量]>=:sl"),
                                     {{QStringLiteral("sl"), *quantity}, {QStringLiteral("bh"), *input.packageId}});
    if (lowered == 0)
        return tooMany;
    const Money price = stored.first(QStringLiteral("单价")).toMoney();
    dm.change(
        QStringLiteral("insert into [私教消费] ([消费日期],[会员卡号],[会员姓名],[消费数量],[购买单价],[总金额],[教练],"
                       "[项目名称],[备注],[操作员]) values(:xfrq,:hykh,:hyxm,:xfsl,:gmdj,:zje,:jl,:xmmc,:bz,:czy)"),
        {{QStringLiteral("xfrq"), input.day},
         {QStringLiteral("hykh"), card},
         {QStringLiteral("hyxm"), *name},
         {QStringLiteral("xfsl"), *quantity},
         {QStringLiteral("gmdj"), price},
         {QStringLiteral("zje"), lessonValue(price, *quantity)},
         {QStringLiteral("jl"), stored.first(QStringLiteral("教练姓名")).toText()},
         {QStringLiteral("xmmc"), stored.first(QStringLiteral("项目名称")).toText()},
         {QStringLiteral("bz"), input.remark.trimmed()},
         {QStringLiteral("czy"), context.operatorName}});
    tx.commit();
    return Done{};
}

Outcome<> removePurchase(const CommandContext& context, qint64 packageId)
{
    Transaction tx(context.dm.db());
    const qint64 removed = context.dm.change(QStringLiteral("delete from [购买私教] where [编号]=:bh"),
                                             {{QStringLiteral("bh"), packageId}});
    if (removed == 0)
        return Refusal::warning(QStringLiteral("该记录已不存在！"));
    tx.commit();
    return Done{};
}

} // namespace tkd::coaching
