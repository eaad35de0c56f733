#pragma once

// The OpenGL form of the display stand-in's pixel formats: a sized texture format and the
// format and type its pixels have in memory.

#include <cstdint>

#include "platform/display_types.h"
#include "platform/gfx3d/gl_api.h"

namespace platform {

struct GlPixelFormat {
    GLenum internal_format = 0;
    GLenum format = 0;
    GLenum type = 0;
    int bytes = 0;
    // The alpha bits are unused: the texture reads alpha as 1 and draws leave them alone.
    bool unused_alpha = false;
};

// False for formats OpenGL does not hold (palettes, FourCC, 24-bit, depth).
bool GlFormatOf(const DdPixelFormat& format, GlPixelFormat* gl_format);
// A raw pixel value of the format as red, green, blue and alpha from 0 to 1 (alpha 1 without
// alpha bits).
void UnpackPixel(const DdPixelFormat& format, std::uint32_t value, float* rgba);

}  // namespace platform
