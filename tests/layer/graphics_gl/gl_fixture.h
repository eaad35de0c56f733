#pragma once

// The display stand-in's screens with the OpenGL 3D device on one offscreen window that every
// test of the binary shares, so that the GL context is made once. A GL that cannot start on
// the offscreen driver fails the test; so does any GL error a test leaves behind.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "layer/graphics/graphics_core.h"
#include "platform/gfx3d/gl_context.h"
#include "platform/presenter.h"
#include "platform/window.h"
#include "tests/layer/graphics/direct3d_fixture.h"
#include "tests/support/golden.h"

namespace test {

inline platform::Window* SharedGlWindow() {
    static platform::Window* window = [] {
        platform::WindowRequest request;
        request.title = "gl";
        return platform::OpenWindow(request);
    }();
    return window;
}

class GlScreens : public Direct3DTest {
  protected:
    void SetUp() override {
        LogCapture::SetUp();
        ASSERT_NE(SharedGlWindow(), nullptr);
        layer::graphics_core.window = SharedGlWindow();
        StartDisplayObject(forced_);
        ASSERT_EQ(layer::StartDirect3D(), 0) << "OpenGL 3.3 core did not start";
        ASSERT_TRUE(platform::HasGlContext());
        layer::StartGraphicsManagement();
        layer::SelectDrawTarget(layer::kDrawTargetBack);
        layer::SetDrawClipRect(0, 0, 640, 480);
    }
    void TearDown() override {
        StopDirect3DScreens();
        EXPECT_EQ(platform::TakeGlErrors(), 0);
        LogCapture::TearDown();
    }

    // The back screen as shown: presented, then read back from the window's frame.
    static RgbaImage Shown(int width, int height) {
        layer::PresentFrame();
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
        platform::ReadRetainedFrame({0, 0, width, height}, pixels.data(), width * 4);
        RgbaImage image{width, height, {}};
        for (std::uint32_t pixel : pixels) {
            image.pixels.push_back(static_cast<std::uint8_t>(pixel >> 16));
            image.pixels.push_back(static_cast<std::uint8_t>(pixel >> 8));
            image.pixels.push_back(static_cast<std::uint8_t>(pixel));
            image.pixels.push_back(255);
        }
        return image;
    }

    static RgbaImage Crop(const RgbaImage& image, int left, int top, int width, int height) {
        return CropPicture(image, {left, top, left + width, top + height});
    }

    // The display's format; a derived fixture sets it before SetUp.
    platform::ForcedDisplayFormat forced_ = platform::ForcedDisplayFormat::kNone;

    static std::uint32_t At(const RgbaImage& image, int x, int y) {
        const std::uint8_t* p = &image.pixels[static_cast<std::size_t>((y * image.width + x) * 4)];
        return static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
    }
};

}  // namespace test
