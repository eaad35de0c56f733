#pragma once

#include <cstdint>
#include <vector>

#include "game/core/data_file_buffer.h"
#include "game/core/data_file_scrambler.h"

namespace tools {

// A cursor positioned behind the frame's header, ready for the body.
game::DataFileBuffer StartDataFile(const game::DataFileFrame& frame);

// The finished file: the body's check stored, the body scrambled with the seeds (all zero:
// plain) and the header written with zero filler.
std::vector<std::uint8_t> FinishDataFile(game::DataFileBuffer& cursor,
                                         const game::DataFileFrame& frame,
                                         const game::ScrambleSeeds& seeds);

}  // namespace tools
