#pragma once

#include "Value.h"

#include <string>
#include <string_view>

namespace tkd::stored {

// The packed form a large result keeps its cells in: a tag byte, then the value's bytes (texts as
// UTF-8 with their length in front). A cell costs its bytes and no allocation of its own.
void appendNull(std::string& bytes);
void appendText(std::string& bytes, std::string_view utf8);
void appendInteger(std::string& bytes, qint64 number);
void appendReal(std::string& bytes, double number);
void appendYesNo(std::string& bytes, bool yes);
void appendMoney(std::string& bytes, Money amount);
void appendDateTime(std::string& bytes, const QDateTime& moment);
void appendDateTime(std::string& bytes, const QDate& date, const QTime& time);
void appendValue(std::string& bytes, const Value& value);

// The value of the cell packed at `cell`.
Value read(const char* cell);

} // namespace tkd::stored
