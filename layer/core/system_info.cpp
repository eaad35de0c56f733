#include "layer/core/system_info.h"

namespace layer {

SystemInfo system_info;

}  // namespace layer
