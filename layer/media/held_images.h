#pragma once

#include <cstdint>

#include "layer/core/handle_kinds.h"
#include "layer/core/handle_table.h"
#include "layer/media/graph_image.h"

namespace layer {

// A held image: a GraphImage kept by the layer under a handle of its own kind. Nothing in the
// player creates one; the table is emptied at shutdown, so only deletion is live.
struct HeldImage {
    GraphImage image;
    std::int32_t check = 0;
};

using HeldImageTable = HandleTable<HeldImage, kHeldImageHandleKind, &HeldImage::check>;

// The table of held images (main thread only).
HeldImageTable& HeldImages();

// Frees the held image a handle names and its record: 0, or -1 (nothing changed) unless the
// handle is of the held-image kind, names an occupied slot and carries its check number.
int DeleteHeldImage(int handle);

// One past the highest occupied slot, and the handle of the record in a slot (-1 when free):
// what the shutdown walks to delete every held image.
int GetHeldImageSlotEnd();
int GetHeldImageHandleInSlot(int slot);

}  // namespace layer
