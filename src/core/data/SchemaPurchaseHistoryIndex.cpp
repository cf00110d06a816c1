#include "SchemaSteps.h"
#include "db/Database.h"

namespace tkd::schema {

// An item's purchase or return history picks its rows by code and kind, newest first, out of a ledger
// that mostly holds sales: one index finds them in order. Fixed text once released, like every step.
void addPurchaseHistoryIndex(Database& db)
{
    db.execute(QStringLiteral("CREATE INDEX [ix_商品进退单_jhls] on [商品进退单] ([商品编号],[状态说明],[日期])"));
}

// Version 4: the history's rows lie scattered over a ledger written in time order, each page decrypted
// when read; the index carries every column the history shows, so the table is never touched.
void coverPurchaseHistory(Database& db)
{
    db.execute(QStringLiteral("DROP INDEX [ix_商品进退单_jhls]"));
    db.execute(QStringLiteral("CREATE INDEX [ix_商品进退单_jhls] on [商品进退单] "
                              "([商品编号],[状态说明],[日期],[单价],[数量],[总金额])"));
}

} // namespace tkd::schema
