#pragma once

#include "db/Money.h"
#include "db/Value.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <ostream>

// Readable values in failure messages: GoogleTest finds these overloads by argument-dependent
// lookup, so they live in the namespace of the type they print. Every test translation unit sees
// them (they are part of the tests' precompiled header), so a comparison prints the same everywhere.

void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QStringList& texts, std::ostream* os);
// "2024-03-15", or "invalid date".
void PrintTo(const QDate& date, std::ostream* os);
void PrintTo(const QTime& time, std::ostream* os);
// "2024-03-15 10:30:00.000" and the zone when it is not local time.
void PrintTo(const QDateTime& moment, std::ostream* os);

namespace tkd {
// All four decimals, so that 12.1250 and 12.1200 do not both read "12.13".
void PrintTo(const Money& amount, std::ostream* os);
// The type and the value: Null, Text "…", Integer 5, Real 0.95, YesNo true, Money 12.5000, DateTime ….
void PrintTo(const Value& value, std::ostream* os);
} // namespace tkd
