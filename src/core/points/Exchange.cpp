#include "Exchange.h"

#include "ExchangeBasket.h"
#include "PointsRate.h"
#include "data/TvelunDMForm.h"
#include "goods/StockLedger.h"

#include <vector>

namespace tkd::points {

namespace {

// One basket line as it will be written.
struct PlannedLine {
    BasketLine line;
    qint64 balance = 0; // the member's points before this line
    qint64 days = 0;
    QString remark;
};

goods::StockMove exchangeMove(TvelunDMForm& dm, const CommandContext& context, goods::StockMoveKind kind,
                              const QString& code, goods::Quantity quantity)
{
    const ResultSet item = dm.open(QStringLiteral("ADOQ_spxx"), {{QStringLiteral("spbh"), code}});
    goods::StockMove move;
    move.kind = kind;
    move.code = code;
    move.name = item.first(QStringLiteral("商品名称")).toText();
    move.unit = item.first(QStringLiteral("单位")).toText();
    move.quantity = quantity;
    move.day = context.now.date();
    move.operatorName = context.operatorName;
    return move;
}

} // namespace

Outcome<SavedExchange> saveExchange(const CommandContext& context, const QString& cardNumber)
{
    TvelunDMForm& dm = context.dm;
    const ExchangeBasket basket(dm);

    Transaction tx(dm.db());
    const Outcome<ExchangeMember> member = readMember(dm, cardNumber);
    if (member.refused())
        return member.refusal();
    const std::vector<BasketLine> lines = basket.lines();
    SavedExchange saved{0, member->points, member->expiry};
    if (lines.empty())
        return saved;

    qint64 sum = 0;
    bool tooMany = false;
    for (const BasketLine& line : lines)
        tooMany = tooMany || __builtin_add_overflow(sum, line.points, &sum);
    if (tooMany || sum > member->points)
        return Refusal::warning(QStringLiteral("兑换商品所需积分大于余额积分，不能兑换！"));

    // Every line is tested before the first write, on the card as stored and the rate as it is now.
    const PointsRate rate = PointsRate::load(dm);
    std::vector<PlannedLine> planned;
    qint64 balance = member->points;
    QDateTime expiry = member->expiry;
    for (const BasketLine& line : lines) {
        PlannedLine plan{line, balance, 0, line.remark};
        if (line.isDays()) {
            if (!member->opened.isValid())
                return Refusal::warning(QStringLiteral("该会员卡尚未开卡，请在开卡后兑换！"));
            if (!expiry.isValid())
                return Refusal::warning(QStringLiteral("该会员卡为计次卡，不用兑换会籍！"));
            plan.days = rate.daysFor(line.points);
            if (plan.days < 1)
                return Refusal::warning(QStringLiteral("兑换积分不足以兑换一天会籍！"));
            expiry = movedExpiry(expiry, plan.days);
            if (!expiry.isValid())
                return Refusal::warning(QStringLiteral("兑换后的截止日期超出范围！"));
            plan.remark = daysRemark(plan.days, expiry.date());
        }
        balance -= line.points;
        planned.push_back(plan);
    }

    const QDate today = context.now.date();
    for (const PlannedLine& plan : planned) {
        const BasketLine& line = plan.line;
        if (!line.isDays())
            goods::recordStockMove(
                dm, exchangeMove(dm, context, goods::StockMoveKind::Exchange, line.code, -line.quantity));
        dm.change(QStringLiteral("insert into [兑换商品] ([会员卡号],[会员姓名],[会员积分],[商品编号],[商品名称],"
                                 "[兑换日期],[数量],[兑换积分],[备注],[会籍天数]) values(:hykh,:hyxm,:hyjf,:spbh,"
                                 ":spmc,:dhrq,:sl,:dhjf,:bz,:hjts)"),
                  {{QStringLiteral("hykh"), member->cardNumber},
                   {QStringLiteral("hyxm"), member->name},
                   {QStringLiteral("hyjf"), plan.balance},
                   {QStringLiteral("spbh"), line.code},
                   {QStringLiteral("spmc"), line.name},
                   {QStringLiteral("dhrq"), today},
                   {QStringLiteral("sl"), line.isDays() ? 1.0 : line.quantity.toDouble()},
                   {QStringLiteral("dhjf"), line.points},
                   {QStringLiteral("bz"), plan.remark},
                   {QStringLiteral("hjts"), plan.days}});
    }
    // The points the member earned since the basket opened stay: the sum comes off what is stored.
    if (expiry != member->expiry)
        dm.change(QStringLiteral("update [会员信息] set [会员积分]=coalesce([会员积分],0)-:hyjf,[到期日期]=:dqrq "
                                 "where [会员卡号]=:hykh"),
                  {{QStringLiteral("hyjf"), sum},
                   {QStringLiteral("dqrq"), expiry},
                   {QStringLiteral("hykh"), member->cardNumber}});
    else
        dm.change(
            QStringLiteral("update [会员信息] set [会员积分]=coalesce([会员积分],0)-:hyjf where [会员卡号]=:hykh"),
            {{QStringLiteral("hyjf"), sum}, {QStringLiteral("hykh"), member->cardNumber}});
    tx.commit();
    return SavedExchange{int(planned.size()), balance, expiry};
}

Outcome<UndoneExchange> undoExchange(const CommandContext& context, const QString& cardNumber, qint64 rowId)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const Outcome<ExchangeMember> member = readMember(dm, cardNumber);
    if (member.refused())
        return member.refusal();
    const ResultSet row = dm.list(QStringLiteral("select [商品编号],[数量],[兑换积分],[会籍天数] from [兑换商品] "
                                                 "where [编号]=:bh and [会员卡号]=:hykh"),
                                  {{QStringLiteral("bh"), rowId}, {QStringLiteral("hykh"), member->cardNumber}});
    if (row.isEmpty())
        return Refusal::warning(QStringLiteral("该记录已不存在！"));
    const qint64 points = row.first(QStringLiteral("兑换积分")).toInt();
    const qint64 days = row.first(QStringLiteral("会籍天数")).toInt();
    // A member without an expiry now (or one the days would carry out of range) keeps it.
    const QDateTime movedBack = days > 0 ? movedExpiry(member->expiry, -days) : QDateTime();
    const QDateTime expiry = movedBack.isValid() ? movedBack : member->expiry;

    // The ledger writes nothing for an item gone from the catalogue or not counted in stock.
    const QString code = row.first(QStringLiteral("商品编号")).toText();
    const auto quantity = goods::Quantity::fromStored(row.first(QStringLiteral("数量")).toDouble());
    goods::recordStockMove(dm, exchangeMove(dm, context, goods::StockMoveKind::ExchangeUndone, code, quantity));
    if (expiry != member->expiry)
        dm.change(QStringLiteral("update [会员信息] set [会员积分]=coalesce([会员积分],0)+:hyjf,[到期日期]=:dqrq "
                                 "where [会员卡号]=:hykh"),
                  {{QStringLiteral("hyjf"), points},
                   {QStringLiteral("dqrq"), expiry},
                   {QStringLiteral("hykh"), member->cardNumber}});
    else
        dm.change(
            QStringLiteral("update [会员信息] set [会员积分]=coalesce([会员积分],0)+:hyjf where [会员卡号]=:hykh"),
            {{QStringLiteral("hyjf"), points}, {QStringLiteral("hykh"), member->cardNumber}});
    dm.change(QStringLiteral("delete from [兑换商品] where [编号]=:bh"), {{QStringLiteral("bh"), rowId}});
    tx.commit();
    return UndoneExchange{member->points + points, expiry};
}

} // namespace tkd::points
