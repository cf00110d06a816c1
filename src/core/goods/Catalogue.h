#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Filter.h"
#include "db/ResultSet.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::goods {

// The item the points exchange for membership time uses; the catalogue neither changes nor deletes it.
inline const QString kSystemItemName = QStringLiteral("积分换会籍");

namespace itemField {
inline const QString category = QStringLiteral("category");
inline const QString code = QStringLiteral("code");
inline const QString name = QStringLiteral("name");
inline const QString purchasePrice = QStringLiteral("purchasePrice");
inline const QString salePrice = QStringLiteral("salePrice");
inline const QString quantity = QStringLiteral("quantity");
inline const QString points = QStringLiteral("points");
} // namespace itemField

// The units the entry dialog offers; any other text is accepted too.
QStringList unitChoices();

// Every item, all columns in their stored order, by code: the catalogue's list.
ResultSet catalogue(TvelunDMForm& dm);
// Code or name containing the typed text, literally; no filter (every item) for blank text.
Filter catalogueSearch(const QString& text);

// What the entry dialog holds, as typed. Numbers stay text so that core can refuse what does not
// read as one.
struct ItemEntry {
    // The picked category; none until one is picked.
    std::optional<qint64> categoryId;
    QString categoryName;
    QString code;
    QString name;
    QString unit;
    QString purchasePrice;
    QString salePrice;
    // The opening stock; read only when an item is added with stock counting on.
    QString quantity;
    bool counted = false;
    bool exchangeable = false;
    QString points;
    bool service = false;
    QString remark;
};

// A stored item as the entry dialog shows it: prices with their decimals, the stock as a plain
// number, the points as a whole number.
std::optional<ItemEntry> itemForEntry(TvelunDMForm& dm, const QString& code);

// Adds an item (editedCode empty) or rewrites the stored one of that code, testing in this order:
// when rewriting, an item that still exists and is not the system item; category, code and name
// not blank; on adding, a code not in use as the column compares (case
// and surrounding blanks aside); prices, the opening stock and the points read as numbers. A new
// item is stored with no stock and its opening stock, when counted and not 0, recorded as a
// purchase at the purchase price ("采购进货", rate 1, price × quantity to the cent), in the same
// transaction. Rewriting never touches the code, the stock or the total sold.
Outcome<> saveItem(const CommandContext& context, const ItemEntry& input,
                   const std::optional<QString>& editedCode = std::nullopt);

// Why the item may not be opened for changing ("该商品为系统默认，不能修改！", "该商品已不存在！"); empty
// when it may.
MaybeRefusal refuseItemEdit(TvelunDMForm& dm, const QString& code);
// Why the item may not be deleted ("该商品为系统默认，不能删除！", "该商品已不存在！"); empty when it may.
MaybeRefusal refuseItemRemoval(TvelunDMForm& dm, const QString& code);
// Deletes the item. Rows elsewhere that carry its code stay as they are.
Outcome<> removeItem(const CommandContext& context, const QString& code);

} // namespace tkd::goods
