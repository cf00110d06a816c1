#include "DateShift.h"

#include "data/Schema.h"
#include "data/TvelunDMForm.h"

namespace tkd::demo {

void shiftDates(TvelunDMForm& dm, int days)
{
    if (days == 0)
        return;
    // Millions of visits: the engine's own date arithmetic moves them without a round trip per row.
    // Its result has the stored form "yyyy-MM-dd HH:mm:ss"; Null stays Null.
    const Params by{
        {QStringLiteral("by"), QStringLiteral("%1%2 days").arg(days > 0 ? QStringLiteral("+") : QString()).arg(days)}};
    Transaction tx(dm.db());
    for (const schema::TableDef& table : schema::tables()) {
        if (table.scratch)
            continue;
        QStringList moves;
        for (const schema::ColumnDef& column : table.columns)
            if (column.kind == schema::ColumnKind::DateTime)
                moves << QStringLiteral("[%1]=datetime([%1],:by)").arg(column.name);
        if (!moves.isEmpty())
            dm.db().execute(QStringLiteral("update [%1] set %2").arg(table.name, moves.join(QLatin1Char(','))), by);
    }
    dm.db().execute(QStringLiteral("update [事件提醒] set [提醒时间]=datetime([提醒时间],:by) where [提醒类型]=0"), by);
    // A days line's remark ends with the expiry it reached, as text.
    dm.db().execute(
        QStringLiteral("update [兑换商品] set [备注]=substr([备注],1,length([备注])-10)||date(substr([备注],-10),"
                       ":by) where [商品编号]='000000' and [备注] like '会籍增加%天，截止日期到____-__-__' "
                       "and date(substr([备注],-10)) is not null"),
        by);
    tx.commit();
}

} // namespace tkd::demo
