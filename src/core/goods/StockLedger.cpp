#include "StockLedger.h"

#include "data/TvelunDMForm.h"

namespace tkd::goods {

QString stockMoveText(StockMoveKind kind)
{
    switch (kind) {
    case StockMoveKind::Purchase:
        return QStringLiteral("采购进货");
    case StockMoveKind::SupplierReturn:
        return QStringLiteral("采购退货");
    case StockMoveKind::Sale:
        return QStringLiteral("商品销售");
    case StockMoveKind::MemberReturn:
        return QStringLiteral("商品退货");
    case StockMoveKind::Exchange:
        return QStringLiteral("兑换商品");
    case StockMoveKind::ExchangeUndone:
        return QStringLiteral("兑换商品删除");
    }
    return {};
}

StockMoveResult recordStockMove(TvelunDMForm& dm, const StockMove& move)
{
    const Value counted = dm.list(QStringLiteral("select [是否计库存] from [商品信息] where [商品编号]=:spbh"),
                                  {{QStringLiteral("spbh"), move.code}})
                              .first(QStringLiteral("是否计库存"));
    if (!counted.toBool())
        return StockMoveResult::NotCounted;
    dm.change(QStringLiteral("insert into [商品进退单] ([日期],[状态说明],[商品编号],[商品名称],[单位],[单价],[数量],"
                             "[折扣率],[总金额],[操作员]) values(:rq,:ztsm,:spbh,:spmc,:dw,:dj,:sl,:zkl,:zje,:czy)"),
              {{QStringLiteral("rq"), move.day},
               {QStringLiteral("ztsm"), stockMoveText(move.kind)},
               {QStringLiteral("spbh"), move.code},
               {QStringLiteral("spmc"), move.name},
               {QStringLiteral("dw"), move.unit},
               {QStringLiteral("dj"), move.price},
               {QStringLiteral("sl"), move.quantity.toDouble()},
               {QStringLiteral("zkl"), move.rate.toDouble()},
               {QStringLiteral("zje"), move.amount},
               {QStringLiteral("czy"), move.operatorName}});
    const bool sold = move.kind == StockMoveKind::Sale || move.kind == StockMoveKind::MemberReturn;
    dm.change(
        sold ? QStringLiteral("update [商品信息] set [数量]=ifnull([数量],0)+:sl,[销售总数]=ifnull([销售总数],0)-:sl "
                              "where [商品编号]=:spbh")
             : QStringLiteral("update [商品信息] set [数量]=ifnull([数量],0)+:sl where [商品编号]=:spbh"),
        {{QStringLiteral("sl"), move.quantity.toDouble()}, {QStringLiteral("spbh"), move.code}});
    return StockMoveResult::Written;
}

} // namespace tkd::goods
