#include "StoredCells.h"

#include <cstring>

namespace tkd::stored {

namespace {

template <typename T> T readRaw(const char* at)
{
    T number;
    std::memcpy(&number, at, sizeof number);
    return number;
}

} // namespace

void appendDateTime(std::string& bytes, const QDateTime& moment)
{
    appendDateTime(bytes, moment.date(), moment.time());
}

void appendValue(std::string& bytes, const Value& value)
{
    switch (value.type()) {
    case ValueType::Null:
        return appendNull(bytes);
    case ValueType::Text: {
        const QByteArray utf8 = value.toText().toUtf8();
        return appendText(bytes, std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
    }
    case ValueType::Integer:
        return appendInteger(bytes, value.toInt());
    case ValueType::Real:
        return appendReal(bytes, value.toDouble());
    case ValueType::YesNo:
        return appendYesNo(bytes, value.toBool());
    case ValueType::Money:
        return appendMoney(bytes, value.toMoney());
    case ValueType::DateTime:
        return appendDateTime(bytes, value.toDateTime());
    }
}

bool readText(const char* cell, std::string_view* utf8)
{
    if (*cell != kText)
        return false;
    const char* at = cell + 1;
    size_t size = 0;
    int shift = 0;
    unsigned char byte;
    do {
        byte = static_cast<unsigned char>(*at++);
        size |= static_cast<size_t>(byte & 0x7F) << shift;
        shift += 7;
    } while (byte & 0x80);
    *utf8 = std::string_view(at, size);
    return true;
}

Value read(const char* cell)
{
    const char* at = cell + 1;
    switch (*cell) {
    case kText: {
        std::string_view utf8;
        readText(cell, &utf8);
        return Value(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    }
    case kInteger:
        return Value(readRaw<qint64>(at));
    case kReal:
        return Value(readRaw<double>(at));
    case kYes:
        return Value(true);
    case kNo:
        return Value(false);
    case kMoney:
        return Value(Money::fromUnits(readRaw<qint64>(at)));
    case kDateTime:
        return Value(QDateTime(QDate::fromJulianDay(readRaw<qint64>(at)),
                               QTime::fromMSecsSinceStartOfDay(readRaw<qint32>(at + sizeof(qint64)))));
    default:
        return {};
    }
}

} // namespace tkd::stored
