// The texture format a graph or a glyph cache asks for, and the entries of the format table.
#include "layer/graphics/device_state.h"
#include "layer/graphics/format_key.h"
#include "layer/graphics/surface_data.h"

namespace layer {

const PixelFormat* SelectTextureFormat(int alpha_channel, int alpha_test, int wide,
                                       int draw_valid) {
    FormatKey key;
    key.AlphaChFlag = static_cast<std::uint8_t>(alpha_channel != 0 ? 1 : 0);
    key.AlphaTestFlag = static_cast<std::uint8_t>(alpha_test != 0 ? 1 : 0);
    key.DrawValid = static_cast<std::uint8_t>(draw_valid != 0 ? 1 : 0);
    key.ColorBitDepth = static_cast<std::uint8_t>(wide != 0 ? 32 : 16);
    return GetTexturePixelFormat(ChooseTextureFormat(key));
}

const TextureFormat* GetTextureFormat(int index) {
    return index >= 0 && index < kTextureFormatCount ? &direct3d.TextureFormats[index] : nullptr;
}

const PixelFormat* GetTexturePixelFormat(int index) {
    const TextureFormat* format = GetTextureFormat(index);
    return format != nullptr ? &format->format : nullptr;
}

const DdPixelFormat* GetZBufferFormat() {
    return &direct3d.ZBufferFormat;
}

}  // namespace layer
