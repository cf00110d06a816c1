#include "Purchasing.h"

#include "GoodsSearch.h"
#include "StockLedger.h"
#include "data/ScratchList.h"
#include "data/TvelunDMForm.h"

namespace tkd::goods::purchasing {

namespace {

const QString kWorkList = QStringLiteral("选择商品");

QString quantityWord(Direction direction)
{
    return direction == Direction::Purchase ? QStringLiteral("进货") : QStringLiteral("退货");
}

struct Line {
    Money price;
    Quantity quantity;
};

// The dialog's rules, in the order the operator meets them: the quantity, then the price.
Outcome<Line> readLine(Direction direction, const LineInput& input)
{
    const QString word = quantityWord(direction);
    if (input.quantity.trimmed().isEmpty())
        return Refusal::error(word + QStringLiteral("数量不能为空！"), field::quantity);
    const std::optional<Quantity> quantity = Quantity::parse(input.quantity);
    // A line moves stock one way only; the direction gives the sign.
    if (!quantity || *quantity < Quantity())
        return Refusal::error(QStringLiteral("请输入正确的%1数量！").arg(word), field::quantity);
    if (quantity->isZero())
        return Refusal::error(word + QStringLiteral("数量不能为零！"), field::quantity);
    Money price;
    if (!Money::parse(input.price, &price) || price < Money())
        return Refusal::error(QStringLiteral("请输入正确的%1价格！").arg(word), field::price);
    return Line{price, *quantity};
}

} // namespace

ResultSet stockList(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_spqd"));
}

ResultSet stockListByCategory(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_spqdlb"));
}

Filter searchFilter(const QString& text)
{
    return goods::searchFilter(text);
}

ResultSet history(TvelunDMForm& dm, Direction direction, const QString& code)
{
    return dm.open(direction == Direction::Purchase ? QStringLiteral("ADOQ_jhls") : QStringLiteral("ADOQ_thls"),
                   {{QStringLiteral("spbh"), code}});
}

std::optional<Item> findItem(TvelunDMForm& dm, const QString& code)
{
    const ResultSet row = dm.open(QStringLiteral("ADOQ_spxx"), {{QStringLiteral("spbh"), code}});
    if (row.isEmpty())
        return std::nullopt;
    return Item{row.first(QStringLiteral("商品编号")).toText(),
                row.first(QStringLiteral("商品名称")).toText(),
                row.first(QStringLiteral("单位")).toText(),
                Quantity::fromStored(row.first(QStringLiteral("数量")).toDouble()),
                row.first(QStringLiteral("备注")).toText(),
                row.first(QStringLiteral("预设进价")).toMoney()};
}

void openWorkList(TvelunDMForm& dm)
{
    ScratchList(dm, kWorkList).clear();
}

ResultSet workList(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_xzsp"));
}

QString plainNumber(Money amount)
{
    return Quantity::fromUnits(amount.units()).toText();
}

QString totalText(const QString& price, const QString& quantity)
{
    Money p;
    if (!Money::parse(price, &p))
        return {};
    const std::optional<Quantity> q =
        quantity.trimmed().isEmpty() ? std::optional<Quantity>(Quantity()) : Quantity::parse(quantity);
    if (!q)
        return {};
    return plainNumber(purchaseTotal(p, *q));
}

Outcome<int> addLine(const CommandContext& context, Direction direction, const LineInput& input)
{
    const Outcome<Line> line = readLine(direction, input);
    if (line.refused())
        return line.refusal();
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const int number = static_cast<int>(dm.db().scalar(QStringLiteral("select count(*) from [选择商品]")).toInt()) + 1;
    dm.change(QStringLiteral("insert into [选择商品] ([序号],[商品编号],[商品名称],[单位],[单价],[数量],[总金额]) "
                             "values(:xh,:spbh,:spmc,:dw,:dj,:sl,:zje)"),
              {{QStringLiteral("xh"), number},
               {QStringLiteral("spbh"), input.code},
               {QStringLiteral("spmc"), input.name},
               {QStringLiteral("dw"), input.unit},
               {QStringLiteral("dj"), line->price},
               {QStringLiteral("sl"), line->quantity.toDouble()},
               {QStringLiteral("zje"), purchaseTotal(line->price, line->quantity)}});
    tx.commit();
    return number;
}

Outcome<> editLine(const CommandContext& context, Direction direction, int line, const LineInput& input)
{
    const Outcome<Line> read = readLine(direction, input);
    if (read.refused())
        return read.refusal();
    const qint64 changed =
        context.dm.change(QStringLiteral("update [选择商品] set [单价]=:dj,[数量]=:sl,[总金额]=:zje where [序号]=:xh"),
                          {{QStringLiteral("dj"), read->price},
                           {QStringLiteral("sl"), read->quantity.toDouble()},
                           {QStringLiteral("zje"), purchaseTotal(read->price, read->quantity)},
                           {QStringLiteral("xh"), line}});
    // A line gone meanwhile is not reported as changed.
    if (changed == 0)
        return Refusal::warning(QStringLiteral("请选择要修改的商品！"));
    return Done{};
}

void deleteLine(TvelunDMForm& dm, int line)
{
    Transaction tx(dm.db());
    dm.change(QStringLiteral("delete from [选择商品] where [序号]=:xh"), {{QStringLiteral("xh"), line}});
    // Numbers run 1..n without gaps, so closing the gap renumbers the lines after it.
    dm.change(QStringLiteral("update [选择商品] set [序号]=[序号]-1 where [序号]>:xh"), {{QStringLiteral("xh"), line}});
    tx.commit();
}

Outcome<int> post(const CommandContext& context, Direction direction)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const ResultSet lines = dm.list(QStringLiteral("select [商品编号],[单价],[数量] from [选择商品] order by [序号]"));
    int written = 0;
    for (int i = 0; i < lines.rowCount(); ++i) {
        // Read inside the transaction: the row carries the item as stored, not as the list showed it.
        const std::optional<Item> item = findItem(dm, lines.value(i, QStringLiteral("商品编号")).toText());
        if (!item)
            return Refusal::warning(QStringLiteral("该商品已不存在！"));
        const Money price = lines.value(i, QStringLiteral("单价")).toMoney();
        const Quantity quantity = Quantity::fromStored(lines.value(i, QStringLiteral("数量")).toDouble());
        StockMove move;
        move.kind = direction == Direction::Purchase ? StockMoveKind::Purchase : StockMoveKind::SupplierReturn;
        move.code = item->code;
        move.name = item->name;
        move.unit = item->unit;
        move.price = price;
        move.quantity = direction == Direction::Purchase ? quantity : -quantity;
        move.amount = purchaseTotal(price, quantity);
        move.day = context.now.date();
        move.operatorName = context.operatorName;
        if (recordStockMove(dm, move) == StockMoveResult::Written)
            ++written;
    }
    ScratchList(dm, kWorkList).clear();
    tx.commit();
    return written;
}

} // namespace tkd::goods::purchasing
