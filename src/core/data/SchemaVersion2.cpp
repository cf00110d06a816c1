#include "SchemaSteps.h"
#include "db/Database.h"

namespace tkd::schema {

// Version 2: the history lists the desk reads at every swipe come out of their indexes alone. A hall's
// file grows in time order, so one member's payments, lessons, leave, sales and exchanges lie on as
// many pages as they have rows, and every page read is decrypted; an index holding the listed columns
// keeps them together. Each index keeps its name and leading columns, so every other query by card and
// date reads it as before. Fixed text: never edit once released.
void addVersion2(Database& db)
{
    db.executeScript(QStringLiteral(
        "DROP INDEX [ix_会员充值_5];"
        "CREATE INDEX [ix_会员充值_5] on [会员充值] ([会员卡号],[充值日期],[充值金额],[优惠金额],[充值说明],[操作员],"
        "[备注]);"
        "DROP INDEX [ix_会员请假_7];"
        "CREATE INDEX [ix_会员请假_7] on [会员请假] ([会员卡号],[请假日期],[开始日期],[结束日期],[请假天数],[备注],"
        "[操作员]);"
        "DROP INDEX [ix_兑换商品_9];"
        "CREATE INDEX [ix_兑换商品_9] on [兑换商品] ([会员卡号],[兑换日期],[商品编号],[商品名称],[数量],[兑换积分],"
        "[备注]);"
        "DROP INDEX [ix_会员消费_11];"
        "CREATE INDEX [ix_会员消费_11] on [会员消费] ([会员卡号],[消费日期],[商品编号],[商品名称],[单位],[数量],[单价],"
        "[折扣率],[总金额],[操作员]);"
        "DROP INDEX [ix_购买私教_19];"
        "CREATE INDEX [ix_购买私教_19] on [购买私教] "
        "([会员卡号],[购买日期],[有效日期],[剩余数量],[教练姓名],[项目名称],"
        "[状态]);"
        "DROP INDEX [ix_私教消费_21];"
        "CREATE INDEX [ix_私教消费_21] on [私教消费] ([会员卡号],[消费日期],[消费数量],[教练],[项目名称],[备注],"
        "[操作员])"));
}

} // namespace tkd::schema
