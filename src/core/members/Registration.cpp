#include "Registration.h"

#include "cardtypes/CardTypes.h"
#include "data/TvelunDMForm.h"
#include "lockers/LockerChoice.h"
#include "payments/PaymentSaving.h"
#include "security/PasswordHash.h"
#include "settings/OtherSettings.h"
#include "sms/SmsState.h"
#include "sms/SmsTemplates.h"

namespace tkd::members {
namespace {

int wholeNumber(const QString& text)
{
    return text.trimmed().isEmpty() ? 0 : text.trimmed().toInt();
}

bool isWholeNumber(const QString& text)
{
    if (text.trimmed().isEmpty())
        return true;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 0;
}

// The values derived from the input once it passed the rules.
struct Checked {
    QString birthday;
    int visits = 0;
    int days = 0;
    int lessonsDone = 0;
    int lessonsLeft = 0;
};

// Rules shared by adding and editing, in their order.
MaybeRefusal checkCommon(TvelunDMForm& dm, const MemberInput& input, bool adding)
{
    if (input.cardNumber.trimmed().isEmpty())
        return Refusal::error(QStringLiteral("会员卡号不能为空！"), field::cardNumber);
    if (input.name.trimmed().isEmpty())
        return Refusal::error(QStringLiteral("会员姓名不能为空！"), field::name);
    if (input.type.trimmed().isEmpty())
        return Refusal::error(QStringLiteral("会员类型不能为空！"), field::type);
    if (security::trimPassword(input.password) != security::trimPassword(input.confirmPassword))
        return Refusal::warning(QStringLiteral("两次输入的密码不相同，请重新输入！"), field::password);
    if (adding &&
        !dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), input.cardNumber.trimmed()}}).isEmpty())
        return Refusal::error(QStringLiteral("该会员卡号已存在！"), field::cardNumber);
    return std::nullopt;
}

MaybeRefusal checkDerived(TvelunDMForm& dm, const MemberInput& input, Checked* out)
{
    const Outcome<QString> birthday = birthdayFrom(input.birthMonth, input.birthDay);
    if (birthday.refused())
        return birthday.refusal();
    out->birthday = birthday.value();
    // The boxes take digits only; a pasted value that is no count must not turn into 0 silently.
    if (!isWholeNumber(input.visits) || !isWholeNumber(input.days) || !isWholeNumber(input.lessonsDone))
        return Refusal::error(QStringLiteral("有效次数、有效天数和完成课时必须是整数！"));
    out->visits = wholeNumber(input.visits);
    out->days = wholeNumber(input.days);
    out->lessonsDone = wholeNumber(input.lessonsDone);
    qint64 required = 0;
    if (!input.grade.trimmed().isEmpty())
        required = dm.list(QStringLiteral("select [所需课时] from [报考级别] where [级别名称]=:jbmc"),
                           {{QStringLiteral("jbmc"), input.grade.trimmed()}})
                       .first(QStringLiteral("所需课时"))
                       .toInt();
    out->lessonsLeft = static_cast<int>(required) - out->lessonsDone;
    return std::nullopt;
}

Params personalParams(const MemberInput& input, const Checked& c)
{
    return {{QStringLiteral("hykh"), input.cardNumber.trimmed()},
            {QStringLiteral("hyxm"), input.name.trimmed()},
            {QStringLiteral("yddh"), input.mobile.trimmed()},
            {QStringLiteral("gddh"), input.phone.trimmed()},
            {QStringLiteral("jrsj"), input.joined},
            {QStringLiteral("hymm"), security::trimPassword(input.password)},
            {QStringLiteral("hysr"), c.birthday},
            {QStringLiteral("xb"), input.sex.trimmed()},
            {QStringLiteral("xxly"), input.source.trimmed()},
            {QStringLiteral("zjmc"), input.idKind.trimmed()},
            {QStringLiteral("zjhm"), input.idNumber.trimmed()},
            {QStringLiteral("jsjl"), input.coach.trimmed()},
            {QStringLiteral("hjgw"), input.consultant.trimmed()},
            {QStringLiteral("jsxq"), input.needs.trimmed()},
            {QStringLiteral("bzsm"), input.remark.trimmed()},
            {QStringLiteral("hyzp"), input.photo.trimmed()},
            {QStringLiteral("hyjb"), input.grade.trimmed()},
            {QStringLiteral("wcks"), c.lessonsDone},
            {QStringLiteral("syks"), c.lessonsLeft}};
}

} // namespace

