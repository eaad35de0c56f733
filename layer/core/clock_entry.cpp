#include "layer/core/layer_api.h"
#include "layer/core/time_routines.h"

namespace layer {

int GetMilliseconds(void*) {
    return ReadMillisecondClock();
}

}  // namespace layer
