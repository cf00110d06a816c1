#include "Value.h"

#include <cmath>

namespace tkd {

namespace {
const QString kCanonicalFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
} // namespace

QString Value::canonicalDateTime(const QDateTime& moment)
{
    return moment.toString(kCanonicalFormat);
}

namespace {

char16_t unit(QChar c)
{
    return c.unicode();
}

char16_t unit(char c)
{
    return static_cast<unsigned char>(c);
}

// Reads the digits at [from, from + count); -1 when one of them is not a digit.
template <typename Text> int digitsAt(const Text& t, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t c = unit(t[static_cast<decltype(t.size())>(i)]);
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The stored form "yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss", read without Qt's general format parser:
// dates are read on every row.
template <typename Text> bool canonicalParts(const Text& t, QDate& date, QTime& time)
{
    const auto at = [&t](int i) { return unit(t[static_cast<decltype(t.size())>(i)]); };
    if (t.size() != 10 && t.size() != 19)
        return false;
    if (at(4) != u'-' || at(7) != u'-')
        return false;
    date = QDate(digitsAt(t, 0, 4), digitsAt(t, 5, 2), digitsAt(t, 8, 2));
    if (!date.isValid())
        return false;
    if (t.size() == 10) {
        time = QTime(0, 0);
        return true;
    }
    if ((at(10) != u' ' && at(10) != u'T') || at(13) != u':' || at(16) != u':')
        return false;
    time = QTime(digitsAt(t, 11, 2), digitsAt(t, 14, 2), digitsAt(t, 17, 2));
    return time.isValid();
}

QDateTime parseCanonical(const QString& t)
{
    QDate date;
    QTime time;
    return canonicalParts(t, date, time) ? QDateTime(date, time) : QDateTime();
}

} // namespace

bool Value::parseStoredParts(std::string_view utf8, QDate& date, QTime& time)
{
    return canonicalParts(utf8, date, time);
}

QDateTime Value::parseDateTime(const QString& text)
{
    const QString t = text.trimmed();
    if (const QDateTime fast = parseCanonical(t); fast.isValid())
        return fast;
    if (t.size() == 19) {
        QDateTime dt = QDateTime::fromString(t, kCanonicalFormat);
        if (dt.isValid())
            return dt;
        return QDateTime::fromString(t, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    }
    if (t.size() == 10) {
        const QDate d = QDate::fromString(t, kDateFormat);
        return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
    }
    if (t.size() > 19)
        return parseDateTime(t.left(19));
    return {};
}

QString Value::toText() const
{
    switch (type()) {
    case ValueType::Null:
        return {};
    case ValueType::Text:
        return std::get<QString>(m_data);
    case ValueType::Integer:
        return QString::number(std::get<qint64>(m_data));
    case ValueType::Real:
        return QString::number(std::get<double>(m_data), 'g', 15);
    case ValueType::YesNo:
        return std::get<bool>(m_data) ? QStringLiteral("-1") : QStringLiteral("0");
    case ValueType::Money:
        return std::get<Money>(m_data).toString();
    case ValueType::DateTime: {
        const QDateTime& dt = std::get<QDateTime>(m_data);
        return dt.time() == QTime(0, 0) ? dt.toString(kDateFormat) : dt.toString(kCanonicalFormat);
    }
    }
    return {};
}

qint64 Value::toInt() const
{
    switch (type()) {
    case ValueType::Text:
        return std::get<QString>(m_data).trimmed().toLongLong();
    case ValueType::Integer:
        return std::get<qint64>(m_data);
    case ValueType::Real:
        return static_cast<qint64>(std::llround(std::get<double>(m_data)));
    case ValueType::YesNo:
        return std::get<bool>(m_data) ? -1 : 0;
    case ValueType::Money:
        return std::get<Money>(m_data).roundedToYuan().wholeYuan();
    default:
        return 0;
    }
}

double Value::toDouble() const
{
    switch (type()) {
    case ValueType::Text:
        return std::get<QString>(m_data).trimmed().toDouble();
    case ValueType::Integer:
        return static_cast<double>(std::get<qint64>(m_data));
    case ValueType::Real:
        return std::get<double>(m_data);
    case ValueType::YesNo:
        return std::get<bool>(m_data) ? -1.0 : 0.0;
    case ValueType::Money:
        return std::get<Money>(m_data).toDouble();
    default:
        return 0.0;
    }
}

bool Value::toBool() const
{
    switch (type()) {
    case ValueType::YesNo:
        return std::get<bool>(m_data);
    case ValueType::Text: {
        const QString t = std::get<QString>(m_data).trimmed();
        return t.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0 || t.toLongLong() != 0;
    }
    case ValueType::Money:
        return !std::get<Money>(m_data).isZero();
    case ValueType::Integer:
    case ValueType::Real:
        return toDouble() != 0.0;
    default:
        return false;
    }
}

Money Value::toMoney() const
{
    switch (type()) {
    case ValueType::Money:
        return std::get<Money>(m_data);
    case ValueType::Integer:
        return Money::fromYuan(std::get<qint64>(m_data));
    case ValueType::Real:
        return Money::fromDouble(std::get<double>(m_data));
    case ValueType::Text: {
        Money m;
        return Money::parse(std::get<QString>(m_data), &m) ? m : Money();
    }
    default:
        return {};
    }
}

QDateTime Value::toDateTime() const
{
    switch (type()) {
    case ValueType::DateTime:
        return std::get<QDateTime>(m_data);
    case ValueType::Text:
        return parseDateTime(std::get<QString>(m_data));
    default:
        return {};
    }
}

QDate Value::toDate() const
{
    return toDateTime().date();
}

} // namespace tkd
