#pragma once

#include "layer/softrender/memimg.h"

namespace layer {

// Run table bytes: (length - 1) + 64 x class for runs of 1 to 64 pixels of one class
// (0 transparent, 1 opaque, 2 translucent), each row ended by kRunRowEnd. A row takes at most
// Width + 1 bytes.
constexpr std::uint8_t kRunRowEnd = 0xC0;

// Rebuilds the body's run table from its pixels and marks it valid. -1 when the body has no
// run table or is not colour type 0 or 1.
int BuildMemImgRunTable(MEMIMG* image);

// Rebuilds the body's premultiplied copy of an alpha image and marks it valid. -1 when the
// body has none.
int BuildMemImgPremulCopy(MEMIMG* image);

}  // namespace layer
