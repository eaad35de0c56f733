#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace game {

// The steps of ExpandMessageText.

// Takes a leading "@" number line into system variable 0.
void TakeAtLine(std::string& text);

// Replaces every reference to a variable, self variable, database content and string
// variable by its value, kind by kind.
void SubstituteReferences(std::string& text, int eventNumber, int commonNumber, int mapId);

// Backslash pairs, carriage returns and escapes into control codes.
std::string ConvertEscapes(const std::string& text);

// A decimal number as the text reads it from position on: optional white space and sign,
// then digits; 0 without digits. Saturates at the 32-bit range. `stop` tells bytes that end
// the number whatever they are.
template <typename Stop>
std::int32_t ReadTextNumber(std::string_view text, std::size_t position, Stop stop) {
    auto at = [&](std::size_t i) { return i < text.size() && !stop(i); };
    while (at(position) &&
           (text[position] == ' ' || (text[position] >= '\t' && text[position] <= '\r')))
        ++position;
    bool negative = false;
    if (at(position) && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    std::int64_t value = 0;
    for (; at(position) && text[position] >= '0' && text[position] <= '9'; ++position)
        value = std::min<std::int64_t>(value * 10 + (text[position] - '0'), 1LL << 31);
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace game
