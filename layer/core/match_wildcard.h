#pragma once

#include <string_view>

namespace layer {

// Matches an upper-cased name against an upper-cased pattern, byte for byte, without
// backtracking: "*" skips to the first occurrence of the pattern's next character (so "A*"
// does not match "A"), "?" takes any one byte, a two-byte character must match whole.
bool MatchWildcard(std::string_view pattern, std::string_view name);

}  // namespace layer
