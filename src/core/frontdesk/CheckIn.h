#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"

#include <QDateTime>
#include <QString>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::frontdesk {

// The member's row as a check-in sees it.
struct CheckInMember {
    QString cardNumber;
    QString name;
    QString type;
    QString status;
    QString coach;
    QString mobile;
    QString birthday;
    QString photo;
    QDateTime opened; // invalid: not opened yet
    QDateTime expiry; // invalid: none
    int visitsLeft = 0;
    // The counters a visit moves, from the same row.
    int days = 0;
    int swipes = 0;
    int lessonsDone = 0;
    int lessonsLeft = 0;
};
std::optional<CheckInMember> readMember(TvelunDMForm& dm, const QString& cardNumber);

// The five rules in their order; the first that fails refuses the visit.
MaybeRefusal eligibility(TvelunDMForm& dm, const CheckInMember& member, const QDateTime& now);

// What the confirmation window shows before an attended check-in.
struct AttendedCheck {
    QString notices;      // the text area's content, "无提醒内容" after five line breaks when there is none
    MaybeRefusal refusal; // shown only when the operator confirms
    QString photoPath;    // an existing file, or empty
};
std::optional<AttendedCheck> prepareAttended(TvelunDMForm& dm, const QString& cardNumber, const QDateTime& now);

// The panel's new values after a visit or its deletion.
struct Visit {
    QString opened;     // "yyyy-MM-dd" or empty
    QString expiry;     // "yyyy-MM-dd" or empty
    QString swipes;     // "N次"
    QString visitsLeft; // "N次"
    bool countCard = false;
    // After a check-in: the message to the member's mobile, signed with the context's SMS session.
    QString mobile;
    QString smsText;
};

// Records one visit in one transaction: the rules are tested again on the stored row, then the
// card is opened on its first visit, the visit written and the counters moved. A refusal writes nothing.
Outcome<Visit> checkIn(const CommandContext& context, const QString& cardNumber);

// Removes a visit (super user only) and gives its counters back; the card stays opened.
Outcome<Visit> deleteVisit(const CommandContext& context, const QString& cardNumber, qint64 visitId);

} // namespace tkd::frontdesk
