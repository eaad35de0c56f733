#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace game {

class SaveBuffer;

// The save-file fields beyond the cursor's own: 16-bit numbers, texts with a signed 16-bit
// length that counts the terminator (str16), text lists of 32-bit lengths without
// terminators (list-s) and int lists (list-i). Reads test the room first; a negative length
// or count is damage, as a field past the end is (the read-past-end flag is set).

void WriteInt16(SaveBuffer& save, std::int16_t value);
bool ReadInt16(SaveBuffer& save, std::int16_t& value);

// A text the 16-bit length cannot hold is cut at a character boundary, with one log line.
void WriteStr16(SaveBuffer& save, const std::string& text);
// Any stored length is read whole; the text ends at its first NUL.
bool ReadStr16(SaveBuffer& save, std::string& text);

void WriteTextList(SaveBuffer& save, const std::vector<std::string>& list);
// The list grows to the stored count, never shrinks; entries take exactly the stored bytes.
bool ReadTextList(SaveBuffer& save, std::vector<std::string>& list);

void WriteIntList(SaveBuffer& save, const std::vector<int>& list);
// The list grows to the stored count, never shrinks; the stored entries are overwritten.
bool ReadIntList(SaveBuffer& save, std::vector<int>& list);

}  // namespace game
