#include "Leave.h"

#include "Reference.h"
#include "data/TvelunDMForm.h"

namespace tkd::demo {

void writeLeave(Books& books, const Member& m)
{
    books.dm.change(
        QStringLiteral("insert into [会员请假] ([会员卡号],[会员姓名],[会员类型],[联系电话],[请假日期],[开始日期],"
                       "[结束日期],[请假天数],[操作员],[备注]) values(:hykh,:hyxm,:hylx,:lxdh,:qjrq,:ksrq,:jsrq,:qjts,"
                       ":czy,:bz)"),
        {{QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("hylx"), QString::fromUtf16(cardType(m.type).name)},
         {QStringLiteral("lxdh"), m.mobile + QLatin1Char(';') + m.phone},
         {QStringLiteral("qjrq"), dayOf(m.leaveRecorded)},
         {QStringLiteral("ksrq"), m.leaveStart},
         {QStringLiteral("jsrq"), m.leaveEnd},
         {QStringLiteral("qjts"), int(m.leaveStart.daysTo(m.leaveEnd))},
         {QStringLiteral("czy"), operatorAt(m.leaveRecorded)},
         {QStringLiteral("bz"), m.leaveRemark}});
}

} // namespace tkd::demo
