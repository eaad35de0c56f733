#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace test {

// The pieces appended in order to one string. Tests build texts with it instead of
// `"a" + text`: GCC 12 at -O3 takes that insert at the front for an overlapping copy
// (-Wrestrict).
inline std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::string joined;
    for (const std::string_view piece : pieces)
        joined.append(piece);
    return joined;
}

}  // namespace test
