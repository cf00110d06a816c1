#pragma once

#include "Value.h"

#include <cstring>
#include <string>
#include <string_view>

namespace tkd::stored {

// The packed form a large result keeps its cells in: a tag byte, then the value's bytes (texts as
// UTF-8 with their length in front). A cell costs its bytes and no allocation of its own. The
// appends are inline: the member list packs three million cells as it opens.

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

namespace detail {
template <typename T> inline void appendRaw(std::string& bytes, char tag, T number)
{
    char cell[1 + sizeof(T)];
    cell[0] = tag;
    std::memcpy(cell + 1, &number, sizeof number);
    bytes.append(cell, sizeof cell);
}
} // namespace detail

inline void appendNull(std::string& bytes)
{
    bytes.push_back(kNull);
}

inline void appendText(std::string& bytes, std::string_view utf8)
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
    bytes.append(head, used);
    bytes.append(utf8);
}

inline void appendInteger(std::string& bytes, qint64 number)
{
    detail::appendRaw(bytes, kInteger, number);
}

inline void appendReal(std::string& bytes, double number)
{
    detail::appendRaw(bytes, kReal, number);
}

inline void appendYesNo(std::string& bytes, bool yes)
{
    bytes.push_back(yes ? kYes : kNo);
}

inline void appendMoney(std::string& bytes, Money amount)
{
    detail::appendRaw(bytes, kMoney, static_cast<qint64>(amount.units()));
}

// Day and time of day, so the value read back is built exactly as the one stored was.
inline void appendDateTime(std::string& bytes, const QDate& date, const QTime& time)
{
    struct {
        qint64 day;
        qint32 msecs;
    } parts{date.toJulianDay(), time.msecsSinceStartOfDay()};
    char cell[1 + sizeof(qint64) + sizeof(qint32)];
    cell[0] = kDateTime;
    std::memcpy(cell + 1, &parts.day, sizeof parts.day);
    std::memcpy(cell + 1 + sizeof parts.day, &parts.msecs, sizeof parts.msecs);
    bytes.append(cell, sizeof cell);
}

void appendDateTime(std::string& bytes, const QDateTime& moment);
void appendValue(std::string& bytes, const Value& value);

// The value of the cell packed at `cell`.
Value read(const char* cell);
// The text of a packed text cell, as UTF-8; false for a cell of any other kind.
bool readText(const char* cell, std::string_view* utf8);

} // namespace tkd::stored
