#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace game {

// The text editing steps of the string operation, on CP932 bytes.

// The text up to its first line feed, every carriage return removed.
std::string FirstLineOf(std::string_view text);
// What follows the first line feed; empty when there is none.
std::string AfterFirstLine(std::string_view text);
// Bytes of the first character: 2 for a lead byte, else 1, at most the text's length.
std::size_t FirstCharacterLength(std::string_view text);

// A one-byte part is removed wherever it stands as a character of its own (never the second
// byte of a two-byte character); a longer part is removed at its first occurrence again and
// again, so that one formed by a removal goes too. An empty part removes nothing.
std::string RemoveOccurrences(std::string target, std::string_view part);
// Every occurrence from left to right is replaced, the scan going on after the inserted
// replacement; a one-byte part only where it is a character of its own.
std::string ReplaceOccurrences(std::string target, std::string_view part,
                               std::string_view replacement);

}  // namespace game
