#pragma once

#include "platform/gfx3d/device.h"

namespace platform {

// The OpenGL 3D interface on the open window (making the GL context when there is none), or
// null when GL cannot start there.
Direct3D* MakeGlDirect3D();

}  // namespace platform
