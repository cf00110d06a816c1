#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/ResultSet.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::coaching {

namespace itemField {
inline const QString code = QStringLiteral("itemCode");
inline const QString name = QStringLiteral("itemName");
inline const QString price = QStringLiteral("itemPrice");
} // namespace itemField

// The coaching items: code, name and list price, in stored order.
ResultSet items(TvelunDMForm& dm);
// Every item name, for the filters and the purchase window's list.
QStringList itemNames(TvelunDMForm& dm);
// The list price of the item of that name; none when no item has it.
std::optional<Money> itemPrice(TvelunDMForm& dm, const QString& name);

struct ItemInput {
    QString code;
    QString name;
    QString price;
};

// The stored item as the edit window shows it (the price with its third and fourth decimals when
// it has them); none when it is gone.
std::optional<ItemInput> findItem(TvelunDMForm& dm, const QString& code);

// Adds an item (editedCode empty) or rewrites the one of that code, checking in order: the item
// still there when rewriting ("该项目已不存在！"), code ("项目编号不能为空！"), name ("项目名称不能为空！"),
// price ("项目单价必须是金额！", "项目单价不能为零！", no negative amount), and on adding a code not in
// use ("重复的项目编号！"). Rewriting keeps the code. Purchases keep the name they were made with.
Outcome<> saveItem(const CommandContext& context, const ItemInput& input,
                   const std::optional<QString>& editedCode = std::nullopt);
// Deletes the item; purchases that name it stay.
Outcome<> removeItem(const CommandContext& context, const QString& code);

} // namespace tkd::coaching
