#pragma once

// Graphics management started on a software screen (no display surfaces) or over the display
// stand-in, as the display start would leave it.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "layer/core/window_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/screen_colours.h"
#include "layer/softrender/blend_tables.h"
#include "platform/display.h"
#include "platform/display_hooks.h"
#include "tests/support/golden.h"

namespace test {

inline void StopGraphics() {
    layer::EndGraphicsManagement();
    layer::DeleteAllSurfaces2D();
    if (layer::direct_draw.object != nullptr) {
        platform::ReleaseDisplayObject(layer::direct_draw.object->display);
    }
    layer::direct_draw = layer::DirectDrawContext{};
    layer::draw_settings = layer::DrawSettings{};
    platform::ResetDisplayHooks();
    platform::SetClientAreaReader(nullptr);
}

// Software drawing without display surfaces at 640 x 480 and the given depth.
inline void StartSoftwareGraphics(int bits) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    layer::window_state.active = 1;
    layer::direct_draw.flags.direct_draw_less = 1;
    layer::direct_draw.flags.software_drawing = 1;
    layer::direct_draw.flags.no_direct3d = 1;
    layer::direct_draw.screen_width = 640;
    layer::direct_draw.screen_height = 480;
    layer::direct_draw.screen_bits = bits;
    layer::direct_draw.requested_bits = bits;
    layer::direct_draw.screen_format = *layer::GetMemImgPixelFormat(bits == 16 ? 0 : 1, 0, 0);
    layer::StartGraphicsManagement();
}

inline platform::DisplayRect FixtureClientArea() {
    return {0, 0, 640, 480};
}

// Hardware drawing over the display stand-in at 640 x 480 in the display's format.
inline void StartDisplayGraphics(platform::ForcedDisplayFormat forced) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    layer::window_state.active = 1;
    platform::ForceDisplayFormat(forced);
    platform::SetClientAreaReader(FixtureClientArea);
    layer::direct_draw.object = &layer::direct_draw.object_storage;
    platform::CreateDisplayObject(&layer::direct_draw.object->display);
    const platform::DisplayMode mode = platform::ReadDisplayModeInForce();
    layer::direct_draw.screen_dd_format = mode.format;
    layer::ConvertSurfacePixelFormat(mode.format, &layer::direct_draw.screen_format);
    layer::direct_draw.screen_width = 640;
    layer::direct_draw.screen_height = 480;
    layer::direct_draw.screen_bits = mode.bits;
    layer::direct_draw.requested_bits = mode.bits;
    layer::direct_draw.flags.no_direct3d = 1;
    layer::StartGraphicsManagement();
}

// The display graphics with their main surfaces, drawing to the back surface over the whole
// screen, in the given window mode.
inline void StartDisplayScreens(platform::ForcedDisplayFormat forced, int window_mode) {
    layer::window_state.window_mode = window_mode;
    layer::window_state.client_rect = {0, 0, 640, 480};
    layer::SetTextureDrawing(0);
    StartDisplayGraphics(forced);
    layer::BuildBlendTables();
    layer::DetectScreenPixelFormat();
    layer::CreateMainSurfaces();
    layer::SelectDrawTarget(layer::kDrawTargetBack);
    layer::SetDrawClipRect(0, 0, 640, 480);
}

// The back screen's top-left width x height as red, green and blue, read through the screen's
// own format: the display stand-in's back surface when there is one (locked, so a GPU copy is
// read back, after the 3D device's pending draws), else the software back screen.
inline RgbaImage BackScreenPicture(int width, int height) {
    layer::FlushVertexBatch();
    layer::EndScene3D();
    const std::uint8_t* pixels = layer::direct_draw.back_image.Pixels;
    int pitch = 0;
    int bytes = 0;
    platform::SurfaceDescription locked;
    if (layer::direct_draw.back != nullptr) {
        const platform::DisplayRect area{0, 0, width, height};
        platform::LockSurface(layer::direct_draw.back, &area, &locked, platform::kLockReadOnly);
        pixels = locked.pixels;
        pitch = locked.pitch;
        bytes = static_cast<int>(locked.format.rgb_bit_count / 8);
    } else {
        pitch = layer::direct_draw.back_image.Body->Pitch;
        bytes = layer::MemImgBytesPerPixel(layer::direct_draw.back_image);
    }
    RgbaImage picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            std::memcpy(&pixel, pixels + y * pitch + x * bytes, static_cast<std::size_t>(bytes));
            int red = 0;
            int green = 0;
            int blue = 0;
            layer::PixelToRgb(pixel, &red, &green, &blue);
            for (int channel : {red, green, blue, 255}) {
                picture.pixels.push_back(static_cast<std::uint8_t>(channel));
            }
        }
    }
    if (layer::direct_draw.back != nullptr) {
        platform::UnlockSurface(layer::direct_draw.back);
    }
    return picture;
}

// A 24-bit bottom-up BMP file of the colours (0x00RRGGBB) the function gives.
inline std::string Bmp24(int width, int height, const std::function<std::uint32_t(int, int)>& at) {
    const int row = (width * 3 + 3) & ~3;
    const int data_size = row * height;
    std::string file(54 + data_size, '\0');
    auto put32 = [&file](int offset, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            file[offset + i] = static_cast<char>(value >> (8 * i));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, static_cast<std::uint32_t>(data_size));
    for (int y = 0; y < height; ++y) {
        char* out = file.data() + 54 + (height - 1 - y) * row;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t colour = at(x, y);
            out[x * 3] = static_cast<char>(colour);
            out[x * 3 + 1] = static_cast<char>(colour >> 8);
            out[x * 3 + 2] = static_cast<char>(colour >> 16);
        }
    }
    return file;
}

}  // namespace test
