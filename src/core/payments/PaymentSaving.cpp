#include "PaymentSaving.h"

#include "data/TvelunDMForm.h"
#include "settings/UserInfo.h"
#include "sms/SmsState.h"
#include "sms/SmsTemplates.h"

namespace tkd::payments {
namespace {

const QString kDate = QStringLiteral("yyyy-MM-dd");

Refusal unknownMember()
{
    return Refusal::warning(QStringLiteral("会员卡号不存在！"));
}

QString dateText(const QDate& date)
{
    return date.isValid() ? date.toString(kDate) : QString();
}

// The stored form keeps whole seconds, as every other moment of the program.
QDateTime toSeconds(const QDateTime& now)
{
    return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
}

// The new expiry of an expired membership, as the operator chose it before the save.
std::optional<QDate> chosenExpiry(const QDate& expiry, int days, const QDate& today, ExpiryChoice choice)
{
    switch (choice) {
    case ExpiryChoice::FromOldExpiry:
        return expiry.addDays(days);
    case ExpiryChoice::FromToday:
        return today.addDays(days);
    default:
        return std::nullopt;
    }
}

Refusal choiceMissing()
{
    return Refusal::warning(QStringLiteral("该会员已经到期，请选择续费方式！"));
}

void writeExpiry(TvelunDMForm& dm, const QString& cardNumber, const QDate& expiry)
{
    // An invalid date binds as Null: the membership no longer expires.
    dm.change(QStringLiteral("update [会员信息] set [到期日期]=:dqrq where [会员卡号]=:hykh"),
              {{QStringLiteral("dqrq"), expiry}, {QStringLiteral("hykh"), cardNumber}});
}

void insertPayment(const CommandContext& context, const PayingMember& member, const PaymentRow& row)
{
    recordPayment(context, member.cardNumber, member.name, row);
}

// What the desk's panel shows after the payment.
Payment shownAfter(const QDate& expiry, const QString& type, int visitsLeft, Money balance)
{
    Payment outcome;
    outcome.expiry = dateText(expiry);
    outcome.type = type;
    outcome.visitsLeft = QString::number(visitsLeft) + QStringLiteral("次");
    outcome.balance = balance.toYuanText();
    return outcome;
}

// Lines 2 to 4 and the time caption's line, then the collector and the hall; the caller puts its own three between.
Receipt receipt(const CommandContext& context, const PayingMember& member, const QString& type,
                const QStringList& amounts, const QString& timeCaption)
{
    const UserInfo hall = UserInfo::load(context.dm);
    Receipt r;
    r.title = hall.name;
    r.lines << QStringLiteral("会员卡号：") + member.cardNumber << QStringLiteral("会员姓名：") + member.name
            << QStringLiteral("会员类型：") + type;
    r.lines << amounts;
    r.lines << timeCaption + context.now.toString(QStringLiteral("yy-MM-dd hh:mm"))
            << QStringLiteral("收 款 人：") + context.operatorName << QStringLiteral("地址：") + hall.address
            << QStringLiteral("电话：") + hall.phone;
    return r;
}

void fillAfterCommit(const CommandContext& context, const PayingMember& member, Money smsAmount, Payment& outcome)
{
    outcome.mobile = member.mobile;
    outcome.smsText = sms::rechargeText(member.name, member.cardNumber, context.now, smsAmount,
                                        context.sms ? context.sms->signature : QString());
}

} // namespace

void recordPayment(const CommandContext& context, const QString& cardNumber, const QString& name, const PaymentRow& row)
{
    context.dm.change(
        QStringLiteral("insert into [会员充值] ([充值日期],[会员卡号],[会员姓名],[充值金额],[优惠金额],[实际存入金额],"
                       "[充值说明],[结帐方式],[操作员],[备注]) values(:czrq,:hykh,:hyxm,:czje,:yhje,:sjcrje,:czsm,"
                       ":jzfs,:czy,:bz)"),
        {{QStringLiteral("czrq"), toSeconds(context.now)},
         {QStringLiteral("hykh"), cardNumber},
         {QStringLiteral("hyxm"), name},
         {QStringLiteral("czje"), row.charged},
         {QStringLiteral("yhje"), row.discount},
         {QStringLiteral("sjcrje"), row.paid},
         {QStringLiteral("czsm"), row.kind},
         {QStringLiteral("jzfs"), row.method},
         {QStringLiteral("czy"), context.operatorName},
         {QStringLiteral("bz"), row.remark}});
}

MaybeRefusal checkRenewal(const RenewalInput& input)
{
    if (!amountFromText(input.amount))
        return Refusal::warning(QStringLiteral("请输入正确的交费金额！"), field::amount);
    return std::nullopt;
}

MaybeRefusal checkCustom(const CustomInput& input)
{
    if (!countFromText(input.days))
        return Refusal::warning(QStringLiteral("请输入正确的可用天数！"), field::days);
    if (!countFromText(input.visits))
        return Refusal::warning(QStringLiteral("请输入正确的可用次数！"), field::visits);
    if (!amountFromText(input.amount))
        return Refusal::warning(QStringLiteral("请输入正确的交费金额！"), field::customAmount);
    return std::nullopt;
}

Outcome<Payment> renew(const CommandContext& context, const RenewalInput& input)
{
    if (const MaybeRefusal refusal = precheck(context, input.cardNumber))
        return *refusal;
    if (const MaybeRefusal refusal = checkRenewal(input))
        return *refusal;
    const Money amount = *amountFromText(input.amount);
    if (input.choice == ExpiryChoice::Cancel)
        return Refusal::cancel();

    TvelunDMForm& dm = context.dm;
    const QDate today = context.now.date();
    Transaction tx(dm.db());
    const auto type = cardtypes::find(dm, input.typeName);
    if (!type)
        return Refusal::warning(QStringLiteral("请选择会员类型！"), field::type);
    const auto member = loadMember(dm, input.cardNumber, Opener::MemberList);
    if (!member)
        return unknownMember();

    QDate expiry = member->expiry;
    if (member->opened.isValid() && !member->expiry.isValid() && type->days > 0) {
        // Opened under a type without day limit: days bought now must end somewhere, or a month's fee
        // would buy unlimited validity. A grade change counts from the opening day, as it does for all.
        expiry = (input.changeGrade ? member->opened : today).addDays(type->days);
        writeExpiry(dm, member->cardNumber, expiry);
    } else if (member->expiry.isValid()) {
        if (type->days == 0) {
            // The new type has no day limit: the membership no longer expires.
            expiry = QDate();
        } else if (member->expiry < today) {
            const auto chosen = chosenExpiry(member->expiry, type->days, today, input.choice);
            if (!chosen)
                return choiceMissing();
            expiry = *chosen;
        } else {
            const QDate base = input.changeGrade && member->opened.isValid() ? member->opened : member->expiry;
            expiry = base.addDays(type->days);
        }
        writeExpiry(dm, member->cardNumber, expiry);
    }
    dm.change(QStringLiteral("update [会员信息] set [会员类型]=:hylx,[有效天数]=:yxts,[有效次数]=:yxcs,[售价]=:sj "
                             "where [会员卡号]=:hykh"),
              {{QStringLiteral("hylx"), type->name},
               {QStringLiteral("yxts"), type->days},
               {QStringLiteral("yxcs"), type->visits},
               {QStringLiteral("sj"), type->price},
               {QStringLiteral("hykh"), member->cardNumber}});
    insertPayment(context, *member,
                  {amount, Money(), amount, QStringLiteral("交费等级：") + type->name, input.method, input.remark});
    tx.commit();

    Payment outcome = shownAfter(expiry, type->name, type->visits, member->balance);
    outcome.receipt =
        receipt(context, *member, type->name,
                {QStringLiteral("交费金额：") + plainAmount(amount), QStringLiteral("到期日期：") + outcome.expiry,
                 QStringLiteral("累计次数：") + visitsText(type->visits)},
                QStringLiteral("交费时间："));
    fillAfterCommit(context, *member, amount, outcome);
    return outcome;
}

Outcome<Payment> renewCustom(const CommandContext& context, const CustomInput& input)
{
    if (const MaybeRefusal refusal = precheck(context, input.cardNumber))
        return *refusal;
    if (const MaybeRefusal refusal = checkCustom(input))
        return *refusal;
    const auto days = countFromText(input.days);
    const auto visits = countFromText(input.visits);
    const auto amount = amountFromText(input.amount);
    if (input.choice == ExpiryChoice::Cancel)
        return Refusal::cancel();

    TvelunDMForm& dm = context.dm;
    const QDate today = context.now.date();
    Transaction tx(dm.db());
    const auto member = loadMember(dm, input.cardNumber, Opener::MemberList);
    if (!member)
        return unknownMember();
    QDate expiry = member->expiry;
    if (member->expiry.isValid()) {
        if (member->expiry < today) {
            const auto chosen = chosenExpiry(member->expiry, *days, today, input.choice);
            if (!chosen)
                return choiceMissing();
            expiry = *chosen;
        } else {
            expiry = member->expiry.addDays(*days);
        }
        writeExpiry(dm, member->cardNumber, expiry);
    }
    const int visitsLeft = member->visitsLeft + *visits;
    dm.change(QStringLiteral("update [会员信息] set [有效天数]=:yxts,[有效次数]=:yxcs where [会员卡号]=:hykh"),
              {{QStringLiteral("yxts"), member->days + *days},
               {QStringLiteral("yxcs"), visitsLeft},
               {QStringLiteral("hykh"), member->cardNumber}});
    insertPayment(context, *member,
                  {*amount, Money(), *amount, QStringLiteral("自定义续费"), input.method, input.remark});
    tx.commit();

    Payment outcome = shownAfter(expiry, member->type, visitsLeft, member->balance);
    outcome.receipt = receipt(context, *member, member->type,
                              {QStringLiteral("交费金额：") + plainAmount(*amount),
                               QStringLiteral("可用天数：") + QString::number(*days) + QStringLiteral("天"),
                               QStringLiteral("可用次数：") + QString::number(*visits) + QStringLiteral("次")},
                              QStringLiteral("交费时间："));
    fillAfterCommit(context, *member, *amount, outcome);
    return outcome;
}

Outcome<Payment> recharge(const CommandContext& context, const RechargeInput& input)
{
    if (const MaybeRefusal refusal = precheck(context, input.cardNumber))
        return *refusal;
    const auto deposit = amountFromText(input.deposit);
    if (!deposit)
        return Refusal::warning(QStringLiteral("请输入正确的卡内存入金额！"), field::deposit);
    const auto paid = amountFromText(input.paid);
    if (!paid)
        return Refusal::warning(QStringLiteral("请输入正确的实际需要交费！"), field::paid);

    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const auto member = loadMember(dm, input.cardNumber, Opener::MemberList);
    if (!member)
        return unknownMember();
    const Money balance = member->balance + *deposit;
    dm.change(QStringLiteral("update [会员信息] set [卡内余额]=:knye where [会员卡号]=:hykh"),
              {{QStringLiteral("knye"), balance}, {QStringLiteral("hykh"), member->cardNumber}});
    insertPayment(context, *member,
                  {*deposit, *deposit - *paid, *paid, QStringLiteral("会员交费"), input.method, input.remark});
    tx.commit();

    Payment outcome = shownAfter(member->expiry, member->type, member->visitsLeft, balance);
    outcome.receipt = receipt(context, *member, member->type,
                              {QStringLiteral("充值金额：") + plainAmount(*deposit),
                               QStringLiteral("优惠金额：") + plainAmount(*deposit - *paid),
                               QStringLiteral("卡内余额：") + plainAmount(balance)},
                              QStringLiteral("充值时间："));
    fillAfterCommit(context, *member, *deposit, outcome);
    return outcome;
}

} // namespace tkd::payments
