#pragma once

#include "layer/softrender/memimg.h"

namespace layer {

// Run table bytes: (length - 1) + 64 x class for runs of 1 to 64 pixels of one class
// (0 transparent, 1 opaque, 2 translucent), each row ended by kRunRowEnd. A row takes at most
// Width + 1 bytes.
constexpr std::uint8_t kRunRowEnd = 0xC0;

// Rebuilds the body's run table from its pixels and marks it valid. -1 when the body has no
// run table or is not colour type 0 or 1. The buffer's last 4 x Height bytes, which the rows
// never reach, index where each row's runs start.
int BuildMemImgRunTable(MEMIMG* image);

// The first run of a row of a built table. Its offset is exact for alpha images (4 bytes a
// pixel keep their tables below 4 GiB); the blits ask only for those.
const std::uint8_t* MemImgRunRow(const MemImgBody& body, int row);

// Rebuilds the body's premultiplied copy of an alpha image and marks it valid. -1 when the
// body has none.
int BuildMemImgPremulCopy(MEMIMG* image);

}  // namespace layer
