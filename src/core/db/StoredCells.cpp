#include "StoredCells.h"

#include <cstring>

namespace tkd::stored {

namespace {

enum Tag : char {
    kNull = 'N',
    kText = 't',
    kInteger = 'i',
    kReal = 'r',
    kYes = 'Y',
    kNo = 'y',
    kMoney = 'm',
    kDateTime = 'd',
};

template <typename T> void appendRaw(std::string& bytes, char tag, T number)
{
    bytes.push_back(tag);
    bytes.append(reinterpret_cast<const char*>(&number), sizeof number);
}

template <typename T> T readRaw(const char* at)
{
    T number;
    std::memcpy(&number, at, sizeof number);
    return number;
}

} // namespace

void appendNull(std::string& bytes)
{
    bytes.push_back(kNull);
}

void appendText(std::string& bytes, std::string_view utf8)
{
    // The tag, then the length seven bits at a time, then the text.
    char head[1 + 10];
    size_t used = 0;
    head[used++] = kText;
    size_t size = utf8.size();
    do {
        const auto low = static_cast<unsigned char>(size & 0x7F);
        size >>= 7;
        head[used++] = static_cast<char>(size ? low | 0x80 : low);
    } while (size);
    const size_t at = bytes.size();
    bytes.resize(at + used + utf8.size());
    std::memcpy(bytes.data() + at, head, used);
    if (!utf8.empty())
        std::memcpy(bytes.data() + at + used, utf8.data(), utf8.size());
}

void appendInteger(std::string& bytes, qint64 number)
{
    appendRaw(bytes, kInteger, number);
}

void appendReal(std::string& bytes, double number)
{
    appendRaw(bytes, kReal, number);
}

void appendYesNo(std::string& bytes, bool yes)
{
    bytes.push_back(yes ? kYes : kNo);
}

void appendMoney(std::string& bytes, Money amount)
{
    appendRaw(bytes, kMoney, static_cast<qint64>(amount.units()));
}

void appendDateTime(std::string& bytes, const QDateTime& moment)
{
    appendDateTime(bytes, moment.date(), moment.time());
}

void appendDateTime(std::string& bytes, const QDate& date, const QTime& time)
{
    // Day and time of day, so the value read back is built exactly as the one stored was.
    appendRaw(bytes, kDateTime, date.toJulianDay());
    const qint32 msecs = time.msecsSinceStartOfDay();
    bytes.append(reinterpret_cast<const char*>(&msecs), sizeof msecs);
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

Value read(const char* cell)
{
    const char* at = cell + 1;
    switch (*cell) {
    case kText: {
        size_t size = 0;
        int shift = 0;
        unsigned char byte;
        do {
            byte = static_cast<unsigned char>(*at++);
            size |= static_cast<size_t>(byte & 0x7F) << shift;
            shift += 7;
        } while (byte & 0x80);
        return Value(QString::fromUtf8(at, static_cast<qsizetype>(size)));
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
