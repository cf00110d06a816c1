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

namespace tkd::coaching {

// The fields a refusal of the purchase or booking window names.
namespace field {
inline const QString card = QStringLiteral("card");
inline const QString coach = QStringLiteral("coach");
inline const QString price = QStringLiteral("price");
inline const QString quantity = QStringLiteral("quantity");
inline const QString validUntil = QStringLiteral("validUntil");
} // namespace field

inline const QString kBought = QStringLiteral("购买");
inline const QString kGift = QStringLiteral("赠送");

// What the member group of the purchase and booking windows shows.
struct MemberInfo {
    QString cardNumber;
    QString name;
    QString cardType;
    // "yyyy-MM-dd", empty when the card has none.
    QString expiry;
    QString status;
    // Open lessons over all the member's packages, expired ones included.
    qint64 lessonsLeft = 0;
};
std::optional<MemberInfo> memberInfo(TvelunDMForm& dm, const QString& cardNumber);
qint64 lessonsLeft(TvelunDMForm& dm, const QString& cardNumber);

// A lesson count as typed: digits only, at least 1, at most kMaxQuantity; none otherwise.
inline constexpr qint64 kMaxQuantity = 99999;
std::optional<qint64> parseQuantity(const QString& text);
// A price as typed: blank is 0; a negative amount is read (and refused by the command).
std::optional<Money> parsePrice(const QString& text);

// "总计金额：" while the operator types: price x quantity, unfinished input counting as 0.
Money purchaseTotal(const QString& priceText, const QString& quantityText);
// The value of booked lessons: price x quantity to the cent, halves to even.
Money lessonValue(const Money& price, qint64 quantity);

struct PurchaseInput {
    QString cardNumber;
    QString coach;
    QString item;
    QDate purchaseDate;
    QString price;
    QString quantity;
    // None: the package never expires.
    std::optional<QDate> validUntil;
    bool gift = false;
    QString remark;
};

// A package bought (or given): checks in order the member ("请选择会员！"), the coach ("请选择教练！"),
// the quantity ("购买数量不能为空或零！"), the price ("单价必须是金额！", no negative amount), the last
// valid day (not before the purchase date); then, in one transaction, the member's name from the
// stored row ("会员卡号不存在！" when gone) and the new row. A gift stores price and total 0. Returns
// the new package's 编号.
Outcome<qint64> purchase(const CommandContext& context, const PurchaseInput& input);

struct LessonInput {
    QString cardNumber;
    // The package booked against; none when the member has no open package.
    std::optional<qint64> packageId;
    QString quantity;
    QDate day;
    QString remark;
};

// Lessons booked against a package: checks the member, the quantity ("消费数量不能为空或零！"), that a
// package is chosen ("该会员没有购买过私教不能消费！"); then, in one transaction, the member as stored,
// the package as stored (coach, item, price, expiry: "该项目已到期！" when it ended before today) and
// the remaining count lowered only where it still covers the quantity ("消费数量不能大于余额数量！"
// when used up or gone meanwhile), then the lesson row.
Outcome<> bookLessons(const CommandContext& context, const LessonInput& input);

// Deletes a purchase by its 编号; its lessons stay. "该记录已不存在！" when it is gone already.
Outcome<> removePurchase(const CommandContext& context, qint64 packageId);

} // namespace tkd::coaching
