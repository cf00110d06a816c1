#pragma once

#include "db/Money.h"

#include <QDateTime>
#include <QString>

namespace tkd::sms {

// "3月7日 09:05": month and day without leading zeros, the time with them.
QString messageTime(const QDateTime& moment);

// The automatic messages; each ends with the hall's signature in 【】.
QString rechargeText(const QString& name, const QString& card, const QDateTime& moment, Money amount,
                     const QString& signature);
QString consumptionText(const QString& name, const QString& card, const QDateTime& moment, Money amount,
                        const QString& signature);
QString returnText(const QString& name, const QString& card, const QDateTime& moment, Money amount,
                   const QString& signature);
QString checkInText(const QString& name, const QString& card, const QDateTime& moment, const QString& signature);

} // namespace tkd::sms
