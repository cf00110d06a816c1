#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::members {

// What the member entry window holds, as typed.
struct MemberInput {
    QString cardNumber;
    QString name;
    QString type;
    QString mobile;
    QString phone;
    QDate joined;
    QString visits;
    QString days;
    Money price;
    QString password;
    QString confirmPassword;
    QString birthMonth;
    QString birthDay;
    QString payMethod = QStringLiteral("现金");
    QString source;
    QString idKind = QStringLiteral("身份证");
    QString idNumber;
    QString sex = QStringLiteral("男");
    QString coach;
    QString locker;
    QString consultant;
    QString grade;
    QString lessonsDone;
    QString needs;
    QString introducer;
    QString introducerCard;
    QString remark;
    QString photo;
    bool openOnSave = false;
};

namespace field {
inline const QString cardNumber = QStringLiteral("cardNumber");
inline const QString name = QStringLiteral("name");
inline const QString type = QStringLiteral("type");
inline const QString password = QStringLiteral("password");
inline const QString birthMonth = QStringLiteral("birthMonth");
inline const QString birthDay = QStringLiteral("birthDay");
inline const QString locker = QStringLiteral("locker");
} // namespace field

// "mm-dd" from the two boxes ("00-00" for none), or the refusal of an impossible day.
// Empty boxes count as 0; 29 February is a real birthday.
Outcome<QString> birthdayFrom(const QString& month, const QString& day);

struct Registration {
    bool paymentWritten = false; // the price was recorded: the payment SMS follows when switched on
    QString mobile;
    QString smsText; // signed with the context's SMS session
};

// Adds a member: every rule is tested before anything is written, then the member, the card
// opening, the first payment, the held locker and the introducer's points are one transaction.
// With the payment SMS on, a price needs a logged-in SMS session in the context.
Outcome<Registration> registerMember(const CommandContext& context, const MemberInput& input);

// Edits the personal data; card, type, counters, balance, points, dates and status stay.
Outcome<> editMember(const CommandContext& context, const MemberInput& input);

// The grades a member can hold, in their order.
QStringList gradeNames(TvelunDMForm& dm);

// The introducer's reward: whole yuan of the price per whole yuan of the rate; none for a rate of 0.
qint64 referralPoints(Money price, Money yuanPerPoint);

} // namespace tkd::members
