#pragma once

#include <cstddef>
#include <cstdint>

namespace layer {

// Where run-length codes of a BMP land: one byte per pixel in rows `pitch` bytes apart.
struct RleTarget {
    std::uint8_t* pixels = nullptr;
    int pitch = 0;
    int height = 0;
    // Stored rows run bottom to top: the first stored row is the last image row.
    bool bottom_up = true;
};

// Decodes RLE8 (or, with `four_bit`, RLE4) codes: runs, end of line, end of image, delta
// moves and absolute runs padded to an even offset. False when a code would write outside the
// rows or needs bytes the data does not hold, and when the data ends before the end code.
bool DecodeBmpRle(const std::uint8_t* data, std::size_t size, bool four_bit,
                  const RleTarget& target);

}  // namespace layer
