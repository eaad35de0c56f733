#include "layer/core/layer_api.h"
#include "platform/usable_area.h"

namespace layer {

int GetFullScreenClientSize(int* width, int* height) {
    int usable_width = 0;
    int usable_height = 0;
    platform::ReadFullScreenClientSize(&usable_width, &usable_height);
    if (width != nullptr) {
        *width = usable_width;
    }
    if (height != nullptr) {
        *height = usable_height;
    }
    return 0;
}

}  // namespace layer