Outcome<QString> birthdayFrom(const QString& monthText, const QString& dayText)
{
    const int month = wholeNumber(monthText);
    const int day = wholeNumber(dayText);
    const QString twoDigits =
        QStringLiteral("%1-%2").arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0'));
    if (month > 12 || month < 0)
        return Refusal::error(QStringLiteral("请输入正确的会员生日！"), field::birthMonth);
    if (day > 31 || day < 0)
        return Refusal::error(QStringLiteral("请输入正确的会员生日！"), field::birthDay);
    const QString illegal = QStringLiteral("会员生日“") + twoDigits + QStringLiteral("”不合法！");
    if ((month == 0) != (day == 0))
        return Refusal::error(illegal, field::birthMonth, {field::birthMonth, field::birthDay});
    // February has a 29th in leap years: a child born on it has a birthday.
    if ((month == 2 && day > 29) || ((month == 4 || month == 6 || month == 9 || month == 11) && day == 31))
        return Refusal::error(illegal, field::birthDay);
    return twoDigits;
}

QStringList gradeNames(TvelunDMForm& dm)
{
    return dm.list(QStringLiteral("select [编号],[级别名称] from [报考级别] order by [编号]"))
        .texts(QStringLiteral("级别名称"));
}

qint64 referralPoints(Money price, Money yuanPerPoint)
{
    const qint64 rate = yuanPerPoint.wholeYuan();
    if (rate <= 0)
        return 0;
    return price.wholeYuan() / rate;
}

