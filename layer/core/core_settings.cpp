#include "layer/core/core_settings.h"

namespace layer {

CoreSettings core_settings;

}  // namespace layer
