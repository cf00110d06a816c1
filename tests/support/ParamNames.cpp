#include "ParamNames.h"

namespace tkd::test {

std::string nameFrom(std::string_view text)
{
    std::string name;
    auto separate = [&] {
        if (!name.empty() && name.back() != '_')
            name += '_';
    };
    for (const char c : text) {
        const bool ascii = static_cast<unsigned char>(c) < 0x80;
        if (ascii && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
            name += c;
        } else if (c == '-') {
            separate();
            name += "minus";
        } else {
            separate();
        }
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name.empty() ? std::string("empty") : name;
}

std::string nameFrom(std::size_t index, std::string_view text)
{
    return "c" + std::to_string(index) + "_" + nameFrom(text);
}

} // namespace tkd::test
