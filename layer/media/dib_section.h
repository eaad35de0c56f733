#pragma once

#include <cstdint>

#include "layer/media/bitmap_info.h"

namespace layer {

// A top-down picture made from device-independent pixels, as the 8-bit screen paths keep it:
// 8-bit pixels with their palette, or R8G8B8; rows rounded up to 4 bytes.
struct DibSection {
    BitmapInfo info;
    int pitch = 0;
    std::uint8_t* bits = nullptr;
};

// Draws the pixels the header describes (rows bottom to top for a positive height) into a new
// section, each row reversed when `mirror` is 1. On success the caller keeps its header and
// pixels. When the section cannot be made, one line is logged, the caller's header and pixels
// are freed (both from tracked memory) and null is returned.
DibSection* CreateDIBGraph(BitmapInfo* info, std::uint8_t* pixels, int mirror);

// Gives a section and its pixels back. Always 0.
int DeleteDibSection(DibSection* section);

}  // namespace layer
