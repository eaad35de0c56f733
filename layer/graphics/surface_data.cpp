// Surface-data records: creation with the key adjusted for the kind of surface, references,
// deletion, and the texture format a key asks for.
#include "layer/graphics/surface_data.h"

#include "layer/core/layer_log.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_texts.h"

namespace layer {
namespace {

constexpr int kLargestSide = 65535;

// The key as the surface will be made: textures never in system memory, and without the alpha
// test where they are targets or carry alpha; 2D pictures with alpha or blend pictures always
// in system memory, and every 2D surface a possible target without an alpha test.
void AdjustKey(SurfaceData* data) {
    FormatKey& key = data->Key;
    if (key.TextureFlag != 0) {
        key.SystemMemFlag = 0;
        if (key.DrawValid != 0 || key.AlphaChFlag != 0) {
            key.AlphaTestFlag = 0;
        }
    } else {
        if (key.AlphaChFlag != 0 || key.BlendGraphFlag != 0) {
            key.SystemMemFlag = 1;
        }
        key.DrawValid = 1;
        key.AlphaTestFlag = 0;
    }
    data->MemImgFlag = key.SystemMemFlag != 0 || IsSoftwareScreenDrawing() != 0 ? 1 : 0;
}

}  // namespace

int AddSurfaceData(int reference_count, int width, int height, std::uint32_t trans_colour,
                   const FormatKey* key) {
    // The record keeps 16-bit sizes: anything else could never be made.
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) {
        return WriteLog(kGraphCreationFailedText);
    }
    SurfaceData* data = nullptr;
    const int handle = graphics_core.surface_data.Add(&data);
    if (handle < 0) {
        return -1;
    }
    data->Key = *key;
    data->Width = static_cast<std::uint16_t>(width);
    data->Height = static_cast<std::uint16_t>(height);
    data->RefCount = reference_count;
    data->TransColour = trans_colour;
    AdjustKey(data);
    if (CreateSurfaceDataSurface(handle) < 0 || SetSurfaceDataColourKey(handle) < 0) {
        DeleteSurfaceData(handle);
        return -1;
    }
    return handle;
}

int AddSurfaceDataRef(int handle) {
    SurfaceData* data = GetSurfaceData(handle);
    if (data == nullptr) {
        return -1;
    }
    return ++data->RefCount;
}

int ReleaseSurfaceDataRef(int handle) {
    SurfaceData* data = GetSurfaceData(handle);
    if (data == nullptr) {
        return -1;
    }
    return --data->RefCount;
}

int DeleteSurfaceData(int handle) {
    if (GetSurfaceData(handle) == nullptr) {
        return -1;
    }
    ReleaseSurfaceDataSurfaces(handle);
    return graphics_core.surface_data.Remove(handle);
}

SurfaceData* GetSurfaceData(int handle) {
    return graphics_core.surface_data.Find(handle);
}

int ChooseTextureFormat(const FormatKey& key) {
    constexpr int kSpecialFormatBase = 5;
    if (key.FormatSelect >= 1 && key.FormatSelect <= 5) {
        return kSpecialFormatBase + key.FormatSelect;
    }
    const int wide = key.ColorBitDepth == 16 ? 0 : 1;
    if (key.DrawValid != 0) {
        return key.AlphaChFlag != 0 || key.AlphaTestFlag != 0 ? 13 : 11 + wide;
    }
    if (key.AlphaChFlag != 0) {
        return 2 + wide;
    }
    return key.AlphaTestFlag != 0 ? 4 + wide : wide;
}

}  // namespace layer
