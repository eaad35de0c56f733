// The font system has nothing to start or end until the fonts arrive.
#include "layer/media/font_system_start.h"

namespace layer {

int StartFontSystem() {
    return 0;
}

int EndFontSystem() {
    return 0;
}

}  // namespace layer
