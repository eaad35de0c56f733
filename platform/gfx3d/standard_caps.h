#pragma once

// What the 3D back ends of this player offer: the device list, the depth formats and the
// texture formats, in the order they are enumerated.

#include <vector>

#include "platform/display_types.h"
#include "platform/gfx3d/device_types.h"

namespace platform {

// The T&L HAL and the HAL device: 16- and 32-bit screens, textures of 1 to 1024 pixels whose
// sides are powers of two, eight stages.
std::vector<DeviceDescription> StandardDevices();
// One 16-bit depth format.
std::vector<DdPixelFormat> StandardDepthFormats();
// R5G6B5, X8R8G8B8, A4R4G4B4, A8R8G8B8, A1R5G5B5.
std::vector<DdPixelFormat> StandardTextureFormats();

}  // namespace platform
