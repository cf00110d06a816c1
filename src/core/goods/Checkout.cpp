#include "Checkout.h"

#include "StockLedger.h"
#include "cardtypes/CardTypes.h"
#include "data/TvelunDMForm.h"
#include "settings/OtherSettings.h"
#include "settings/UserInfo.h"
#include "sms/SmsState.h"
#include "sms/SmsTemplates.h"

#include <tuple>

namespace tkd::goods {
namespace {

Refusal unknownMember()
{
    return Refusal::warning(QStringLiteral("会员卡号不存在！"));
}

// The stored form keeps whole seconds, as every other moment of the program.
QDateTime toSeconds(const QDateTime& now)
{
    return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
}

ResultSet memberRow(TvelunDMForm& dm, const QString& cardNumber)
{
    return dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), cardNumber}});
}

// An emptied amount counts 0; anything else must read as money.
std::optional<Money> amountFromText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return Money();
    Money amount;
    if (!Money::parse(t, &amount))
        return std::nullopt;
    return amount;
}

// The amounts of a split, the money kept as confirmed; the same checks as the dialog, against the
// total and the balance read now. The balance limits the stored-value part only when it is used: a
// member in debt may still pay in cash and by card.
MaybeRefusal splitRefusal(Money due, Money balance, const SplitAmounts& amounts, bool storedValueUsed)
{
    const std::pair<Money, const QString*> parts[] = {{amounts.storedValue, &field::storedValue},
                                                      {amounts.cash, &field::cash},
                                                      {amounts.creditCard, &field::creditCard}};
    for (const auto& [amount, name] : parts)
        if (amount < Money())
            return Refusal::warning(QStringLiteral("付款金额不能为负数，请重新输入！"), *name);
    if (amounts.sum() != due)
        return Refusal::warning(QStringLiteral("付款金额不等于应付金额，请重新输入！"));
    if (storedValueUsed && amounts.storedValue > balance)
        return Refusal::warning(QStringLiteral("储值卡内余额不足，请重新输入！"), field::storedValue);
    return std::nullopt;
}

SaleReceipt receiptFor(const CommandContext& context, const QString& name, const QString& card,
                       const std::vector<ShoppingLine>& lines, const QString& balance)
{
    const UserInfo hall = UserInfo::load(context.dm);
    SaleReceipt r;
    r.hallName = hall.name;
    r.member = name + QStringLiteral("/") + card;
    r.cashier = context.operatorName;
    r.time = context.now.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    Quantity quantitySum;
    Money totalSum;
    for (const ShoppingLine& line : lines) {
        r.lines.push_back({line.name, line.quantity.toText(), line.total.toString()});
        quantitySum = quantitySum + line.quantity;
        totalSum += line.total;
    }
    r.quantitySum = quantitySum.toText();
    r.totalSum = totalSum.toString();
    r.balance = balance;
    r.phone = hall.phone;
    r.address = hall.address;
    return r;
}

} // namespace

QString paymentMeansText(PaymentMeans means)
{
    switch (means) {
    case PaymentMeans::StoredValue:
        return QStringLiteral("储值卡结帐");
    case PaymentMeans::Cash:
        return QStringLiteral("现金结帐");
    case PaymentMeans::CreditCard:
        return QStringLiteral("信用卡结帐");
    case PaymentMeans::Split:
        return QStringLiteral("联合结帐");
    }
    return {};
}

Outcome<SaleMember> openSale(TvelunDMForm& dm, const QString& cardNumber)
{
    const ResultSet row = memberRow(dm, cardNumber);
    if (row.isEmpty())
        return unknownMember();
    SaleMember m;
    m.cardNumber = row.first(QStringLiteral("会员卡号")).toText();
    m.name = row.first(QStringLiteral("会员姓名")).toText();
    m.type = row.first(QStringLiteral("会员类型")).toText();
    m.status = row.first(QStringLiteral("会员状态")).toText();
    const QDate expiry = row.first(QStringLiteral("到期日期")).toDate();
    m.expiry = expiry.isValid() ? expiry.toString(QStringLiteral("yyyy-MM-dd")) : QString();
    m.password = row.first(QStringLiteral("会员密码")).toText();
    const auto type = cardtypes::find(dm, m.type);
    m.rate = type ? Rate::fromStored(type->discount) : Rate::one();
    m.balance = row.first(QStringLiteral("卡内余额")).toMoney();
    m.totalSpent = row.first(QStringLiteral("消费总额")).toMoney();
    m.yuanPerPoint = settings::load(dm).consumptionYuanPerPoint;
    return m;
}

