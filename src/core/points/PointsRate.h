#pragma once

#include <QDateTime>
#include <QString>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::points {

// "使用 N 积分可兑换 M 天会籍": how many days of membership points buy (其它设置.使用积分 / 兑换会籍).
struct PointsRate {
    qint64 points = 0; // 使用积分
    qint64 days = 0;   // 兑换会籍

    // The rate as stored now.
    static PointsRate load(TvelunDMForm& dm);

    // spent × days ÷ points, the integer quotient; 0 when the rate's points are 0 or nothing is spent.
    // Worked without overflow for any 64-bit balance; a result past 64 bits is the largest number.
    qint64 daysFor(qint64 spent) const;
    // "使用100积分可换30天会籍", as the days window shows it.
    QString text() const;

    bool operator==(const PointsRate&) const = default;
};

// "会籍增加30天，截止日期到2024-07-30": a days line's remark, with the expiry it leads to.
QString daysRemark(qint64 days, const QDate& until);

// An expiry moved by so many days; invalid when it would leave the dates a card can hold.
QDateTime movedExpiry(const QDateTime& expiry, qint64 days);

// The panel's points text: "120分".
QString pointsText(qint64 points);

} // namespace tkd::points
