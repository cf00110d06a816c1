#include "Printers.h"

#include <cstdlib>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList& texts, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            *os << ", ";
        PrintTo(texts[i], os);
    }
    *os << '}';
}

void PrintTo(const QDate& date, std::ostream* os)
{
    *os << (date.isValid() ? date.toString(Qt::ISODate).toStdString() : std::string("invalid date"));
}

void PrintTo(const QTime& time, std::ostream* os)
{
    *os << (time.isValid() ? time.toString(QStringLiteral("HH:mm:ss.zzz")).toStdString() : std::string("invalid time"));
}

void PrintTo(const QDateTime& moment, std::ostream* os)
{
    if (!moment.isValid()) {
        *os << "invalid date-time";
        return;
    }
    const bool local = moment.timeSpec() == Qt::LocalTime;
    *os << moment
               .toString(local ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                               : QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz t"))
               .toStdString();
}

namespace tkd {

void PrintTo(const Money& amount, std::ostream* os)
{
    const std::int64_t units = amount.units();
    const std::int64_t whole = std::llabs(units) / 10000;
    const std::int64_t fraction = std::llabs(units) % 10000;
    *os << (units < 0 ? "-" : "") << whole << '.'
        << QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0')).toStdString();
}

void PrintTo(const Value& value, std::ostream* os)
{
    switch (value.type()) {
    case ValueType::Null:
        *os << "Null";
        return;
    case ValueType::Text:
        *os << "Text ";
        ::PrintTo(value.toText(), os);
        return;
    case ValueType::Integer:
        *os << "Integer " << value.toInt();
        return;
    case ValueType::Real:
        *os << "Real " << value.toDouble();
        return;
    case ValueType::YesNo:
        *os << "YesNo " << (value.toBool() ? "true" : "false");
        return;
    case ValueType::Money:
        *os << "Money ";
        PrintTo(value.toMoney(), os);
        return;
    case ValueType::DateTime:
        *os << "DateTime ";
        ::PrintTo(value.toDateTime(), os);
        return;
    }
}

} // namespace tkd
