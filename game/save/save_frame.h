#pragma once

#include <cstdint>
#include <vector>

namespace game {

class SaveBuffer;
class SaveState;

// A save file: a 20-byte header with the seeds and the check byte, then, scrambled, the
// sentinel, the game title, the format version, the body and a closing sentinel.
inline constexpr std::uint8_t kSaveSentinel = 0x19;
inline constexpr std::int16_t kSaveFormatVersion = 111;

// The bytes of a save of the state, sealed with seeds drawn from the calendar time; marks
// the state as written.
std::vector<std::uint8_t> BuildSaveFile(SaveState& state);

// Appends the title of the running game and the format version; the buffer takes version 111.
void WriteSaveTitle(SaveBuffer& save);

// Reads the title and the version into the buffer. A title of another game is reported;
// false for it and for a field that does not fit.
bool CheckSaveTitle(SaveBuffer& save);

}  // namespace game
