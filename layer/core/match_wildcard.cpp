#include "layer/core/match_wildcard.h"

#include "layer/core/double_byte_text.h"

namespace layer {
namespace {

std::size_t CharLength(std::string_view text, std::size_t at) {
    return IsDoubleByteLead(static_cast<unsigned char>(text[at]), kShiftJisCharset) &&
                   at + 1 < text.size()
               ? 2
               : 1;
}

// The first occurrence of the character at the start of `character` in the name from `at`,
// stepping over the name's two-byte characters; npos when there is none.
std::size_t FindChar(std::string_view name, std::size_t at, std::string_view character) {
    for (std::size_t i = at; i < name.size(); i += CharLength(name, i)) {
        if (name.substr(i, character.size()) == character) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

bool MatchWildcard(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    for (;;) {
        if (p == pattern.size()) {
            return n == name.size();
        }
        const std::size_t length = CharLength(pattern, p);
        if (pattern[p] == '*') {
            while (p < pattern.size() && pattern[p] == '*') {
                ++p;
            }
            if (p == pattern.size()) {
                return true;
            }
            const std::size_t next_length = CharLength(pattern, p);
            const std::size_t found = FindChar(name, n, pattern.substr(p, next_length));
            if (found == std::string_view::npos) {
                return false;
            }
            p += next_length;
            n = found + next_length;
        } else if (length == 1 && pattern[p] == '?') {
            if (n == name.size()) {
                return false;
            }
            ++p;
            ++n;
        } else {
            if (name.substr(n, length) != pattern.substr(p, length)) {
                return false;
            }
            p += length;
            n += length;
        }
        // Without backtracking, one side ending before the other is a mismatch.
        if ((p == pattern.size()) != (n == name.size())) {
            return false;
        }
    }
}

}  // namespace layer
