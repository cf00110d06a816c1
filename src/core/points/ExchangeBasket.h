#pragma once

#include "PointsRate.h"
#include "app/Outcome.h"
#include "db/Filter.h"
#include "db/ResultSet.h"
#include "goods/Quantities.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::points {

namespace field {
inline const QString quantity = QStringLiteral("quantity");
inline const QString points = QStringLiteral("points");
} // namespace field

// The catalogue item that stands for membership days; the basket knows it by this name.
inline const QString kDaysItemName = QStringLiteral("积分换会籍");
inline const QString kDaysItemCode = QStringLiteral("000000");

// The member as the basket and the days window read it when they open.
struct ExchangeMember {
    QString cardNumber;
    QString name;
    QString type;
    qint64 points = 0;
    QDateTime opened; // invalid: the card was never opened
    QDateTime expiry; // invalid: no expiry (a count card, or not opened)
};
// "会员卡号不存在！" for a card no member holds now.
Outcome<ExchangeMember> readMember(TvelunDMForm& dm, const QString& cardNumber);

// The goods points buy: code, name, points per unit and stock (库存量), in code order.
ResultSet exchangeableGoods(TvelunDMForm& dm);
// Code or name containing the typed text, literally; no filter for blank text.
Filter goodsFilter(const QString& text);

// "所需积分：" as the quantity is typed: quantity × points per unit; empty or unreadable counts 0.
qint64 requiredPoints(const QString& quantityText, qint64 pointsPerUnit);

// What the days window works from: the member's points and expiry as read when it opened, the days
// lines already in the basket (each adds its days before this one) and the rate it shows.
struct DaysOffer {
    QString cardNumber;
    qint64 available = 0;
    QDateTime expiry;
    std::vector<qint64> earlierLines;
    PointsRate rate;

    // The expiry the earlier days lines leave at this rate: this line's days start there.
    QDateTime from() const;
    // The preview line for the points as typed: "会籍增加N天，截止日期到…" (empty text is 0 points).
    QString preview(const QString& pointsText) const;
};
// Refuses, in this order: a member who is gone ("会员卡号不存在！"), a card not opened
// ("该会员卡尚未开卡，请在开卡后兑换！"), a card without expiry ("该会员卡为计次卡，不用兑换会籍！").
Outcome<DaysOffer> offerDays(TvelunDMForm& dm, const QString& cardNumber);

// One line of the basket as stored.
struct BasketLine {
    int number = 0;
    QString code;
    QString name;
    goods::Quantity quantity;
    qint64 points = 0;
    QString remark;
    bool isDays() const { return name == kDaysItemName; }
};

// The basket of one exchange: the lines in 临时兑换商品, numbered 1..n in basket order. It is emptied
// each time the basket window opens and read back when it is saved.
class ExchangeBasket {
public:
    explicit ExchangeBasket(TvelunDMForm& dm);

    void clear();
    // For the grid, in line order.
    ResultSet rows() const;
    std::vector<BasketLine> lines() const;
    int count() const;

    // An item of the catalogue, quantity as typed (digits): refused when empty ("兑换数量不能为空！"),
    // 0 ("兑换数量不能为零！") or past what a line can hold, or when the item is gone. The points are
    // the quantity × the item's points as stored. Neither stock nor the member's points are tested here.
    Outcome<BasketLine> addGoods(const QString& code, const QString& quantityText, const QString& remark);
    // Membership days for the points typed in the days window: refused when they are more than the
    // member's points ("兑换积分不能大于可用积分！") or buy no whole day ("兑换积分不足以兑换一天会籍！").
    // The remark states the days and the expiry they lead to after the earlier days lines.
    Outcome<BasketLine> addDays(const DaysOffer& offer, const QString& pointsText);
    // Deletes the line and numbers the rest 1, 2, 3... again, in one transaction.
    void remove(int number);
    // Words the days lines' remarks again at the rate, from the expiry, each line's days following the
    // earlier ones': saving counts every days line at the rate of the moment, so a rate changed while
    // the basket is open must show on the lines already in it.
    void restateDays(const QDateTime& expiry, const PointsRate& rate);

private:
    BasketLine append(BasketLine line);

    TvelunDMForm& m_dm;
};

} // namespace tkd::points
