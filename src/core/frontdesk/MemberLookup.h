#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "members/LeaveDays.h"

#include <QDate>
#include <QString>
#include <optional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::settings {
struct OtherSettings;
}

namespace tkd::frontdesk {

// Everything the member panel shows, already in the panel's formats.
struct MemberView {
    QString cardNumber;
    QString name;
    QString type;
    QString status;
    QString swipes;     // "12次"
    QString balance;    // "0.00元"
    QString points;     // "30分"
    QString visitsLeft; // "5次"
    QString opened;     // "yyyy-MM-dd", empty when not opened
    QString expiry;     // "yyyy-MM-dd", empty when none
    QString slot;
    QString lastVisit;
    QString coach;
    QString consultant;
    QString locker;
    QString lockerExpiry;
    QString mobile;
    QString phone;
    QString warning;
    QString photoPath; // an existing file, or empty
};

// The member row and what is derived from it for the panel; nullopt for an unknown card.
std::optional<MemberView> lookUp(TvelunDMForm& dm, const QString& cardNumber, const QDate& today);
std::optional<MemberView> lookUp(TvelunDMForm& dm, const QString& cardNumber, const QDate& today,
                                 const settings::OtherSettings& lead);

// The four warning fragments, in their order, each ending with "。".
struct WarningFacts {
    bool opened = true;
    std::optional<QDateTime> expiry;
    std::optional<std::pair<QDate, QDate>> leaveToday;
    std::optional<QDateTime> lockerExpiry;
    int memberLeadDays = 0;
    int lockerLeadDays = 0;
};
QString warningLine(const WarningFacts& facts, const QDate& today);

// The first leave of the member that covers today, if any (the leave area's rule).
using members::leaveCovering;

// Refills the visit list (临时会员登记) with the member's visits numbered from the oldest.
void rebuildVisitList(TvelunDMForm& dm, const QString& cardNumber);

// The visit list after the member's new visit: the visit appended when the list holds the member's
// earlier visits, the list rebuilt otherwise; either way it ends as rebuildVisitList leaves it.
void addVisitToList(TvelunDMForm& dm, const QString& cardNumber, qint64 visitId);

// Empties the scratch lists that belong to the member shown.
void clearMemberLists(TvelunDMForm& dm);

// The coach of the member: a staff name, or empty to clear it. An unknown card is refused.
Outcome<> setCoach(const CommandContext& context, const QString& cardNumber, const QString& coach);

} // namespace tkd::frontdesk
