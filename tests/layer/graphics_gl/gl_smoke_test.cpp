#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "layer/graphics/graph_lifecycle.h"
#include "platform/display.h"
#include "platform/gfx3d/gl_surface.h"
#include "tests/layer/graphics_gl/gl_fixture.h"

namespace {

class GlSmoke : public test::GlScreens {};

TEST_F(GlSmoke, ABoxAndAGraphReachTheFrame) {
    layer::PutBox(10, 10, 30, 30, layer::RgbToPixel(255, 0, 0), 1);
    const int graph = Graph(8, 8, 0x00FF00);
    ASSERT_GE(graph, 0);
    layer::PutGraph(40, 40, graph, 0);
    const test::RgbaImage image = Shown(64, 64);
    EXPECT_EQ(At(image, 10, 10), 0xFF0000u);
    EXPECT_EQ(At(image, 29, 29), 0xFF0000u);
    EXPECT_EQ(At(image, 30, 30), 0x000000u);
    EXPECT_EQ(At(image, 40, 40), 0x00FF00u);
    EXPECT_EQ(At(image, 47, 47), 0x00FF00u);
    EXPECT_EQ(At(image, 48, 47), 0x000000u);
}

// A graph's texture is filled, then written a tile at a time, and filled again: the GPU copy
// holds nothing newer than the CPU buffer, so none of it is read back, and draws show each.
TEST_F(GlSmoke, FillsAndWritesOfATextureNotYetDrawnIntoReadNothingBack) {
    const std::uint64_t read_backs = platform::GlReadBackCount();
    const int graph = Graph(8, 8, 0x00FF00);
    ASSERT_GE(graph, 0);
    layer::PutGraph(0, 0, graph, 0);
    layer::FlushVertexBatch();
    ASSERT_EQ(layer::FillGraphColour(graph, 0, 0, 255, 255), 0);
    layer::PutGraph(16, 0, graph, 0);
    EXPECT_EQ(platform::GlReadBackCount(), read_backs);
    const test::RgbaImage image = Shown(32, 8);
    EXPECT_EQ(At(image, 0, 0), 0x00FF00u);
    EXPECT_EQ(At(image, 7, 7), 0x00FF00u);
    EXPECT_EQ(At(image, 16, 0), 0x0000FFu);
    EXPECT_EQ(At(image, 23, 7), 0x0000FFu);
}

}  // namespace

// On a GL-capable window the card is the GL driver, with or without the device's context.
TEST_F(GlSmoke, TheVideoCardIsTheGlDriver) {
    platform::DisplayObject* display = layer::direct_draw.object->display;
    for (bool with_context : {true, false}) {
        if (!with_context) {
            platform::ReleaseGlContext();
        }
        platform::DisplayIdentifier identifier;
        ASSERT_EQ(platform::GetDeviceIdentifier(display, &identifier), platform::kDisplayOk);
        const platform::GlDescription gl = platform::DescribeGl();
        EXPECT_EQ(std::string(identifier.driver), gl.vendor) << with_context;
        EXPECT_EQ(std::string(identifier.description), gl.renderer + " " + gl.version);
        EXPECT_GE(identifier.version_high, 3u << 16 | 3u);
        std::uint32_t total = 0;
        std::uint32_t free = 0;
        ASSERT_EQ(platform::GetAvailableVideoMemory(display, &total, &free), platform::kDisplayOk);
        EXPECT_GT(total, 0u);
    }
}
