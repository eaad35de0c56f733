#include "platform/gfx3d/gl_formats.h"

#include <bit>

namespace platform {
namespace {

struct FormatRow {
    std::uint32_t bits;
    std::uint32_t red;
    std::uint32_t green;
    std::uint32_t blue;
    GlPixelFormat gl;
};

// Little-endian memory: the "reversed" packed types read a value's low bits first.
const FormatRow kFormats[] = {
    {32, 0xFF0000, 0x00FF00, 0x0000FF,
     {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, 4, false}},
    {32, 0x0000FF, 0x00FF00, 0xFF0000,
     {GL_RGBA8, GL_RGBA, GL_UNSIGNED_INT_8_8_8_8_REV, 4, false}},
    {16, 0xF800, 0x07E0, 0x001F, {GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, 2, false}},
    {16, 0x7C00, 0x03E0, 0x001F,
     {GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, 2, false}},
    {16, 0x0F00, 0x00F0, 0x000F,
     {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, 2, false}},
};

float Channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) {
        return 1.0f;
    }
    const int shift = std::countr_zero(mask);
    return static_cast<float>((value & mask) >> shift) / static_cast<float>(mask >> shift);
}

}  // namespace

bool GlFormatOf(const DdPixelFormat& format, GlPixelFormat* gl_format) {
    if ((format.flags & (kPixelFormatFourCc | kPixelFormatPalette8 | kPixelFormatZBuffer)) != 0) {
        return false;
    }
    for (const FormatRow& row : kFormats) {
        if (row.bits == format.rgb_bit_count && row.red == format.red_mask &&
            row.green == format.green_mask && row.blue == format.blue_mask) {
            *gl_format = row.gl;
            gl_format->unused_alpha = format.alpha_mask == 0 && row.gl.internal_format != GL_RGB565;
            return true;
        }
    }
    return false;
}

void UnpackPixel(const DdPixelFormat& format, std::uint32_t value, float* rgba) {
    rgba[0] = Channel(value, format.red_mask);
    rgba[1] = Channel(value, format.green_mask);
    rgba[2] = Channel(value, format.blue_mask);
    rgba[3] = Channel(value, format.alpha_mask);
}

}  // namespace platform
