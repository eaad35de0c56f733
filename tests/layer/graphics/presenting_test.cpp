// Presenting the software screens without display surfaces, the front screen as a draw
// target, and screen rectangles saved as pictures.
#include <gtest/gtest.h>

#include <filesystem>

#include "layer/graphics/front_screen.h"
#include "platform/presenter.h"
#include "tests/layer/graphics/software_screen_fixture.h"
#include "tests/support/temp_tree.h"

namespace {

class Presenting : public test::SoftwareScreens {
  protected:
    void SetUp() override {
        SoftwareScreens::SetUp();
        platform::CreateDisplayObject(&layer::direct_draw.object_storage.display);
        layer::direct_draw.object = &layer::direct_draw.object_storage;
        layer::SetVsyncWait(0);
        // A pattern whose every pixel differs from its neighbours.
        const int graph = Graph(64, 48, [](int x, int y) {
            return static_cast<std::uint32_t>(x * 4) << 16 |
                   static_cast<std::uint32_t>(y * 5) << 8 |
                   static_cast<std::uint32_t>((x + y) & 0xFF);
        });
        layer::PutGraphStretched(0, 0, 640, 480, graph, 0);
    }
    void TearDown() override {
        layer::window_state.window_scale = 0.0;
        SoftwareScreens::TearDown();
    }

    static std::uint32_t FramePixel(int x, int y) {
        std::uint32_t pixel = 0;
        platform::ReadRetainedFrame({x, y, x + 1, y + 1}, &pixel, 4);
        return pixel & 0xFFFFFF;
    }
};

TEST_F(Presenting, ScaleOneShowsTheBackScreenOneToOne) {
    ASSERT_EQ(layer::PresentBackScreen(nullptr), 0);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{123, 45}, std::pair{639, 479}}) {
        EXPECT_EQ(FramePixel(x, y), BackPixel(x, y)) << x << ", " << y;
    }
    EXPECT_EQ(layer::direct_draw.capture_needed, 1);
}

TEST_F(Presenting, ScaleTwoRepaintCopiesTheHalvedSource) {
    layer::window_state.window_scale = 2.0;
    layer::window_state.client_rect = {0, 0, 1280, 960};
    const layer::Rect repaint{100, 100, 300, 200};
    ASSERT_EQ(layer::PresentBackScreen(&repaint), 0);
    EXPECT_EQ(FramePixel(100, 100), BackPixel(50, 50));
    EXPECT_EQ(FramePixel(299, 199), BackPixel(149, 99));
    EXPECT_EQ(FramePixel(102, 100), BackPixel(51, 50));
    EXPECT_EQ(FramePixel(99, 100), 0u);
    EXPECT_EQ(FramePixel(300, 150), 0u);
}

TEST_F(Presenting, FrontScreenDrawsReachTheWindowAfterAReadBack) {
    layer::PresentBackScreen(nullptr);
    layer::SelectDrawTarget(layer::kDrawTargetFront);
    layer::SetDrawClipRect(0, 0, 640, 480);
    layer::PutBox(200, 200, 220, 210, layer::RgbToPixel(255, 255, 0), 1);
    EXPECT_EQ(FramePixel(205, 205), 0xFFFF00u);
    EXPECT_EQ(FramePixel(10, 10), BackPixel(10, 10));
    EXPECT_EQ(Pixel(layer::direct_draw.primary_image, 10, 10), BackPixel(10, 10));
    EXPECT_EQ(layer::direct_draw.capture_needed, 0);
}

TEST_F(Presenting, SavedPngHoldsTheBackScreen) {
    test::TempTree tree;
    const std::filesystem::path file = tree.root() / "shot.png";
    ASSERT_EQ(layer::StoreScreenAsPng(10, 20, 74, 68, file.string().c_str(), -1), 0);
    const std::optional<test::RgbaImage> saved = test::ReadPng(file);
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->width, 64);
    ASSERT_EQ(saved->height, 48);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{31, 17}, std::pair{63, 47}}) {
        const std::uint8_t* at = saved->pixels.data() + (y * 64 + x) * 4;
        const std::uint32_t colour = static_cast<std::uint32_t>(at[0]) << 16 |
                                     static_cast<std::uint32_t>(at[1]) << 8 | at[2];
        EXPECT_EQ(colour, BackPixel(10 + x, 20 + y)) << x << ", " << y;
    }
}

TEST_F(Presenting, UnknownPictureTypeSavesNothing) {
    test::TempTree tree;
    const std::filesystem::path file = tree.root() / "shot.xyz";
    EXPECT_EQ(layer::SaveScreenArea(0, 0, 8, 8, file.string().c_str(), 3, 80, 0, -1), 0);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(Presenting, FailedSaveOrEmptyAreaIsReported) {
    test::TempTree tree;
    const std::filesystem::path file = tree.root() / "missing" / "shot.png";
    EXPECT_EQ(layer::StoreScreenAsPng(0, 0, 8, 8, file.string().c_str(), -1), -1);
    EXPECT_EQ(layer::StoreScreenAsPng(700, 0, 800, 8, (tree.root() / "a.png").string().c_str(), -1),
              -1);
}

}  // namespace
