// The 3D side's start: the 3D interface from the display object, a hardware device for the
// screen's depth, a 16-bit depth format, the device on the front screen and the table of
// texture formats.
#include <cstring>

#include "layer/core/layer_log.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_texts.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_system_texts.h"
#include "layer/graphics/main_screens.h"
#include "layer/graphics/screen_colours.h"

namespace layer {
namespace {

constexpr std::uint32_t kDefaultMinTextureSize = 32;
constexpr std::uint32_t kDefaultMaxTextureSize = 256;
constexpr int kStagesForBlendImage = 4;
constexpr std::uint32_t kRejectedFormatFlags =
    platform::kPixelFormatLuminance | platform::kPixelFormatBumpLuminance |
    platform::kPixelFormatBumpDuDv | platform::kPixelFormatFourCc | platform::kPixelFormatAlphaOnly;
constexpr std::uint32_t kDepthFormatBits = 16;

// The depth bit a device must render into for the screen's depth; none for other depths.
std::uint32_t ScreenRenderDepth() {
    switch (GetScreenColourBits()) {
        case 16:
            return platform::kRenderDepth16;
        case 32:
            return platform::kRenderDepth32;
        default:
            return 0;
    }
}

// The T&L HAL device wins whenever it is offered; otherwise the last acceptable HAL device.
bool ChooseDevice(const std::vector<platform::DeviceDescription>& devices) {
    bool found = false;
    const std::uint32_t depth = ScreenRenderDepth();
    for (const platform::DeviceDescription& device : devices) {
        if (device.kind != platform::DeviceKind::kTnLHal &&
            device.kind != platform::DeviceKind::kHal) {
            continue;
        }
        if ((device.render_depths & depth) == 0) {
            continue;
        }
        found = true;
        direct3d.DeviceDesc = device;
        if (device.kind == platform::DeviceKind::kTnLHal) {
            WriteLog(kTnLDeviceFoundText);
            direct3d.TnLDeviceFound = 1;
            break;
        }
        WriteLog(kHalDeviceFoundText);
    }
    return found;
}

// The first plain 16-bit depth format.
bool ChooseDepthFormat(const std::vector<platform::DdPixelFormat>& formats) {
    for (const platform::DdPixelFormat& format : formats) {
        if ((format.flags & kRejectedFormatFlags) != 0) {
            continue;
        }
        if (format.flags == platform::kPixelFormatZBuffer &&
            format.rgb_bit_count == kDepthFormatBits) {
            direct3d.ZBufferFormat = format;
            return true;
        }
    }
    return false;
}

void StoreFormat(int index, const DdPixelFormat& dd, const PixelFormat& format) {
    direct3d.TextureFormats[index] = {dd, format};
}

bool IsEmpty(int index) {
    return direct3d.TextureFormats[index].format.bits_per_pixel == 0;
}

// Fills the table from the device's formats; true when a 16-bit format without alpha came.
bool TakeTextureFormats(const std::vector<DdPixelFormat>& formats) {
    struct AlphaRow {
        std::uint32_t mask;
        int first;
        int second;
    };
    constexpr AlphaRow kAlphaRows[] = {
        {0xF000, kFormat16Alpha4, -1},
        {0xFF000000, kFormat32Alpha, kFormat32AlphaTest},
        {0x8000, kFormat16Alpha1, -1},
    };
    bool found = false;
    for (const DdPixelFormat& dd : formats) {
        if ((dd.flags & kRejectedFormatFlags) != 0) {
            continue;
        }
        PixelFormat format;
        ConvertSurfacePixelFormat(dd, &format);
        if (format.alpha_width != 0) {
            for (const AlphaRow& row : kAlphaRows) {
                if (row.mask == format.alpha_mask) {
                    StoreFormat(row.first, dd, format);
                    if (row.second >= 0) {
                        StoreFormat(row.second, dd, format);
                    }
                }
            }
            continue;
        }
        const int index = format.bits_per_pixel == 16   ? kFormat16
                          : format.bits_per_pixel == 32 ? kFormat32
                                                        : -1;
        if (index < 0) {
            continue;
        }
        if (IsEmpty(index) || SamePixelFormat(format, *GetScreenPixelFormat()) != 0) {
            StoreFormat(index, dd, format);
            found = found || index == kFormat16;
        }
    }
    return found;
}

void FillEmptyFormats() {
    constexpr int kCopies[][2] = {
        {kFormat32, kFormat16},
        {kFormat32Alpha, kFormat16Alpha4},
        {kFormat16Alpha1, kFormat16Alpha4},
        {kFormat32AlphaTest, kFormat32Alpha},
        {kFormatTarget16, kFormat16},
        {kFormatTarget32, kFormat32},
        {kFormatTargetAlpha, kFormat32Alpha},
    };
    for (const auto& copy : kCopies) {
        if (IsEmpty(copy[0])) {
            direct3d.TextureFormats[copy[0]] = direct3d.TextureFormats[copy[1]];
        }
    }
}

std::uint32_t SizeOrDefault(int a, int b, std::uint32_t fallback) {
    const int smaller = a < b ? a : b;
    return smaller <= 0 ? fallback : static_cast<std::uint32_t>(smaller);
}

void LogFormats() {
    const platform::DeviceDescription& desc = direct3d.DeviceDesc;
    IncreaseLogIndent();
    WriteLogFormat(kTextureSizeFormat, direct3d.MaxTextureSize, direct3d.MinTextureSize);
    WriteLogFormat(kTextureLimitsFormat,
                   (desc.texture_caps & platform::kTexturePowerOfTwo) != 0 ? 1 : 0,
                   (desc.texture_caps & platform::kTextureSquareOnly) != 0 ? 1 : 0);
    WriteLogFormat(kStageCountFormat, desc.max_texture_blend_stages,
                   desc.max_simultaneous_textures);
    if (desc.max_texture_blend_stages < kStagesForBlendImage) {
        WriteLog(kFewStagesText);
    }
    WriteLog(kTexturePixelFormatText);
    WriteLog(kPlainGraphFormatText);
    for (int index : {kFormat16, kFormat32}) {
        const PixelFormat& f = direct3d.TextureFormats[index].format;
        WriteLogFormat(kPlainFormatBitsFormat, unsigned{f.bits_per_pixel}, unsigned{f.red_width},
                       unsigned{f.green_width}, unsigned{f.blue_width});
        WriteLogFormat(kPlainFormatMasksFormat, f.red_mask, f.green_mask, f.blue_mask);
    }
    WriteLog(kAlphaGraphFormatText);
    for (int index : {kFormat16Alpha4, kFormat32Alpha}) {
        const PixelFormat& f = direct3d.TextureFormats[index].format;
        WriteLogFormat(kAlphaFormatBitsFormat, unsigned{f.bits_per_pixel}, unsigned{f.alpha_width},
                       unsigned{f.red_width}, unsigned{f.green_width}, unsigned{f.blue_width});
        WriteLogFormat(kAlphaFormatMasksFormat, f.alpha_mask, f.red_mask, f.green_mask,
                       f.blue_mask);
    }
    DecreaseLogIndent();
}

int ReleaseInterface() {
    platform::ReleaseDirect3D(direct3d.Direct3D);
    direct3d.Direct3D = nullptr;
    return -1;
}

int GiveUpDevices() {
    DeleteAllDevices3D();
    return ReleaseInterface();
}

}  // namespace

int StartDirect3D() {
    if (direct3d.Direct3D != nullptr) {
        return -1;
    }
    WriteLog(kDirect3DStartText);
    direct3d = Direct3DContext{};
    WriteLog(kFetchDirect3DText);
    if (direct_draw.object == nullptr ||
        platform::QueryDirect3D(direct_draw.object->display, &direct3d.Direct3D) !=
            platform::kDisplayOk) {
        direct3d.Direct3D = nullptr;
        return WriteLog(kDirect3DFailedText);
    }
    WriteLog(kDirect3DObjectGotText);
    std::vector<platform::DeviceDescription> devices;
    if (direct3d.Direct3D->EnumDevices(&devices) != platform::kDisplayOk ||
        !ChooseDevice(devices)) {
        WriteLog(kNoDeviceText);
        return ReleaseInterface();
    }
    direct3d.ZBufferFormat = DdPixelFormat{};
    std::vector<DdPixelFormat> depth_formats;
    if (direct3d.Direct3D->EnumDepthFormats(platform::DeviceKind::kHal, &depth_formats) !=
            platform::kDisplayOk ||
        !ChooseDepthFormat(depth_formats)) {
        WriteLog(kNoZBufferText);
    }
    platform::DisplaySurface* target = GetScreenTargetSurface();
    const int device_index = CreateDevice3D(target);
    if (device_index < 0) {
        return ReleaseInterface();
    }
    direct3d.CurrentDevice = device_index;
    SetDeviceRenderTarget(target, device_index);
    if (draw_settings.render.texture_address_mode == 0) {
        draw_settings.render.texture_address_mode = platform::kAddressClamp;
    }
    platform::Device3D* device = direct3d.Devices[device_index].Device;
    const auto address = static_cast<std::uint32_t>(draw_settings.render.texture_address_mode);
    for (int stage = 3; stage >= 1; --stage) {
        device->SetStageState(stage, platform::StageState::kAddress, address);
    }
    if (device->SetStageState(0, platform::StageState::kAddress, address) != platform::kDisplayOk) {
        return GiveUpDevices();
    }
    for (int index : {0, 1, 2, 3, 4, 5, 11, 12, 13}) {
        direct3d.TextureFormats[index] = TextureFormat{};
    }
    std::vector<DdPixelFormat> formats;
    if (device->EnumTextureFormats(&formats) != platform::kDisplayOk ||
        !TakeTextureFormats(formats)) {
        WriteLog(kNoTextureFormatText);
        return GiveUpDevices();
    }
    FillEmptyFormats();
    const platform::DeviceDescription& desc = direct3d.DeviceDesc;
    direct3d.EndSceneAfterDraw = 1;
    direct3d.MinTextureSize =
        SizeOrDefault(desc.min_texture_width, desc.min_texture_height, kDefaultMinTextureSize);
    direct3d.MaxTextureSize =
        SizeOrDefault(desc.max_texture_width, desc.max_texture_height, kDefaultMaxTextureSize);
    direct3d.CaptureIndexPlain = -1;
    direct3d.CaptureIndexAlpha = -1;
    direct3d.TargetUnusable = 0;
    direct3d.CornerDrawSwitch = 0;
    LogFormats();
    WriteLog(kDirect3DStartedText);
    direct3d.Direct3DStarted = 1;
    return 0;
}

}  // namespace layer
