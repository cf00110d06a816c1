#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

namespace tkd {

class TvelunDMForm;

// A class of membership: what a card of it grants and when it may be used.
struct CardType {
    qint64 id = 0;
    QString code;
    QString name;
    int visits = 0; // 0: unlimited visits
    int days = 0;   // 0: never expires
    Money price;
    double discount = 1.0;
    bool hasSlot = false;
    int slotKind = 0; // 0 none, 1 daily window, 2 weekdays
    QString time1;
    QString time2;
    QString weekdays; // seven characters, Monday first, "1" allowed
};

namespace cardtypes {

// The type a member's card names, looked up by name as every window does.
std::optional<CardType> find(TvelunDMForm& dm, const QString& name);

// Every type's name in the order they were made, for the windows' type lists.
QStringList names(TvelunDMForm& dm);
bool isCountCard(const CardType& type);
// The last day of a card opened on the given day; invalid (no expiry) when days is 0.
QDate expiryFromOpening(const QDate& opened, int days);
// Whether the slot lets the card in at that moment; a card without a slot always passes.
bool slotAllows(const CardType& type, const QDateTime& moment);
// "08:00 至 10:00", or the numerals of the allowed weekdays ("一三五"); empty without a slot.
QString slotText(const CardType& type);
// The factor goods prices are multiplied by, with two decimals; 1 for an unknown type.
double discountFactor(const std::optional<CardType>& type);

// What the entry dialog holds, as typed.
struct Input {
    QString code;
    QString name;
    QString visits;
    QString days;
    Money price;
    QString discount;
    bool useSlot = false;
    bool weekly = false;
    QString time1;
    QString time2;
    std::array<bool, 7> weekdays{};
};

namespace field {
inline const QString code = QStringLiteral("code");
inline const QString name = QStringLiteral("name");
inline const QString visits = QStringLiteral("visits");
inline const QString days = QStringLiteral("days");
inline const QString discount = QStringLiteral("discount");
inline const QString time = QStringLiteral("time");
} // namespace field

// Adds a type (editId empty) or rewrites one; code and name are tested only when adding,
// the code first. Nothing is written when the input is refused.
Outcome<> save(const CommandContext& context, const Input& input, std::optional<qint64> editId = std::nullopt);

bool inUse(TvelunDMForm& dm, const QString& name);
// Refuses a type some member still holds.
Outcome<> remove(const CommandContext& context, qint64 id, const QString& name);

} // namespace cardtypes
} // namespace tkd
