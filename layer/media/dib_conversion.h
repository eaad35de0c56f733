#pragma once

#include <cstddef>
#include <cstdint>

#include "layer/media/bitmap_info.h"
#include "layer/media/tracked_block.h"

namespace layer {

// Device-independent pixels as a header, a palette or masks, and the stored rows.
struct DibPixels {
    BitmapInfoHeader header;
    // 2^bit_count entries for bit counts 1 to 8; unused otherwise.
    const PaletteEntry* palette = nullptr;
    // Red, green and blue masks for the bit-field layout; 16 and 32 bits default to 5-5-5 and
    // 8-8-8 otherwise.
    std::uint32_t masks[3] = {};
    const std::uint8_t* bits = nullptr;
    std::size_t size = 0;
};

enum class DibConversion { kDone, kRefused, kNoMemory };

// Draws the pixels into a new block of top-down R8G8B8 rows of (width x 3 rounded up to 4)
// bytes: 1-, 2-, 4- and 8-bit palettes, 24 bits, and 16 and 32 bits plain or with bit
// fields, each field widened to 8 bits by repeating its bits. Other layouts, rows that the
// data does not hold and sizes outside 1..65535 are refused.
DibConversion ConvertDibToRgb24(const DibPixels& dib, TrackedBlock* rows);

// Width and height of a header as the layer accepts them: 1..65535 each (the height by its
// absolute value).
bool HasAcceptedSize(const BitmapInfoHeader& header);

}  // namespace layer
