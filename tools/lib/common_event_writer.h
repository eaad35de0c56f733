#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/core/common_event.h"
#include "game/core/data_file_buffer.h"
#include "game/core/data_file_scrambler.h"

namespace tools {

class CommonEventLayout {
  public:
    // 0x8E: no second section; 0x8F: second section; 0x90: also the self-variable names;
    // 0x91: also a trailing text that the reader drops.
    static constexpr std::uint8_t kOldest = 0x8E;
    static constexpr std::uint8_t kTexts = 0x8F;
    static constexpr std::uint8_t kNames = 0x90;
    static constexpr std::uint8_t kTrailingText = 0x91;
};

// One record in the given layout; trailingText is written only by layout 0x91.
void WriteCommonEvent(game::DataFileBuffer& cursor, const game::CommonEvent& event,
                      std::uint8_t layout, const std::string& trailingText = "");

// "BasicData\CommonEvent.dat": tag 0x8F, the count, the records, tag 0x8F; scrambled with
// the seeds (all zero: plain).
std::vector<std::uint8_t> WriteCommonEventData(const std::vector<game::CommonEvent>& events,
                                               std::uint8_t layout,
                                               const game::ScrambleSeeds& seeds);

// A ".common" file: the magic, the count and the records, plain.
std::vector<std::uint8_t> WriteCommonEventFile(const std::vector<game::CommonEvent>& events,
                                               std::uint8_t layout);

}  // namespace tools
