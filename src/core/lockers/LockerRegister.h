#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/ResultSet.h"

#include <QString>
#include <QStringList>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::lockers {

namespace lockerField {
inline const QString prefix = QStringLiteral("prefix");
inline const QString startNumber = QStringLiteral("startNumber");
inline const QString endNumber = QStringLiteral("endNumber");
inline const QString number = QStringLiteral("number");
inline const QString name = QStringLiteral("name");
inline const QString deposit = QStringLiteral("deposit");
inline const QString state = QStringLiteral("state");
inline const QString remark = QStringLiteral("remark");
} // namespace lockerField

inline const QString kFree = QStringLiteral("可用");
inline const QString kRented = QStringLiteral("已租");
inline const QString kDamaged = QStringLiteral("损坏");
inline const QString kOccupied = QStringLiteral("占用");

// The states the locker dialog may set: a locker becomes rented only by renting it.
QStringList editableStates();

// The register's list ("衣柜设置"): number, name, deposit, state and remark of every locker.
ResultSet registerList(TvelunDMForm& dm);

// "增加衣柜" as typed: numbers stay text so that core can refuse what is no number.
struct LockerBatch {
    QString prefix;
    QString startNumber;
    QString endNumber;
    QString deposit;
    QString remark;
};

// The largest batch one "确定" adds.
inline constexpr int kMaxBatch = 10000;

// Adds prefix+n ("A1", named "A1衣柜") for every n from start to end, free and unrented, in one
// transaction. Blank numbers are 0. Refused, with nothing written: numbers that are no whole
// numbers, an end below the start ("结束编号不能小于起始编号！"), more than kMaxBatch lockers, a
// deposit that is no amount or below zero, and any number already in the register
// ("重复的衣柜编号：A2！"). Returns how many lockers were added.
Outcome<int> addLockers(const CommandContext& context, const LockerBatch& batch);

// "修改衣柜" as typed, for the locker of that row id.
struct LockerEdit {
    qint64 id = 0;
    QString number;
    QString name;
    QString deposit;
    QString state;
    QString remark;
};

// Why the locker may not be opened for changing: gone, or rented ("该衣柜处于已租状态，不能修改！").
MaybeRefusal refuseLockerEdit(TvelunDMForm& dm, qint64 id);
// Rewrites the locker by its row id. Refused: a blank number, a deposit that is no amount or
// below zero, a state other than free, damaged or occupied, a locker gone or rented meanwhile,
// and a number another locker carries.
Outcome<> editLocker(const CommandContext& context, const LockerEdit& edit);

// Why the locker may not be deleted: gone, or rented ("该衣柜处于已租状态，不能删除！").
MaybeRefusal refuseLockerRemoval(TvelunDMForm& dm, qint64 id);
// Deletes the locker by its row id, checked again inside the transaction.
Outcome<> removeLocker(const CommandContext& context, qint64 id);

} // namespace tkd::lockers
