#pragma once

#include "Quantities.h"

#include <QDate>
#include <QString>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::goods {

// Kinds of stock movement, as the ledger's 状态说明 names them.
enum class StockMoveKind {
    Purchase,       // 采购进货: purchases and a new item's opening stock
    SupplierReturn, // 采购退货
    Sale,           // 商品销售
    MemberReturn,   // 商品退货
    Exchange,       // 兑换商品
    ExchangeUndone, // 兑换商品删除
};

QString stockMoveText(StockMoveKind kind);

// One movement as the ledger row holds it. The quantity carries the sign that moves the stock
// (a sale of 2 is −2); price, rate and amount are written as given.
struct StockMove {
    StockMoveKind kind = StockMoveKind::Purchase;
    QString code;
    QString name;
    QString unit;
    Money price;
    Quantity quantity;
    Rate rate = Rate::one();
    Money amount;
    QDate day;
    QString operatorName;
};

enum class StockMoveResult {
    Written,    // the row is in the ledger and the stock moved by its quantity
    NotCounted, // the item does not count stock (or is no longer in the catalogue): nothing written
};

// The one code that adds rows to 商品进退单 or changes an item's 数量 or 销售总数. Runs inside the
// caller's transaction; moves stock by increments, so two lines of one item both count, and sales and
// member returns move 销售总数 the opposite way.
StockMoveResult recordStockMove(TvelunDMForm& dm, const StockMove& move);

} // namespace tkd::goods
