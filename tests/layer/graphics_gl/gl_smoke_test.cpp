#include <gtest/gtest.h>

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

}  // namespace
