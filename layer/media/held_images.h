#pragma once

#include <cstdint>

#include "layer/media/graph_image.h"

namespace layer {

// A held image: a GraphImage kept by the layer under a handle of kind 14. Nothing in the
// player creates one; the table is emptied at shutdown, so only deletion is live.
struct HeldImage {
    GraphImage image;
    std::int32_t check = 0;
};

constexpr int kHeldImageKind = 14;
constexpr int kHeldImageSlots = 8192;

// Frees the held image the handle names: -1 unless the handle is non-negative, of kind 14,
// names an occupied slot and carries that record's check number.
int DeleteHeldImage(int handle);
// One past the highest occupied slot, and the handle of the record in a slot (-1 when the
// slot is free or out of range): what the shutdown walks to delete every held image.
int GetHeldImageSlotEnd();
int GetHeldImageHandleInSlot(int slot);
// Number of held images.
int CountHeldImages();

// Puts a record (allocated from tracked memory) into a free slot and returns its handle, or
// -1 when the slot is out of range or taken. The table takes ownership.
int PlaceHeldImage(int slot, HeldImage* record);

}  // namespace layer
