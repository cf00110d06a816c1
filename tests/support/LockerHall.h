#pragma once

#include "TestDatabase.h"
#include "app/CommandContext.h"
#include "data/TvelunDMForm.h"
#include "db/Database.h"

#include <QDateTime>
#include <QString>

namespace tkd::test {

// Members and lockers written straight into a test's database, so a locker test starts from the
// rows it names and nothing else.
inline void addMember(TvelunDMForm& dm, const QString& card, const QString& name, const QString& type = QString())
{
    dm.change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员生日],[衣柜编号]) "
                             "values(:hykh,:hyxm,:hylx,'01-01','')"),
              {{QStringLiteral("hykh"), card}, {QStringLiteral("hyxm"), name}, {QStringLiteral("hylx"), type}});
}

inline void addLocker(TvelunDMForm& dm, const QString& number, int deposit, const QString& state = s(u"可用"))
{
    dm.change(QStringLiteral("insert into [衣柜设置] ([衣柜编号],[衣柜名称],[押金],[状态],[会员卡号],[会员姓名],"
                             "[会员类型],[备注],[临时出租],[出租编号]) values(:ygbh,:ygmc,:yj,:zt,'','','','',0,0)"),
              {{QStringLiteral("ygbh"), number},
               {QStringLiteral("ygmc"), number + s(u"衣柜")},
               {QStringLiteral("yj"), Money::fromYuan(deposit)},
               {QStringLiteral("zt"), state}});
}

// The locker row of that number.
inline ResultSet lockerRow(TvelunDMForm& dm, const QString& number)
{
    return dm.open(QStringLiteral("ADOQ_ygbhxx"), {{QStringLiteral("ygbh"), number}});
}

inline ResultSet rentalRows(TvelunDMForm& dm)
{
    return dm.list(QStringLiteral("select * from [衣柜出租] order by [编号]"));
}

inline QString memberLocker(TvelunDMForm& dm, const QString& card)
{
    return dm
        .list(QStringLiteral("select [衣柜编号] from [会员信息] where [会员卡号]=:hykh"),
              {{QStringLiteral("hykh"), card}})
        .first(QStringLiteral("衣柜编号"))
        .toText();
}

} // namespace tkd::test
