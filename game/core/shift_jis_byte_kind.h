#pragma once

#include <cstddef>
#include <string_view>

namespace game {

enum ShiftJisByteKind { kSingleByte = 0, kLeadByte = 1, kTrailByte = 2 };

// The kind of byte n (from 0) of a Shift-JIS text: 0 a one-byte character, 1 the lead byte
// of a two-byte character, 2 its trail byte. 0 when the text (or its first NUL) ends before
// byte n.
int GetShiftJisByteKind(std::string_view text, std::size_t n);

}  // namespace game
