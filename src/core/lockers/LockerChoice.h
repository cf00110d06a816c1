#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Filter.h"
#include "db/Money.h"
#include "db/ResultSet.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::lockers {

// A long-term rental as the chooser holds it before anything is rented.
struct RentalChoice {
    QString lockerNumber;
    QString lockerName;
    QDate start;
    QDate end;
    Money rent;
    Money deposit;
    QString remark;
    QDateTime heldAt; // when the chooser kept it: the rental's date
};

// Registration mode: keeps the choice in 临时衣柜出租 (one row) until the new member is saved.
// Refuses a locker that is not free.
Outcome<> holdForRegistration(const CommandContext& context, const RentalChoice& choice);

// The held choice, if the chooser left one for this locker.
std::optional<RentalChoice> heldChoice(TvelunDMForm& dm, const QString& lockerNumber);

// Writes the rental of a held choice for a member: the "租用" record and the locker marked rented.
// Runs inside the caller's transaction; false when the locker is gone or no longer free, and the
// caller then rolls back.
bool rentHeldChoice(TvelunDMForm& dm, const RentalChoice& choice, const QString& cardNumber, const QString& name,
                    const QString& type);

bool isFree(TvelunDMForm& dm, const QString& lockerNumber);

// The chooser's list ("选择衣柜"): number, name, deposit, state and remark of every locker.
ResultSet chooserList(TvelunDMForm& dm);
// What the chooser shows of it: free lockers unless all are asked for, numbers containing the
// typed text (literally).
Filter chooserFilter(bool showAll, const QString& number);
// The chooser's list as shown.
ResultSet searchLockers(TvelunDMForm& dm, bool showAll, const QString& number);

} // namespace tkd::lockers