QString totalSpentText(Money amount)
{
    return Quantity::fromUnits(amount.units()).toText() + QStringLiteral("元");
}

QString pointsLine(Money total, Money yuanPerPoint)
{
    return QStringLiteral("本次消费共积%1分").arg(pointsEarned(total, yuanPerPoint));
}

bool offersStoredValue(Money balance)
{
    return !balance.isZero();
}

MaybeRefusal readyForCheckout(const ShoppingList& list)
{
    if (list.count() == 0)
        return Refusal::warning(QStringLiteral("请选择要消费的商品！"), field::search);
    return std::nullopt;
}

Outcome<CashPayment> checkCash(Money due, const QString& paidText)
{
    const auto paid = amountFromText(paidText);
    if (!paid)
        return Refusal::error(QStringLiteral("请输入正确的付款金额！"), field::paid);
    if (*paid < due)
        return Refusal::warning(QStringLiteral("付款金额小于应付金额，请重新输入！"), field::paid);
    return CashPayment{*paid, *paid - due};
}

std::optional<Money> cashChange(Money due, const QString& paidText)
{
    const auto paid = amountFromText(paidText);
    if (!paid)
        return std::nullopt;
    return *paid - due;
}

Outcome<SplitAmounts> checkSplit(Money due, Money balance, const SplitTyped& typed)
{
    const std::tuple<bool, const QString*, const QString*> parts[] = {
        {typed.storedValueTicked, &typed.storedValue, &field::storedValue},
        {typed.cashTicked, &typed.cash, &field::cash},
        {typed.creditCardTicked, &typed.creditCard, &field::creditCard}};
    Money amounts[3];
    for (int i = 0; i < 3; ++i) {
        const auto& [ticked, text, name] = parts[i];
        if (!ticked)
            continue;
        const auto amount = amountFromText(*text);
        if (!amount)
            return Refusal::error(QStringLiteral("请输入正确的付款金额！"), *name);
        amounts[i] = *amount;
    }
    const SplitAmounts split{amounts[0], amounts[1], amounts[2]};
    if (const MaybeRefusal refusal = splitRefusal(due, balance, split, typed.storedValueTicked))
        return *refusal;
    return split;
}

QString splitRemainder(Money due, const QString& other, const QString& another)
{
    return (due - amountFromText(other).value_or(Money()) - amountFromText(another).value_or(Money())).toString();
}

