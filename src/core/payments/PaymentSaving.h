#pragma once

#include "Payments.h"
#include "app/CommandContext.h"
#include "app/Outcome.h"

#include <QDateTime>

namespace tkd::payments {

struct RenewalInput {
    QString cardNumber;
    QString typeName;
    QString amount;
    QString remark;
    QString method;
    bool changeGrade = false;
    ExpiryChoice choice = ExpiryChoice::NotAsked;
};

struct CustomInput {
    QString cardNumber;
    QString days;
    QString visits;
    QString amount;
    QString remark;
    QString method;
    ExpiryChoice choice = ExpiryChoice::NotAsked;
};

struct RechargeInput {
    QString cardNumber;
    QString deposit; // put on the card
    QString paid;    // paid by the member
    QString remark;
    QString method;
};

namespace field {
inline const QString type = QStringLiteral("type");
inline const QString amount = QStringLiteral("amount");
inline const QString customAmount = QStringLiteral("customAmount");
inline const QString days = QStringLiteral("days");
inline const QString visits = QStringLiteral("visits");
inline const QString deposit = QStringLiteral("deposit");
inline const QString paid = QStringLiteral("paid");
} // namespace field

// The printed receipt as data: the hall's name as title, then its lines in order.
struct Receipt {
    QString title;
    QStringList lines;
};

struct Payment {
    // The front-desk panel's new values.
    QString expiry; // "yyyy-MM-dd" or empty
    QString type;
    QString visitsLeft; // "N次"
    QString balance;    // "0.00元"

    Receipt receipt;
    // The message after the payment, to the member's mobile, signed with the context's SMS session.
    QString mobile;
    QString smsText;
};

// One row of 会员充值: what was charged, the discount, what was paid, and its kind.
struct PaymentRow {
    Money charged;
    Money discount;
    Money paid;
    QString kind;
    QString method;
    QString remark;
};
// Writes the row inside the caller's transaction; registration's first payment uses it too.
void recordPayment(const CommandContext& context, const QString& cardNumber, const QString& name,
                   const PaymentRow& row);

// The typed amounts and counts, checked before the expiry prompt is asked; the saves check them again.
MaybeRefusal checkRenewal(const RenewalInput& input);
MaybeRefusal checkCustom(const CustomInput& input);

// Each runs in one transaction on the member row re-read inside it; a refusal writes nothing.
// A prompt answered with Cancel ends the save as a cancelled refusal.
Outcome<Payment> renew(const CommandContext& context, const RenewalInput& input);
Outcome<Payment> renewCustom(const CommandContext& context, const CustomInput& input);
Outcome<Payment> recharge(const CommandContext& context, const RechargeInput& input);

} // namespace tkd::payments
