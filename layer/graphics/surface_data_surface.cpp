// The surface behind a surface-data record: made as a texture, a software image or a 2D
// display surface, keyed, restored after a loss and released.
#include "layer/core/layer_log.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_texts.h"
#include "layer/graphics/surface_data.h"
#include "layer/media/pixel_value.h"

namespace layer {
namespace {

constexpr int kPlainSurfaceFormatIndex = 14;
constexpr int kWidestMemImgFormatIndex = 18;
constexpr std::uint32_t kPaletteTransparent = 0xFFFF;
constexpr int kBlendColourType = 2;

int Red(std::uint32_t colour) {
    return static_cast<int>(colour >> 16 & 0xFF);
}
int Green(std::uint32_t colour) {
    return static_cast<int>(colour >> 8 & 0xFF);
}
int Blue(std::uint32_t colour) {
    return static_cast<int>(colour & 0xFF);
}

// A texture in the device's format for the key, cleared to 0; a target texture is also a
// possible render target.
int CreateTexture(SurfaceData* data) {
    data->FormatIndex = ChooseTextureFormat(data->Key);
    const TextureFormat* format = GetTextureFormat(data->FormatIndex);
    platform::DisplaySurface* surface = nullptr;
    if (direct_draw.object != nullptr && format != nullptr && format->format.bits_per_pixel != 0) {
        platform::SurfaceDescription description;
        description.fields = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight |
                             platform::kDescPixelFormat;
        const FormatKey& key = data->Key;
        description.caps = platform::kCapsTexture |
                           (key.DrawValid != 0 ? std::uint32_t{platform::kCaps3DDevice} : 0u) |
                           (key.DrawValid == 0 && key.UnmanagedFlag == 0
                                ? std::uint32_t{platform::kCapsTextureManaged}
                                : 0u);
        description.width = data->Width;
        description.height = data->Height;
        description.format = format->dd;
        platform::CreateSurface(direct_draw.object->display, description, &surface);
    }
    if (surface == nullptr) {
        WriteLog(kTextureSurfaceFailedText);
        return WriteLogFormat(kTextureKeyFormat, data->Key.DrawValid, data->Key.AlphaChFlag,
                              data->Key.AlphaTestFlag, data->Key.ColorBitDepth);
    }
    data->Surface = surface;
    platform::BltSurface(surface, nullptr, nullptr, nullptr,
                         platform::kBltColourFill | platform::kBltWait, 0);
    return 0;
}

// The key of a texture: the transparent colour in its format with full alpha, and every alpha
// and unused bit set, so that the key matches whatever those bits hold.
std::uint32_t TextureKey(const SurfaceData& data) {
    const PixelFormat& format = *GetTexturePixelFormat(data.FormatIndex);
    return PackColor(format, Red(data.TransColour), Green(data.TransColour), Blue(data.TransColour),
                     255) |
           format.alpha_mask | format.unused_mask;
}

int CreateMemImg(SurfaceData* data) {
    const FormatKey& key = data->Key;
    const bool wide = key.ColorBitDepth != 16;
    int result = 0;
    if (key.BlendGraphFlag != 0) {
        result = SetupMemImg(&data->Image, data->Width, data->Height, -1, 0, kBlendColourType, 0, 0,
                             0, nullptr);
    } else {
        const int colour_type = wide ? 1 : 0;
        const PixelFormat* format =
            GetMemImgPixelFormat(colour_type, key.AlphaChFlag, key.PaletteFlag);
        const std::uint32_t trans =
            key.PaletteFlag != 0
                ? kPaletteTransparent
                : PackColor(*format, Red(data->TransColour), Green(data->TransColour),
                            Blue(data->TransColour), 255);
        result = SetupMemImg(&data->Image, data->Width, data->Height, -1, trans, colour_type,
                             key.PaletteFlag, key.AlphaChFlag, 1, nullptr);
    }
    data->FormatIndex = kWidestMemImgFormatIndex - (key.AlphaChFlag != 0 ? 0 : 1) - (wide ? 0 : 2);
    if (result < 0) {
        data->Image = MEMIMG{};
        return WriteLog(kMemImgCreationFailedText);
    }
    return 0;
}

platform::DisplaySurface* MakePlainSurface(int width, int height, std::uint32_t memory) {
    platform::SurfaceDescription description;
    description.fields = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight;
    description.caps = platform::kCapsOffscreenPlain | memory;
    description.width = width;
    description.height = height;
    platform::DisplaySurface* surface = nullptr;
    platform::CreateSurface(direct_draw.object->display, description, &surface);
    return surface;
}

int CreatePlainSurface(SurfaceData* data) {
    data->FormatIndex = kPlainSurfaceFormatIndex;
    if (direct_draw.object == nullptr) {
        return WriteLog(kPlainSurfaceFailedText);
    }
    int screen_width = 0;
    int screen_height = 0;
    GetScreenResolution(&screen_width, &screen_height);
    const bool system = data->Key.SystemMemFlag != 0 || data->Width > screen_width ||
                        data->Height > screen_height || IsSoftwareDrawMode() != 0;
    platform::DisplaySurface* surface = nullptr;
    if (!system) {
        surface = MakePlainSurface(data->Width, data->Height,
                                   platform::kCapsVideoMemory | platform::kCaps3DDevice);
    }
    if (surface == nullptr) {
        surface = MakePlainSurface(data->Width, data->Height, platform::kCapsSystemMemory);
    }
    if (surface == nullptr) {
        return WriteLog(kPlainSurfaceFailedText);
    }
    data->Surface = surface;
    data->Key.SystemMemFlag =
        (platform::GetSurfaceCaps(surface) & platform::kCapsVideoMemory) == 0 ? 1 : 0;
    data->Key.DrawValid = 1;
    return 0;
}

}  // namespace

int CreateSurfaceDataSurface(int handle) {
    SurfaceData* data = GetSurfaceData(handle);
    if (data == nullptr) {
        return -1;
    }
    if (data->Surface != nullptr || TestMemImgValid(&data->Image) != 0) {
        return 0;
    }
    int result = 0;
    if (data->Key.TextureFlag != 0) {
        result = CreateTexture(data);
    } else if (data->MemImgFlag != 0) {
        result = CreateMemImg(data);
    } else {
        result = CreatePlainSurface(data);
    }
    if (result < 0) {
        ReleaseSurfaceDataSurfaces(handle);
        return -1;
    }
    if (data->ZBufferWanted != 0) {
        data->ZBufferWanted = 0;
        SetSurfaceDataZBuffer(handle, 1);
    }
    return 0;
}

int ReleaseSurfaceDataSurfaces(int handle) {
    SurfaceData* data = GetSurfaceData(handle);
    if (data == nullptr) {
        return -1;
    }
    if (data->MemImgFlag != 0) {
        ReleaseMemImg(&data->Image);
        ReleaseMemImg(&data->ZImage);
        return 0;
    }
    if (data->ZSurface != nullptr) {
        if (data->Surface != nullptr) {
            platform::DeleteAttachedSurface(data->Surface, data->ZSurface);
        }
        platform::ReleaseSurface(data->ZSurface);
        data->ZSurface = nullptr;
    }
    if (data->Surface != nullptr) {
        platform::ReleaseSurface(data->Surface);
        data->Surface = nullptr;
    }
    data->LockDepth = 0;
    return 0;
}

int SetSurfaceDataColourKey(int handle) {
    SurfaceData* data = GetSurfaceData(handle);
    if (data == nullptr) {
        return -1;
    }
    if (data->Surface == nullptr) {
        return 0;
    }
    std::uint32_t value = 0;
    if (data->Key.TextureFlag != 0) {
        value = TextureKey(*data);
    } else if (data->Key.ColorBitDepth != 8) {
        value = static_cast<std::uint32_t>(
            RgbToPixel(Red(data->TransColour), Green(data->TransColour), Blue(data->TransColour)));
    }
    const platform::ColourKey key{value, value};
    if (platform::SetSurfaceColourKey(data->Surface, platform::kColourKeySourceBlt, &key) !=
        platform::kDisplayOk) {
        return WriteLog(data->Key.TextureFlag != 0 ? kTextureColourKeyFailedText
                                                   : kPlainColourKeyFailedText);
    }
    return 0;
}

int RestoreSurfaceData(int handle) {
    SurfaceData* data = GetSurfaceData(handle);
    if (data == nullptr) {
        return -1;
    }
    if (data->Surface == nullptr ||
        platform::IsSurfaceLost(data->Surface) != platform::kDisplaySurfaceLost) {
        return 0;
    }
    platform::RestoreSurface(data->Surface);
    return -1;
}

int SetSurfaceDataZBuffer(int handle, int want) {
    SurfaceData* data = GetSurfaceData(handle);
    if (data == nullptr) {
        return -1;
    }
    const int wanted = want != 0 ? 1 : 0;
    if (wanted == data->ZBufferWanted) {
        return 0;
    }
    if (data->Key.DrawValid == 0) {
        return -1;
    }
    if (wanted == 0) {
        if (data->ZSurface != nullptr) {
            platform::DeleteAttachedSurface(data->Surface, data->ZSurface);
            platform::ReleaseSurface(data->ZSurface);
            data->ZSurface = nullptr;
        }
        ReleaseMemImg(&data->ZImage);
    } else if (data->MemImgFlag != 0) {
        if (SetupDepthMemImg(&data->ZImage, data->Width, data->Height) < 0) {
            return WriteLog(kZBufferFailedText);
        }
    } else {
        platform::SurfaceDescription description;
        description.fields = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight;
        description.caps = platform::kCapsZBuffer | platform::kCapsVideoMemory;
        description.width = data->Width;
        description.height = data->Height;
        if (direct_draw.object == nullptr || data->Surface == nullptr ||
            platform::CreateSurface(direct_draw.object->display, description, &data->ZSurface) !=
                platform::kDisplayOk) {
            return WriteLog(kZBufferFailedText);
        }
        platform::AddAttachedSurface(data->Surface, data->ZSurface);
    }
    data->ZBufferWanted = wanted;
    return 0;
}

}  // namespace layer
