#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "app/Refusal.h"
#include "db/Money.h"
#include "db/TreeShape.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

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
// The type of that row id (the list's hidden 编号), for the entry dialog.
std::optional<CardType> findById(TvelunDMForm& dm, qint64 id);

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
inline const QString price = QStringLiteral("price");
} // namespace field

// A price as typed into a price field (a card type's 售价, a new member's card price): blank
// is 0; anything else that is no amount is refused with "售价必须是金额！" (error icon, focus
// on the field named field::price).
Outcome<Money> priceFromText(const QString& text);

// Adds a type (editId empty) or rewrites one; code and name are tested only when adding,
// the code first. Nothing is written when the input is refused.
Outcome<> save(const CommandContext& context, const Input& input, std::optional<qint64> editId = std::nullopt);

// Why a type cannot be deleted: some member still holds it. The list asks this before its
// delete question; remove asks it again inside its transaction.
MaybeRefusal removalRefusal(TvelunDMForm& dm, const QString& name);
Outcome<> remove(const CommandContext& context, qint64 id, const QString& name);

// The member list's tree "会员等级": the root "所有等级" (no filter) and one child per type,
// in table order, each node carrying the type's row id and name.
inline const QString kAllGrades = QStringLiteral("所有等级");
std::vector<TreeNode> gradeTree(TvelunDMForm& dm);

} // namespace cardtypes
} // namespace tkd
