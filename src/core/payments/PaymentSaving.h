#pragma once

#include "Payments.h"
#include "sms/SmsOperations.h"

#include <QDateTime>

namespace tkd::payments {

// What every save needs besides its page.
struct SaveContext {
    TvelunDMForm& dm;
    const SmsState& sms;
    QString operatorName;
    QDateTime now;
};

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

struct PaymentOutcome {
    MaybeRefusal refusal;
    bool cancelled = false; // the prompt was cancelled: nothing written
    bool saved() const { return !refusal && !cancelled; }

    // The front-desk panel's new values.
    QString expiry; // "yyyy-MM-dd" or empty
    QString type;
    QString visitsLeft; // "N次"
    QString balance;    // "0.00元"

    Receipt receipt;
    // The message after the payment, to the member's mobile.
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
void recordPayment(TvelunDMForm& dm, const QString& cardNumber, const QString& name, const PaymentRow& row,
                   const QString& operatorName, const QDateTime& now);

// The typed amounts and counts, checked before the expiry prompt is asked; the saves check them again.
MaybeRefusal checkRenewal(const RenewalInput& input);
MaybeRefusal checkCustom(const CustomInput& input);

// Each runs in one transaction on the member row re-read inside it; a refusal writes nothing.
PaymentOutcome renew(const SaveContext& context, const RenewalInput& input);
PaymentOutcome renewCustom(const SaveContext& context, const CustomInput& input);
PaymentOutcome recharge(const SaveContext& context, const RechargeInput& input);

// Sends the payment's message when the payment SMS is on; nullopt when it is off or nothing was saved.
// A failure is only reported: the payment stands.
std::optional<sms::AutoSendResult> sendPaymentSms(SmsState& state, const PaymentOutcome& outcome,
                                                  const sms::GatewayCall& call);

} // namespace tkd::payments
