#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Money.h"

#include <QDate>
#include <QString>
#include <optional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::lockers {

namespace rentalField {
inline const QString card = QStringLiteral("cardNumber");
inline const QString locker = QStringLiteral("lockerNumber");
inline const QString start = QStringLiteral("startDate");
inline const QString end = QStringLiteral("endDate");
inline const QString rent = QStringLiteral("rent");
inline const QString amount = QStringLiteral("amount");
} // namespace rentalField

// One locker row as the rental windows show it.
struct LockerView {
    qint64 id = 0;
    QString number;
    QString name;
    Money deposit;
    QString state;
    QString cardNumber;
    QString memberName;
    QString memberType;
    QDate expiry;
    QString remark;
    bool temporary = false;
    qint64 rentalId = 0;
};

// The locker of that number; none when no locker carries it.
std::optional<LockerView> findLocker(TvelunDMForm& dm, const QString& number);
// The locker the desk's member holds under the number the panel shows: none when the number names
// no locker, or one that is not rented to that member (the desk then offers the chooser).
std::optional<LockerView> deskLocker(TvelunDMForm& dm, const QString& cardNumber, const QString& number);

// The deposit a return of the locker pays back: what its rental record took, the locker's own when
// the record is gone.
Money depositTaken(TvelunDMForm& dm, const LockerView& locker);

// Why the management window may not open the rental dialog ("该衣柜处于不可用状态，不能出租！").
MaybeRefusal refuseRenting(TvelunDMForm& dm, const QString& number);
// The same for a renewal and a return ("该衣柜处于非租用状态，不能续费！" / "…不能退柜！").
MaybeRefusal refuseRenewal(TvelunDMForm& dm, const QString& number);
MaybeRefusal refuseReturn(TvelunDMForm& dm, const QString& number);

enum class RentalKind { LongTerm, Temporary };

// A rental as the rental dialog or the desk's chooser holds it.
struct RentalInput {
    QString cardNumber;
    QString lockerNumber;
    RentalKind kind = RentalKind::LongTerm;
    // Long-term only: a temporary rental runs today, without rent.
    QDate start;
    QDate end;
    QString rent;
    QString remark;
};

// What a rental, or a renewal, wrote: what its ticket prints and the desk shows.
struct RentalTicket {
    qint64 recordId = 0;
    QString lockerNumber;
    QString lockerName;
    QString cardNumber;
    QString memberName;
    Money deposit;
    // The rent of a rental, the amount of a renewal.
    Money amount;
    // A renewal's start is the end it moved on.
    QDate start;
    QDate end;
    bool temporary = false;
};

// Rents the locker to the member in one transaction, testing in this order: a locker shown
// ("请选择衣柜！"), a member chosen ("请首先选择会员！"), the rent ("租金必须是金额！", not below
// zero) and an end not before the start ("结束日期不能小于起始日期！"); then inside the transaction the
// member as stored ("会员卡号不存在！"), whose name and type the rental carries, and the locker still
// free ("该衣柜处于非可用状态，请选择其它的衣柜！"). Writes the "租用" record with the locker's
// deposit as stored, the locker rented under that record's own id, and the member's locker number.
Outcome<RentalTicket> rentLocker(const CommandContext& context, const RentalInput& input);

struct RenewalInput {
    QString lockerNumber;
    // The member the renewing window shows; a locker rented to someone else is refused.
    QString cardNumber;
    QDate newEnd;
    QString amount;
    QString remark;
};

// Moves the rental's end and adds the amount to its rent, in one transaction. Refused: an amount
// that is no amount or below zero, a locker not rented (to the member named)
// ("该衣柜处于非租用状态，不能续费！"), a new end before the current one ("截止日期不能小于到期日期！").
// A temporary rental becomes a long-term one. When the rental record is gone, the renewal is recorded
// as a "租用" record of its own (from the old end to the new, the amount as rent, no deposit) that the
// locker then names.
Outcome<RentalTicket> renewLocker(const CommandContext& context, const RenewalInput& input);

struct ReturnInput {
    QString lockerNumber;
    // The member the returning window shows; a locker rented to someone else is refused.
    QString cardNumber;
};

struct ReturnDone {
    qint64 recordId = 0;
    QString cardNumber;
    Money refunded;
    // The member's locker number afterwards: another locker still rented, or empty.
    QString memberLocker;
};

// Frees the locker and records the "退柜" with the deposit the rental record took paid back (the
// locker's own when the record is gone), in one transaction; a locker not rented (to the member
// named) is refused ("该衣柜处于非租用状态，不能退柜！"). When the member's locker number names the
// returned locker, it then names the member's latest other rented locker, or nothing.
Outcome<ReturnDone> returnLocker(const CommandContext& context, const ReturnInput& input);

// The rental writer every path shares, inside the caller's transaction: the "租用" record, then the
// locker (found by its row id) marked rented under that record's id when it is still free. Returns
// the record's id, or 0 (nothing useful written: the caller rolls back) when the locker was not free.
struct RentalRecord {
    qint64 lockerId = 0;
    QString lockerNumber;
    QString cardNumber;
    QString memberName;
    QString memberType;
    QDateTime at;
    QDate start;
    QDate end;
    Money rent;
    Money deposit;
    QString remark;
    bool temporary = false;
};
qint64 writeRental(TvelunDMForm& dm, const RentalRecord& record);

} // namespace tkd::lockers
