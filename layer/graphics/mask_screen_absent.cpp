// The mask screen in the only state this system reaches: absent.
#include "layer/core/message_pump.h"
#include "layer/graphics/mask_screen.h"

namespace layer {
namespace {

int mask_use = 0;

}  // namespace

int IsMaskDrawingOn() {
    return mask_use;
}

int SetMaskDrawing(int) {
    return -1;
}

int IsMaskActive() {
    return 0;
}

int ResetMaskState() {
    mask_use = 1;
    return 0;
}

int BeginMaskedRect(int, int, int, int) {
    return 0;
}

int EndMaskedRect(int, int, int, int) {
    return 0;
}

int DeleteAllMasks() {
    return 0;
}

int EndMaskScreen() {
    WaitWhileInactive();
    return 0;
}

}  // namespace layer
