#pragma once

#include "layer/core/time_routines.h"

namespace layer {

// Milliseconds since an earlier ReadMillisecondClock reading, across the clock's wrap.
inline int MillisecondsSince(int start) {
    return (ReadMillisecondClock() - start) & 0x7FFFFFFF;
}

}  // namespace layer