Outcome<Registration> registerMember(const CommandContext& context, const MemberInput& input)
{
    TvelunDMForm& dm = context.dm;
    const QDateTime& now = context.now;
    Checked c;
    if (MaybeRefusal refusal = checkCommon(dm, input, true))
        return *refusal;
    const bool charges = !input.price.isZero();
    if (charges && context.sms && context.sms->afterPayment && !context.sms->loggedIn())
        return Refusal::warning(QStringLiteral("请先登录再发短信！"));
    if (MaybeRefusal refusal = checkDerived(dm, input, &c))
        return *refusal;
    std::optional<lockers::RentalChoice> locker;
    if (!input.locker.trimmed().isEmpty()) {
        locker = lockers::heldChoice(dm, input.locker.trimmed());
        // Chosen a while ago: someone may have rented it since.
        if (locker && !lockers::isFree(dm, locker->lockerNumber))
            return Refusal::warning(QStringLiteral("该衣柜处于非可用状态，请选择其它的衣柜！"), field::locker);
    }
    const QString card = input.cardNumber.trimmed();
    const QString name = input.name.trimmed();
    const QString type = input.type.trimmed();
    const QDate today = now.date();

    Transaction tx(dm.db());
    Params params = personalParams(input, c);
    params.set(QStringLiteral("hylx"), type);
    params.set(QStringLiteral("kkrq"), Value());
    params.set(QStringLiteral("dqrq"), Value());
    params.set(QStringLiteral("hyzt"), QStringLiteral("可用"));
    params.set(QStringLiteral("jzfs"), input.payMethod.trimmed());
    params.set(QStringLiteral("ygbh"), locker ? locker->lockerNumber : QString());
    params.set(QStringLiteral("jsr"), input.introducer.trimmed());
    params.set(QStringLiteral("jsrkh"), input.introducerCard.trimmed());
    params.set(QStringLiteral("xfze"), Money());
    params.set(QStringLiteral("skcs"), 0);
    params.set(QStringLiteral("hyjf"), 0);
    params.set(QStringLiteral("knye"), Money());
    params.set(QStringLiteral("yxcs"), c.visits);
    params.set(QStringLiteral("yxts"), c.days);
    params.set(QStringLiteral("sj"), input.price);
    dm.change(QStringLiteral(
                  "insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[移动电话],[固定电话],[加入时间],"
                  "[开卡日期],[到期日期],[会员状态],[会员密码],[会员生日],[性别],[结帐方式],[信息来源],[证件名称],"
                  "[证件号码],[健身教练],[衣柜编号],[会籍顾问],[健身需求],[介绍人],[介绍人卡号],[备注说明],"
                  "[会员照片],[消费总额],[刷卡次数],[会员积分],[卡内余额],[有效次数],[有效天数],[售价],[会员级别],"
                  "[完成课时],[剩余课时]) values(:hykh,:hyxm,:hylx,:yddh,:gddh,:jrsj,:kkrq,:dqrq,:hyzt,:hymm,:hysr,"
                  ":xb,:jzfs,:xxly,:zjmc,:zjhm,:jsjl,:ygbh,:hjgw,:jsxq,:jsr,:jsrkh,:bzsm,:hyzp,:xfze,:skcs,:hyjf,"
                  ":knye,:yxcs,:yxts,:sj,:hyjb,:wcks,:syks)"),
              params);
    if (input.openOnSave) {
        // The type's own days decide the expiry, not the days typed into the box.
        const auto cardType = cardtypes::find(dm, type);
        const int typeDays = cardType ? cardType->days : 0;
        dm.change(QStringLiteral("update [会员信息] set [开卡日期]=:kkrq where [会员卡号]=:hykh"),
                  {{QStringLiteral("kkrq"), today}, {QStringLiteral("hykh"), card}});
        if (typeDays != 0)
            dm.change(QStringLiteral("update [会员信息] set [到期日期]=:dqrq where [会员卡号]=:hykh"),
                      {{QStringLiteral("dqrq"), cardtypes::expiryFromOpening(today, typeDays)},
                       {QStringLiteral("hykh"), card}});
    }
    if (charges) {
        payments::recordPayment(context, card, name,
                                {input.price, Money(), input.price, QStringLiteral("续费等级：") + type,
                                 input.payMethod.trimmed(), QStringLiteral("添加会员时续费")});
    }
    if (locker && !lockers::rentHeldChoice(dm, *locker, card, name, type))
        return Refusal::warning(QStringLiteral("该衣柜处于非可用状态，请选择其它的衣柜！"), field::locker);
    if (!input.introducer.trimmed().isEmpty() && !input.introducerCard.trimmed().isEmpty()) {
        const qint64 points = referralPoints(input.price, settings::load(dm).referralYuanPerPoint);
        if (points != 0)
            dm.change(
                QStringLiteral("update [会员信息] set [会员积分]=ifnull([会员积分],0)+:hyjf where [会员卡号]=:hykh"),
                {{QStringLiteral("hyjf"), points}, {QStringLiteral("hykh"), input.introducerCard.trimmed()}});
    }
    tx.commit();

    Registration registration;
    registration.paymentWritten = charges;
    registration.mobile = input.mobile.trimmed();
    if (charges)
        registration.smsText =
            sms::rechargeText(name, card, now, input.price, context.sms ? context.sms->signature : QString());
    return registration;
}

Outcome<> editMember(const CommandContext& context, const MemberInput& input)
{
    TvelunDMForm& dm = context.dm;
    Checked c;
    if (MaybeRefusal refusal = checkCommon(dm, input, false))
        return *refusal;
    if (MaybeRefusal refusal = checkDerived(dm, input, &c))
        return *refusal;
    Transaction tx(dm.db());
    const qint64 changed =
        dm.change(QStringLiteral(
                      "update [会员信息] set [会员姓名]=:hyxm,[移动电话]=:yddh,[固定电话]=:gddh,[加入时间]=:jrsj,"
                      "[会员密码]=:hymm,[会员生日]=:hysr,[性别]=:xb,[信息来源]=:xxly,[证件名称]=:zjmc,[证件号码]=:zjhm,"
                      "[健身教练]=:jsjl,[会籍顾问]=:hjgw,[健身需求]=:jsxq,[备注说明]=:bzsm,[会员照片]=:hyzp,"
                      "[会员级别]=:hyjb,[完成课时]=:wcks,[剩余课时]=:syks where [会员卡号]=:hykh"),
                  personalParams(input, c));
    if (changed == 0)
        return Refusal::warning(QStringLiteral("会员卡号不存在！"));
    tx.commit();
    return Done{};
}

} // namespace tkd::members
