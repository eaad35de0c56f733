#include "layer/media/held_images.h"

#include "layer/media/image_creation.h"

namespace layer {

HeldImageTable& HeldImages() {
    static HeldImageTable table;
    return table;
}

int DeleteHeldImage(int handle) {
    HeldImage* record = HeldImages().Find(handle);
    if (record == nullptr) {
        return -1;
    }
    FreeGraphImage(&record->image);
    return HeldImages().Remove(handle);
}

int GetHeldImageSlotEnd() {
    return HeldImages().used_end();
}

int GetHeldImageHandleInSlot(int slot) {
    return HeldImages().HandleInSlot(slot);
}

}  // namespace layer
