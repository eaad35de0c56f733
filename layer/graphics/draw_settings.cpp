#include "layer/graphics/draw_settings.h"

namespace layer {

DrawSettings draw_settings;

}  // namespace layer
