#pragma once

#include "Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <string_view>
#include <variant>

namespace tkd {

enum class ValueType { Null, Text, Integer, Real, YesNo, Money, DateTime };

// One typed value of a column or a parameter. Null is a value of its own.
class Value {
public:
    Value() = default;
    Value(const QString& text) : m_data(text) {}
    Value(const char16_t* text) : m_data(QString::fromUtf16(text)) {}
    Value(int number) : m_data(static_cast<qint64>(number)) {}
    Value(qint64 number) : m_data(number) {}
    Value(double number) : m_data(number) {}
    Value(bool yes) : m_data(yes) {}
    Value(Money amount) : m_data(amount) {}
    Value(const QDate& date) : m_data(date.isValid() ? Data(QDateTime(date, QTime(0, 0))) : Data()) {}
    Value(const QDateTime& moment) : m_data(moment.isValid() ? Data(moment) : Data()) {}
    // Without this, a string literal would silently become a bool.
    Value(const char* text) = delete;

    static Value null() { return {}; }

    ValueType type() const { return static_cast<ValueType>(m_data.index()); }
    bool isNull() const { return m_data.index() == 0; }

    // Text as a grid or a label shows it: Null is empty, a date-time without time shows the date only.
    QString toText() const;
    qint64 toInt() const;
    double toDouble() const;
    // Yes/no semantics: any non-zero number is yes.
    bool toBool() const;
    Money toMoney() const;
    QDate toDate() const;
    QDateTime toDateTime() const;

    bool operator==(const Value& other) const { return m_data == other.m_data; }

    // The one stored form of a date-time: text that sorts and compares in time order.
    static QString canonicalDateTime(const QDateTime& moment);
    // Reads the stored form; also accepts a bare "yyyy-mm-dd". Invalid when the text is neither.
    static QDateTime parseDateTime(const QString& text);
    // The stored form exactly ("yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss", no spaces around), as parts;
    // false for anything else, which parseDateTime then reads.
    static bool parseStoredParts(std::string_view utf8, QDate& date, QTime& time);

private:
    using Data = std::variant<std::monostate, QString, qint64, double, bool, Money, QDateTime>;
    Data m_data;
};

} // namespace tkd
