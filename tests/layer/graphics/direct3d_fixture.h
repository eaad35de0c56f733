#pragma once

// The display stand-in's screens with a 3D device of the recording back end, as a mode change
// leaves them: window mode, 640 x 480 in the display's format, 3D drawing in use and the back
// screen selected. The log is captured.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "layer/core/core_settings.h"
#include "layer/core/system_info.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/texture_tiles.h"
#include "tests/layer/core/log_capture.h"
#include "tests/layer/graphics/graphics_fixture.h"
#include "tests/support/recording_device.h"

namespace test {

// The display stand-in started for a mode change in the given format, without its screens.
inline void StartDisplayObject(platform::ForcedDisplayFormat forced) {
    layer::core_settings.started = 1;
    layer::window_state.active = 1;
    layer::window_state.window_mode = 1;
    layer::window_state.client_rect = {0, 0, 640, 480};
    layer::system_info.desktop_width = 1920;
    layer::system_info.desktop_height = 1080;
    layer::SetTextureDrawing(1);
    platform::ForceDisplayFormat(forced);
    platform::SetClientAreaReader(FixtureClientArea);
    layer::direct_draw.object = &layer::direct_draw.object_storage;
    platform::CreateDisplayObject(&layer::direct_draw.object->display);
    layer::direct_draw.screen_width = 640;
    layer::direct_draw.screen_height = 480;
    layer::BuildBlendTables();
    layer::DetectScreenPixelFormat();
    layer::direct_draw.requested_bits = layer::direct_draw.screen_bits;
    layer::CreateMainSurfaces();
}

inline void StopDirect3DScreens() {
    layer::EndGraphicsManagement();
    layer::DeleteAllSurfaces2D();
    layer::EndDirect3D();
    layer::ReleaseMainSurfaces();
    StopGraphics();
    layer::direct3d = layer::Direct3DContext{};
    layer::core_settings.started = 0;
}

// What the tests of the 3D side share: the log, the device record and texture graphs.
class Direct3DTest : public LogCapture {
  protected:
    // Whether the log holds the text (its line feed left out).
    bool Logged(std::string text) const {
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        return ReadLog().find(text) != std::string::npos;
    }

    static layer::DeviceState& Device() { return layer::direct3d.Devices[0]; }

    // A texel of a tile's texture as stored, `bytes` wide.
    static std::uint32_t TileTexel(const layer::Surface3DData& tile, int x, int y, int bytes = 4) {
        platform::DisplaySurface* texture = layer::GetTileTexture(tile);
        platform::SurfaceDescription locked;
        platform::LockSurface(texture, nullptr, &locked, platform::kLockReadOnly);
        std::uint32_t value = 0;
        std::memcpy(&value, locked.pixels + y * locked.pitch + x * bytes,
                    static_cast<std::size_t>(bytes));
        platform::UnlockSurface(texture);
        return value;
    }

    // A texture graph of the size, every pixel the colour (0x00RRGGBB).
    static int Graph(int width, int height, std::uint32_t colour) {
        const std::string file = Bmp24(width, height, [colour](int, int) { return colour; });
        return layer::CreateGraphFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0,
                                            1, 0);
    }
};

class Direct3DScreens : public Direct3DTest {
  protected:
    void SetUp() override {
        LogCapture::SetUp();
        Start(platform::ForcedDisplayFormat::kNone);
    }
    void TearDown() override {
        StopDirect3DScreens();
        LogCapture::TearDown();
    }

    void Start(platform::ForcedDisplayFormat forced) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        StartDisplayObject(forced);
        ASSERT_EQ(layer::StartDirect3D(), 0);
        layer::StartGraphicsManagement();
        layer::SelectDrawTarget(layer::kDrawTargetBack);
        layer::SetDrawClipRect(0, 0, 640, 480);
        Recording().calls.clear();
    }

    RecordingDeviceScope device_scope_;
};

}  // namespace test