Outcome<Sale> checkout(const CommandContext& context, const CheckoutInput& input)
{
    TvelunDMForm& dm = context.dm;
    const ShoppingList list(dm);
    if (const MaybeRefusal refusal = readyForCheckout(list))
        return *refusal;

    Transaction tx(dm.db());
    const ResultSet member = memberRow(dm, input.cardNumber);
    if (member.isEmpty())
        return unknownMember();
    const QString card = member.first(QStringLiteral("会员卡号")).toText();
    const QString name = member.first(QStringLiteral("会员姓名")).toText();
    const Money balance = member.first(QStringLiteral("卡内余额")).toMoney();
    const std::vector<ShoppingLine> lines = list.lines();
    Money total;
    for (const ShoppingLine& line : lines)
        total += line.total;

    SplitAmounts paid;
    Money change;
    switch (input.means) {
    case PaymentMeans::StoredValue:
        // An equal balance is enough.
        if (total > balance)
            return Refusal::warning(QStringLiteral("卡内余额不足，请选用其它方式结帐！"));
        paid.storedValue = total;
        break;
    case PaymentMeans::Cash:
        if (input.cashPaid < total)
            return Refusal::warning(QStringLiteral("付款金额小于应付金额，请重新输入！"), field::paid);
        // The row records what was due, not what was handed over.
        paid.cash = total;
        change = input.cashPaid - total;
        break;
    case PaymentMeans::CreditCard:
        paid.creditCard = total;
        break;
    case PaymentMeans::Split:
        if (const MaybeRefusal refusal = splitRefusal(total, balance, input.split, !input.split.storedValue.isZero()))
            return *refusal;
        paid = input.split;
        break;
    }

    const QDateTime moment = toSeconds(context.now);
    const QString remark = input.remark.trimmed();
    if (!paid.storedValue.isZero())
        dm.change(
            QStringLiteral("update [会员信息] set [卡内余额]=coalesce([卡内余额],0)-:knye where [会员卡号]=:hykh"),
            {{QStringLiteral("knye"), paid.storedValue}, {QStringLiteral("hykh"), card}});
    dm.change(QStringLiteral("insert into [金额记录] ([会员卡号],[会员姓名],[储值卡],[现金],[信用卡],[日期],[操作员]) "
                             "values(:hykh,:hyxm,:czk,:xj,:xyk,:rq,:czy)"),
              {{QStringLiteral("hykh"), card},
               {QStringLiteral("hyxm"), name},
               {QStringLiteral("czk"), paid.storedValue},
               {QStringLiteral("xj"), paid.cash},
               {QStringLiteral("xyk"), paid.creditCard},
               {QStringLiteral("rq"), moment},
               {QStringLiteral("czy"), context.operatorName}});
    // The whole total earns points, whatever paid for it.
    const std::int64_t points = pointsEarned(total, settings::load(dm).consumptionYuanPerPoint);
    dm.change(
        QStringLiteral("update [会员信息] set [消费总额]=coalesce([消费总额],0)+:xfze,"
                       "[会员积分]=coalesce([会员积分],0)+:hyjf where [会员卡号]=:hykh"),
        {{QStringLiteral("xfze"), total}, {QStringLiteral("hyjf"), qint64(points)}, {QStringLiteral("hykh"), card}});

    const QString means = paymentMeansText(input.means);
    for (const ShoppingLine& line : lines) {
        StockMove move;
        move.kind = StockMoveKind::Sale;
        move.code = line.code;
        move.name = line.name;
        move.unit = line.unit;
        move.price = line.price;
        move.quantity = -line.quantity;
        move.rate = line.rate;
        move.amount = -line.total;
        move.day = context.now.date();
        move.operatorName = context.operatorName;
        recordStockMove(dm, move);
        dm.change(
            QStringLiteral("insert into [会员消费] ([消费日期],[会员卡号],[会员姓名],[商品编号],[商品名称],[单位],"
                           "[单价],[数量],[折扣率],[总金额],[服务员工],[操作员],[付款方式],[备注]) values(:xfrq,"
                           ":hykh,:hyxm,:spbh,:spmc,:dw,:dj,:sl,:zkl,:zje,:fwyg,:czy,:fkfs,:bz)"),
            {{QStringLiteral("xfrq"), moment},
             {QStringLiteral("hykh"), card},
             {QStringLiteral("hyxm"), name},
             {QStringLiteral("spbh"), line.code},
             {QStringLiteral("spmc"), line.name},
             {QStringLiteral("dw"), line.unit},
             {QStringLiteral("dj"), line.price},
             {QStringLiteral("sl"), line.quantity.toDouble()},
             {QStringLiteral("zkl"), line.rate.toDouble()},
             {QStringLiteral("zje"), line.total},
             {QStringLiteral("fwyg"), line.staff},
             {QStringLiteral("czy"), context.operatorName},
             {QStringLiteral("fkfs"), means},
             {QStringLiteral("bz"), remark}});
    }
    const ResultSet after = memberRow(dm, card);
    tx.commit();

    Sale sale;
    sale.total = total;
    sale.change = change;
    sale.balance = after.first(QStringLiteral("卡内余额")).toMoney().toYuanText();
    sale.points = QString::number(after.first(QStringLiteral("会员积分")).toInt()) + QStringLiteral("分");
    sale.receipt = receiptFor(context, name, card, lines, sale.balance);
    sale.mobile = after.first(QStringLiteral("移动电话")).toText();
    sale.smsText =
        sms::consumptionText(name, card, context.now, total, context.sms ? context.sms->signature : QString());
    return sale;
}

} // namespace tkd::goods
