#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"

#include <QDateTime>
#include <QString>

namespace tkd::points {

// What a saved basket left the member with.
struct SavedExchange {
    int lines = 0;
    qint64 points = 0;
    QDateTime expiry;
};

// Saves the basket (临时兑换商品) for the member, in one transaction, after re-reading the member:
// refused, with nothing written, for a member who is gone ("会员卡号不存在！"), lines needing more
// points than the member holds now ("兑换商品所需积分大于余额积分，不能兑换！") and, for a days line,
// the days window's tests on the stored card (not opened, no expiry, no whole day at the rate read
// here). Then for each line in order: a stock-counted item's "兑换商品" stock move, the 兑换商品 row
// with the member's running balance (and the days it added), and for days lines the expiry moved on
// from where the earlier lines left it, each line's remark naming that expiry. The member's points go
// down by the sum. An empty basket writes nothing. The basket itself is left as it is.
Outcome<SavedExchange> saveExchange(const CommandContext& context, const QString& cardNumber);

// What undoing an exchange left the member with.
struct UndoneExchange {
    qint64 points = 0;
    QDateTime expiry;
};

// Undoes the exchange row of that 编号 for the member, in one transaction, giving back what it
// granted: its points, the days it added taken off the expiry, and for an item that still exists and
// counts stock, the quantity back with a "兑换商品删除" stock move. Refused, with nothing written, for
// a member who is gone ("会员卡号不存在！") or a row that is no longer the member's ("该记录已不存在！").
Outcome<UndoneExchange> undoExchange(const CommandContext& context, const QString& cardNumber, qint64 rowId);

} // namespace tkd::points
