#pragma once

#include "Quantities.h"
#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Filter.h"
#include "db/Money.h"
#include "db/ResultSet.h"
#include "db/TreeShape.h"

#include <QString>
#include <optional>
#include <vector>

namespace tkd {
class TvelunDMForm;
}

// Stock bought in from suppliers and sent back to them. Both go through the same work list
// (选择商品): items picked from the stock-counted goods, each line a price and a quantity, posted
// together as ledger rows that move the stock.
namespace tkd::goods::purchasing {

enum class Direction {
    Purchase,       // 采购进货: stock comes in
    SupplierReturn, // 采购退货: stock goes back; the amount stays positive
};

// The stock-counted goods in code order (商品编号, 商品名称, 单位, 参考进价, 库存数, 备注).
ResultSet stockList(TvelunDMForm& dm);
// The same list with 父结点 in front, for filtering by the category tree.
ResultSet stockListByCategory(TvelunDMForm& dm);
// Code or name containing the typed text, literally; no filter for blank text.
Filter searchFilter(const QString& text);
// The list by category takes the catalogue's tree and click rule: goods::categoryTree, goods::filterForClick.

// The item's earlier purchases (returns), newest first: date, 上次价格, 数量, 总金额. A new item's
// opening stock counts as a purchase.
ResultSet history(TvelunDMForm& dm, Direction direction, const QString& code);

// An item as the line dialog shows it.
struct Item {
    QString code;
    QString name;
    QString unit;
    Quantity stock;
    QString remark;
    Money referencePrice;
};
// The item as stored now; nullopt when it is no longer in the catalogue.
std::optional<Item> findItem(TvelunDMForm& dm, const QString& code);

// Empties the work list, as opening either window does.
void openWorkList(TvelunDMForm& dm);
// The work list (序号, 商品编号, 商品名称, 单位, 单价, 数量, 总金额) in line order.
ResultSet workList(TvelunDMForm& dm);

// What the line dialog holds, as typed.
struct LineInput {
    QString code;
    QString name;
    QString unit;
    QString price;
    QString quantity;
};

namespace field {
inline const QString price = QStringLiteral("price");
inline const QString quantity = QStringLiteral("quantity");
} // namespace field

// Price × quantity as the dialog shows it, a plain number with up to four decimals; an empty
// quantity counts as 0. Empty when either is not a number.
QString totalText(const QString& price, const QString& quantity);
// An amount as a plain number: "3.7035", "1", "2.5".
QString plainNumber(Money amount);

// Appends a line numbered after the last one; returns its number. Refuses an empty, unreadable,
// negative or zero quantity and an unreadable price, writing nothing.
Outcome<int> addLine(const CommandContext& context, Direction direction, const LineInput& input);
// Writes the price, quantity and total of line `line` under the same rules.
Outcome<> editLine(const CommandContext& context, Direction direction, int line, const LineInput& input);
// Removes the line and numbers the rest 1, 2, 3... again, in one transaction.
void deleteLine(TvelunDMForm& dm, int line);

// Posts the whole work list in one transaction: a ledger row per line, each moving its item's stock
// (two lines of one item both count), then empties the list. An item no longer in the catalogue
// refuses "该商品已不存在！" and nothing is written. Returns the number of ledger rows written; lines
// of items that no longer count stock write none.
Outcome<int> post(const CommandContext& context, Direction direction);

} // namespace tkd::goods::purchasing
