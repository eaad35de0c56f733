#pragma once

#include <cstdint>
#include <vector>

#include "game/core/data_file_scrambler.h"

namespace game {

class SaveBuffer;
class SaveState;

// A save file: a 20-byte header with the seeds and the check byte, then, scrambled, the
// sentinel, the game title, the format version, the body and a closing sentinel.
inline constexpr std::uint8_t kSaveSentinel = 0x19;
inline constexpr std::int16_t kSaveFormatVersion = 111;

// The bytes of a save of the state in the layout of `version` (the game writes 111; test
// fixtures older ones), sealed with the header's seeds and a filler drawn after them; marks the
// state as written.
std::vector<std::uint8_t> BuildSaveFile(SaveState& state, std::int16_t version,
                                        const ScrambleHeader& header);

// Appends the title of the running game and the version, which the buffer takes.
void WriteSaveTitle(SaveBuffer& save, std::int16_t version);

// Reads the title and the version into the buffer. A title of another game is reported,
// unless quiet; false for it and for a field that does not fit.
enum class TitleReport { kShown, kQuiet };
bool CheckSaveTitle(SaveBuffer& save, TitleReport report = TitleReport::kShown);

}  // namespace game
