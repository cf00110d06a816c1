#include "SchemaSteps.h"
#include "db/Database.h"

namespace tkd::schema {

// Version 5: a leave keeps the days it moved the expiry, an exchange line the membership days it added,
// so ending, deleting or undoing gives back exactly what was granted. Rows written before knew only the
// leave's length and the remark "会籍增加N天，截止日期到…"; both are read back once here. Fixed text once
// released, like every step.
void addLeaveAndExchangeDays(Database& db)
{
    db.execute(QStringLiteral("ALTER TABLE [会员请假] ADD COLUMN [顺延天数] INTEGER DEFAULT 0"));
    db.execute(QStringLiteral("UPDATE [会员请假] SET [顺延天数]=max(coalesce([请假天数],0),0)"));
    db.execute(QStringLiteral("ALTER TABLE [兑换商品] ADD COLUMN [会籍天数] INTEGER DEFAULT 0"));
    db.execute(QStringLiteral("UPDATE [兑换商品] SET [会籍天数]=CAST(substr([备注],5,instr([备注],'天')-5) AS INTEGER) "
                              "WHERE substr([备注],1,4)='会籍增加' AND instr([备注],'天')>5 "
                              "AND substr([备注],5,instr([备注],'天')-5) NOT GLOB '*[^0-9]*'"));
}

} // namespace tkd::schema
