// Which main surface stands for what.
#include "layer/core/window_routines.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/main_screens.h"

namespace layer {

platform::DisplaySurface* GetScreenTargetSurface() {
    return direct_draw.separate_front != nullptr ? direct_draw.separate_front : direct_draw.primary;
}

platform::DisplaySurface* GetCurrentDrawSurface() {
    return direct_draw.draw_surface;
}

platform::DisplaySurface* GetBackSurface() {
    return direct_draw.back;
}

platform::DisplaySurface* GetWorkSurface() {
    return direct_draw.work;
}

int IsDrawingOnWindowPrimary() {
    return IsWindowedMode() != 0 && direct_draw.draw_surface != nullptr &&
                   direct_draw.draw_surface == direct_draw.primary
               ? 1
               : 0;
}

}  // namespace layer
