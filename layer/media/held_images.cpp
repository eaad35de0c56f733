// The held-image table on a fixed slot array with a live count and a slot hint (one past the
// highest occupied slot). It stands in until the layer's common handle table takes over.
#include "layer/media/held_images.h"

#include "layer/core/tracked_memory.h"
#include "layer/media/image_creation.h"

namespace layer {

namespace {

struct HeldImageTable {
    HeldImage* slots[kHeldImageSlots] = {};
    int count = 0;
    int hint = 0;
};

HeldImageTable table;

int MakeHandle(int slot, std::int32_t check) {
    return kHeldImageKind << 27 | (check & 0x7FF) << 16 | slot;
}

}  // namespace

int DeleteHeldImage(int handle) {
    const int slot = handle & 0xFFFF;
    if (handle < 0 || ((handle >> 27) & 0xF) != kHeldImageKind || slot >= kHeldImageSlots) {
        return -1;
    }
    HeldImage* record = table.slots[slot];
    if (record == nullptr || static_cast<std::uint32_t>(record->check) << 16 !=
                                 (static_cast<std::uint32_t>(handle) & 0x07FF0000)) {
        return -1;
    }
    FreeGraphImage(&record->image);
    --table.count;
    if (slot == table.hint - 1) {
        int next = slot - 1;
        while (next >= 0 && table.slots[next] == nullptr) {
            --next;
        }
        table.hint = table.count == 0 ? 0 : next + 1;
    }
    record->~HeldImage();
    FreeTracked(record);
    table.slots[slot] = nullptr;
    return 0;
}

int GetHeldImageSlotEnd() {
    return table.hint;
}

int GetHeldImageHandleInSlot(int slot) {
    if (slot < 0 || slot >= kHeldImageSlots || table.slots[slot] == nullptr) {
        return -1;
    }
    return MakeHandle(slot, table.slots[slot]->check);
}

int CountHeldImages() {
    return table.count;
}

int PlaceHeldImage(int slot, HeldImage* record) {
    if (slot < 0 || slot >= kHeldImageSlots || table.slots[slot] != nullptr) {
        return -1;
    }
    table.slots[slot] = record;
    ++table.count;
    if (slot >= table.hint) {
        table.hint = slot + 1;
    }
    return MakeHandle(slot, record->check);
}

}  // namespace layer
