#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "game/core/data_file_scrambler.h"
#include "game/save/replay_recorder.h"
#include "game/save/save_state.h"

namespace tools {

struct SaveFileOptions {
    // 96 to 111: the rows and fields of later versions are left out.
    std::int16_t version = 111;
    // All zero: the body is stored plain and carries no check.
    game::ScrambleSeeds seeds{0x35, 0x7A, 0x11};
};

// A save file of the state with the running game's title, as the game writes it but in the
// layout of the options' version and with fixed seeds.
std::vector<std::uint8_t> WriteSaveFileImage(game::SaveState& state,
                                             const SaveFileOptions& options = {});

// Puts a recorder into the replay part of a save that WriteSaveFileImage or the game wrote:
// the body is descrambled, its one-byte replay part before the last sentinel replaced, the
// check byte renewed and the body scrambled again with the same seeds.
std::vector<std::uint8_t> PutReplayIntoSave(const std::vector<std::uint8_t>& save,
                                            const game::ReplayRecorder& recorder);

// A recorder from a key script: the seed marker, then one run per line "frames key-byte"
// (runs longer than 240 frames are split as the recorder splits them).
game::ReplayRecorder RecorderFromKeyScript(std::string_view script, std::int32_t seed);

}  // namespace tools
