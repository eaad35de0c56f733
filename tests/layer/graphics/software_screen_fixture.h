#pragma once

// Software screens without display surfaces, the back screen selected, and graphs made from
// generated pictures; what a test draws is read back from the software screens.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "layer/core/core_settings.h"
#include "layer/core/system_info.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/graphics_services.h"
#include "layer/softrender/blend_tables.h"
#include "tests/layer/graphics/graphics_fixture.h"
#include "tests/support/golden.h"

namespace test {

class SoftwareScreens : public testing::Test {
  protected:
    void SetUp() override {
        layer::core_settings.started = 1;
        layer::window_state.window_mode = 1;
        layer::window_state.client_rect = {0, 0, 640, 480};
        layer::system_info.desktop_width = 1920;
        layer::system_info.desktop_height = 1080;
        StartSoftwareGraphics(bits_);
        layer::BuildBlendTables();
        layer::CreateMainSurfaces();
        layer::SelectDrawTarget(layer::kDrawTargetBack);
        layer::SetDrawClipRect(0, 0, 640, 480);
    }
    void TearDown() override {
        layer::ReleaseMainSurfaces();
        StopGraphics();
        layer::core_settings.started = 0;
    }

    // A graph of the picture the function colours (0x00RRGGBB).
    static int Graph(int width, int height, const std::function<std::uint32_t(int, int)>& at) {
        const std::string file = Bmp24(width, height, at);
        return layer::CreateGraphFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0,
                                            0, 0);
    }

    static std::uint32_t Pixel(const layer::MEMIMG& image, int x, int y) {
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, image.Pixels + y * image.Body->Pitch + x * 4, 4);
        return pixel & 0xFFFFFF;
    }

    static std::uint32_t BackPixel(int x, int y) {
        return Pixel(layer::direct_draw.back_image, x, y);
    }

    // A rectangle of a 32-bit software screen as a picture.
    static RgbaImage Picture(const layer::MEMIMG& image, int width, int height) {
        RgbaImage picture{width, height, {}};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t pixel = Pixel(image, x, y);
                picture.pixels.push_back(static_cast<std::uint8_t>(pixel >> 16));
                picture.pixels.push_back(static_cast<std::uint8_t>(pixel >> 8));
                picture.pixels.push_back(static_cast<std::uint8_t>(pixel));
                picture.pixels.push_back(255);
            }
        }
        return picture;
    }

    int bits_ = 32;
};

}  // namespace test
