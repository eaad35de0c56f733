#include "platform/gfx3d/standard_caps.h"

namespace platform {
namespace {

constexpr int kMaxTextureSide = 1024;
constexpr int kStages = 8;
constexpr std::uint32_t kRgb = layer::kDdPixelFormatRgb;
constexpr std::uint32_t kRgbAlpha = layer::kDdPixelFormatRgb | kPixelFormatAlphaPixels;

DeviceDescription Device(DeviceKind kind) {
    DeviceDescription device;
    device.kind = kind;
    device.render_depths = kRenderDepth16 | kRenderDepth32;
    device.texture_caps = kTexturePowerOfTwo;
    device.min_texture_width = 1;
    device.min_texture_height = 1;
    device.max_texture_width = kMaxTextureSide;
    device.max_texture_height = kMaxTextureSide;
    device.max_texture_blend_stages = kStages;
    device.max_simultaneous_textures = kStages;
    return device;
}

}  // namespace

std::vector<DeviceDescription> StandardDevices() {
    return {Device(DeviceKind::kTnLHal), Device(DeviceKind::kHal)};
}

std::vector<DdPixelFormat> StandardDepthFormats() {
    return {{32, kPixelFormatZBuffer, 0, 16, 0, 0xFFFF, 0, 0}};
}

std::vector<DdPixelFormat> StandardTextureFormats() {
    return {
        {32, kRgb, 0, 16, 0xF800, 0x07E0, 0x001F, 0},
        {32, kRgb, 0, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0},
        {32, kRgbAlpha, 0, 16, 0x0F00, 0x00F0, 0x000F, 0xF000},
        {32, kRgbAlpha, 0, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000},
        {32, kRgbAlpha, 0, 16, 0x7C00, 0x03E0, 0x001F, 0x8000},
    };
}

}  // namespace platform
