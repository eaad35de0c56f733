#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace test {

// A parameterised case's test name from its label: letters and digits kept, each word
// starting with a capital ("copy of 8 from 6 back" gives "CopyOf8From6Back").
inline std::string CaseName(std::string_view label) {
    std::string name;
    bool word_start = true;
    for (const char c : label) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) == 0 || byte >= 0x80) {
            word_start = true;
            continue;
        }
        name += word_start ? static_cast<char>(std::toupper(byte)) : c;
        word_start = false;
    }
    return name;
}

}  // namespace test
