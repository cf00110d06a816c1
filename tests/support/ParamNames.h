#pragma once

#include <string>
#include <string_view>

namespace tkd::test {

// A test name made of a case's text: letters and digits kept, "-" read as "minus", anything else
// (points, spaces, Chinese, line breaks) a single "_". Parameterised cases get names a reader can
// find in CTest's list, the same at discovery and at run time, instead of the index or raw bytes.
std::string nameFrom(std::string_view text);
// The case's place first, for lists whose texts may repeat once reduced: "c3_" + nameFrom(text).
std::string nameFrom(std::size_t index, std::string_view text);

} // namespace tkd::test
