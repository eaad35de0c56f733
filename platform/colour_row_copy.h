#pragma once

#include <cstdint>

namespace platform {

// `count` X8R8G8B8 pixels copied with X cleared, as the converters write them, into `row` and,
// where not null, into `also` in the same pass.
void CopyColourRow(const std::uint8_t* source, int count, std::uint8_t* row, std::uint8_t* also);

}  // namespace platform
