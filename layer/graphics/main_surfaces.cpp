// The screens of a mode: display surfaces (front, back, work surfaces, depth buffer) or, in
// software drawing, software images; the screen's pixel format and its class.
#include "layer/core/core_settings.h"
#include "layer/core/fatal_stop.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/window_routines.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/main_surface_texts.h"
#include "layer/graphics/screen_colours.h"
#include "layer/media/pixel_value.h"

namespace layer {
namespace {

constexpr int kFlipsToFillBothBuffers = 3;
constexpr int kDepthBits = 16;

platform::DisplayObject* Display() {
    return direct_draw.object->display;
}

int ScreenWidth() {
    int width = 0;
    GetScreenResolution(&width, nullptr);
    return width;
}

int ScreenHeight() {
    int height = 0;
    GetScreenResolution(nullptr, &height);
    return height;
}

std::uint32_t BackgroundPixel() {
    return static_cast<std::uint32_t>(RgbToPixel(core_settings.background_red,
                                                 core_settings.background_green,
                                                 core_settings.background_blue));
}

void FillWithBackground(platform::DisplaySurface* surface) {
    platform::BltSurface(surface, nullptr, nullptr, nullptr,
                         platform::kBltColourFill | platform::kBltWait, BackgroundPixel());
}

platform::DisplaySurface* MakeSurface(std::uint32_t caps, int width, int height,
                                      bool keyed = false) {
    platform::SurfaceDescription description;
    description.fields = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight;
    description.caps = caps;
    description.width = width;
    description.height = height;
    if (keyed) {
        description.fields |= platform::kDescColourKey;
    }
    platform::DisplaySurface* surface = nullptr;
    platform::CreateSurface(Display(), description, &surface);
    return surface;
}

platform::DisplaySurface* MakeScreenSurface(std::uint32_t caps, const char* failure) {
    platform::DisplaySurface* surface =
        MakeSurface(platform::kCapsOffscreenPlain | caps, ScreenWidth(), ScreenHeight());
    if (surface == nullptr) {
        AbortWithError(failure);
    }
    return surface;
}

platform::DisplaySurface* MakePrimary(std::uint32_t caps) {
    platform::SurfaceDescription description;
    description.fields = platform::kDescCaps;
    description.caps = platform::kCapsPrimary | caps;
    if ((caps & platform::kCapsFlip) != 0) {
        description.fields |= platform::kDescBackBufferCount;
        description.back_buffer_count = 1;
    }
    platform::DisplaySurface* surface = nullptr;
    if (platform::CreateSurface(Display(), description, &surface) != platform::kDisplayOk) {
        AbortWithError(kPrimaryFailedText);
    }
    return surface;
}

void FillImageWithBackground(MEMIMG* image) {
    FillMemImgRaw(image, nullptr,
                  PackColor(*image->Body->Format, core_settings.background_red,
                            core_settings.background_green, core_settings.background_blue, 255));
}

// The software back screen can live in the locked back surface when the two layouts agree.
bool BackImageFitsSurface() {
    const PixelFormat& format = direct_draw.screen_format;
    const int bits = direct_draw.screen_bits;
    return direct_draw.requested_bits == bits &&
           ((bits == 32 && direct_draw.screen_format_class == kScreenFormat8888) ||
            (bits == 16 && format.red_mask == 0xF800 && format.green_mask == 0x07E0 &&
             format.blue_mask == 0x001F));
}

void CreateSoftwareScreens() {
    direct_draw.software_screens = 1;
    const int width = ScreenWidth();
    const int height = ScreenHeight();
    const int colour_type = SoftwareScreenColourType();
    if (IsDirectDrawMode() != 0) {
        direct_draw.primary = MakePrimary(platform::kCapsSystemMemory);
        direct_draw.back = MakeScreenSurface(platform::kCapsSystemMemory, kBackFailedText);
        FillWithBackground(direct_draw.back);
    }
    if (SetupScreenMemImg(&direct_draw.primary_image, width, height, colour_type,
                          GetScreenColourBits()) < 0) {
        AbortWithError(kPrimaryImageFailedText);
    }
    if (direct_draw.back != nullptr && BackImageFitsSurface()) {
        platform::SurfaceDescription locked;
        if (platform::LockSurface(direct_draw.back, nullptr, &locked, platform::kLockWait) !=
            platform::kDisplayOk) {
            AbortWithError(kBackLockFailedText);
        }
        direct_draw.back_image = MEMIMG{};
        if (SetupMemImg(&direct_draw.back_image, width, height, locked.pitch, 0, colour_type, 0, 0,
                        0, locked.pixels) < 0) {
            AbortWithError(kBackImageFailedText);
        }
        direct_draw.back_image_over_surface = 1;
    } else if (SetupScreenMemImg(&direct_draw.back_image, width, height, colour_type,
                                 GetScreenColourBits()) < 0) {
        AbortWithError(kBackImageFailedText);
    }
    if (SetupDepthMemImg(&direct_draw.depth_image, width, height) < 0) {
        AbortWithError(kDepthImageFailedText);
    }
    FillImageWithBackground(&direct_draw.primary_image);
    FillImageWithBackground(&direct_draw.back_image);
}

void CreateWorkSurface(platform::DisplaySurface** surface, const char* failure) {
    *surface = MakeSurface(platform::kCapsOffscreenPlain | platform::kCapsSystemMemory,
                           ScreenWidth(), ScreenHeight(), true);
    if (*surface == nullptr) {
        AbortWithError(failure);
    }
    const platform::ColourKey key{0, 0};
    platform::SetSurfaceColourKey(*surface, platform::kColourKeySourceBlt, &key);
}

void CreateDepthBuffer() {
    platform::SurfaceDescription description;
    description.fields = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight |
                         platform::kDescPixelFormat;
    description.caps = platform::kCapsZBuffer | platform::kCapsVideoMemory;
    description.width = ScreenWidth();
    description.height = ScreenHeight();
    description.format = {32, platform::kPixelFormatZBuffer, 0, kDepthBits, 0, 0, 0, 0};
    description.z_bits = kDepthBits;
    platform::DisplaySurface* depth = nullptr;
    if (platform::CreateSurface(Display(), description, &depth) != platform::kDisplayOk) {
        WriteLog(kZBufferMissingText);
        return;
    }
    direct_draw.z_buffer = depth;
    platform::AddAttachedSurface(direct_draw.back, depth);
}

void CreateHardwareScreens() {
    direct_draw.requested_bits = direct_draw.screen_bits;
    if (IsWindowedMode() != 0) {
        direct_draw.primary = MakePrimary(platform::kCaps3DDevice);
        direct_draw.back = MakeScreenSurface(platform::kCaps3DDevice, kBackFailedText);
        FillWithBackground(direct_draw.back);
    } else {
        direct_draw.primary =
            MakePrimary(platform::kCapsFlip | platform::kCapsComplex | platform::kCaps3DDevice);
        if (platform::GetAttachedSurface(direct_draw.primary, platform::kCapsBackBuffer,
                                         &direct_draw.back) != platform::kDisplayOk) {
            AbortWithError(kBackBufferFailedText);
        }
        direct_draw.back_in_flip_chain = 1;
        for (int flip = 0; flip < kFlipsToFillBothBuffers; ++flip) {
            FillWithBackground(direct_draw.back);
            platform::FlipSurface(direct_draw.primary, platform::kFlipNoVsync);
        }
    }
    CreateWorkSurface(&direct_draw.work, kWorkFailedText);
    CreateWorkSurface(&direct_draw.second_work, kSecondWorkFailedText);
    CreateDepthBuffer();
}

const char* MemoryKind(platform::DisplaySurface* surface) {
    return (platform::GetSurfaceCaps(surface) & platform::kCapsVideoMemory) != 0 ? "VIDEOMEMORY"
                                                                                 : "SYSTEMMEMORY";
}

void ReleaseSurface(platform::DisplaySurface** surface) {
    if (*surface != nullptr) {
        platform::ReleaseSurface(*surface);
        *surface = nullptr;
    }
}

}  // namespace

int CreateMainSurfaces() {
    if (core_settings.screens_off != 0) {
        return 0;
    }
    if (IsDirectDrawMode() != 0 &&
        (direct_draw.object == nullptr || direct_draw.primary != nullptr)) {
        return -1;
    }
    WriteLog(kMainSurfacesStartText);
    IncreaseLogIndent();
    const bool software = IsSoftwareScreenDrawing() != 0;
    if (software) {
        CreateSoftwareScreens();
    } else {
        CreateHardwareScreens();
    }
    WriteLog(kScreenMemoryText);
    IncreaseLogIndent();
    if (software) {
        WriteLog("PrimaryBuffer : SYSTEMMEMORY( MEMIMG ) ");
        WriteLog("BaskBuffer : SYSTEMMEMORY( MEMIMG ) ");
    } else {
        WriteLogFormat("PrimaryBuffer : %s  ", MemoryKind(direct_draw.primary));
        WriteLogFormat("BaskBuffer : %s  ", MemoryKind(direct_draw.back));
    }
    DecreaseLogIndent();
    DecreaseLogIndent();
    WriteLog(kMainSurfacesDoneText);
    return 0;
}

int ReleaseMainSurfaces() {
    if (IsDirectDrawMode() != 0 && direct_draw.object == nullptr) {
        return -1;
    }
    if (direct_draw.back_image_over_surface != 0) {
        platform::UnlockSurface(direct_draw.back);
        direct_draw.back_image_over_surface = 0;
    }
    if (direct_draw.z_buffer != nullptr) {
        platform::DeleteAttachedSurface(direct_draw.back, direct_draw.z_buffer);
        ReleaseSurface(&direct_draw.z_buffer);
    }
    if (direct_draw.primary != nullptr) {
        WriteLog(kMainSurfacesReleasedText);
        platform::SetSurfaceClipper(direct_draw.primary, nullptr);
        if (direct_draw.back_in_flip_chain != 0) {
            direct_draw.back = nullptr;
            direct_draw.back_in_flip_chain = 0;
        }
        ReleaseSurface(&direct_draw.back);
        ReleaseSurface(&direct_draw.primary);
    }
    ReleaseSurface(&direct_draw.back);
    ReleaseSurface(&direct_draw.work);
    ReleaseSurface(&direct_draw.second_work);
    if (direct_draw.software_screens != 0) {
        ReleaseMemImg(&direct_draw.primary_image);
        ReleaseMemImg(&direct_draw.back_image);
        ReleaseMemImg(&direct_draw.depth_image);
        direct_draw.primary_image = MEMIMG{};
        direct_draw.back_image = MEMIMG{};
        direct_draw.depth_image = MEMIMG{};
        direct_draw.software_screens = 0;
    }
    direct_draw.draw_surface = nullptr;
    direct_draw.draw_image = nullptr;
    direct_draw.draw_depth_image = nullptr;
    return 0;
}

int RestoreLostScreenSurfaces() {
    if (direct_draw.object == nullptr) {
        return -1;
    }
    for (platform::DisplaySurface* surface :
         {direct_draw.primary, direct_draw.back, direct_draw.z_buffer}) {
        if (surface != nullptr &&
            platform::IsSurfaceLost(surface) == platform::kDisplaySurfaceLost) {
            platform::RestoreSurface(surface);
        }
    }
    return 0;
}

int DetectScreenPixelFormat() {
    if (IsDirectDrawMode() == 0) {
        if (direct_draw.screen_bits != 16 && direct_draw.screen_bits != 32) {
            direct_draw.screen_bits = 16;
        }
        direct_draw.screen_format =
            *GetMemImgPixelFormat(direct_draw.screen_bits == 16 ? 0 : 1, 0, 0);
        return 0;
    }
    if (direct_draw.object == nullptr) {
        return 0;
    }
    platform::DisplayMode mode;
    platform::GetDisplayMode(Display(), &mode);
    direct_draw.screen_dd_format = mode.format;
    ConvertSurfacePixelFormat(mode.format, &direct_draw.screen_format);
    WriteLog(kColourInfoText);
    IncreaseLogIndent();
    WriteLogFormat("A:%08x  B:%08x  G:%08x  B:%08x", mode.format.alpha_mask, mode.format.red_mask,
                   mode.format.green_mask, mode.format.blue_mask);
    DecreaseLogIndent();
    direct_draw.screen_bits = static_cast<int>(mode.format.rgb_bit_count);
    const struct {
        std::uint32_t red, green, blue;
        int bits;
        ScreenFormatClass format_class;
    } classes[] = {
        {0xF800, 0x07E0, 0x001F, 16, kScreenFormat565},
        {0x7C00, 0x03E0, 0x001F, 16, kScreenFormat555},
        {0xFF0000, 0x00FF00, 0x0000FF, 32, kScreenFormat8888},
    };
    direct_draw.screen_format_class = kScreenFormatOther;
    for (const auto& row : classes) {
        if (mode.format.red_mask == row.red && mode.format.green_mask == row.green &&
            mode.format.blue_mask == row.blue && direct_draw.screen_bits == row.bits) {
            direct_draw.screen_format_class = row.format_class;
        }
    }
    return 0;
}

}  // namespace layer
