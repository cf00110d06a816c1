#include "MemberEntry.h"

#include "data/TvelunDMForm.h"

namespace tkd::members {

MemberEntry entryFromRow(const ResultSet& row)
{
    auto text = [&row](const char16_t* column) { return row.first(QString::fromUtf16(column)).toText(); };
    auto count = [&row](const char16_t* column) {
        return QString::number(row.first(QString::fromUtf16(column)).toInt());
    };
    MemberEntry entry;
    MemberInput& in = entry.input;
    in.cardNumber = text(u"会员卡号");
    in.name = text(u"会员姓名");
    in.type = text(u"会员类型");
    in.mobile = text(u"移动电话");
    in.phone = text(u"固定电话");
    in.joined = row.first(QStringLiteral("加入时间")).toDate();
    in.visits = count(u"有效次数");
    in.days = count(u"有效天数");
    in.price = row.first(QStringLiteral("售价")).toMoney();
    in.password = text(u"会员密码");
    in.confirmPassword = in.password;
    // Stored as "mm-dd", "00-00" for none.
    const QString birthday = text(u"会员生日");
    in.birthMonth = birthday.mid(0, 2);
    in.birthDay = birthday.mid(3, 2);
    in.payMethod = text(u"结帐方式");
    in.source = text(u"信息来源");
    in.idKind = text(u"证件名称");
    in.idNumber = text(u"证件号码");
    in.sex = text(u"性别");
    in.coach = text(u"健身教练");
    in.locker = text(u"衣柜编号");
    in.consultant = text(u"会籍顾问");
    in.grade = text(u"会员级别");
    in.lessonsDone = count(u"完成课时");
    in.needs = text(u"健身需求");
    in.introducer = text(u"介绍人");
    in.introducerCard = text(u"介绍人卡号");
    in.remark = text(u"备注说明");
    in.photo = text(u"会员照片");
    entry.points = count(u"会员积分");
    return entry;
}

std::optional<MemberEntry> loadEntry(TvelunDMForm& dm, const QString& cardNumber)
{
    const ResultSet row = dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), cardNumber}});
    if (row.isEmpty())
        return std::nullopt;
    return entryFromRow(row);
}

} // namespace tkd::members
