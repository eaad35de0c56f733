// Quads and triangles of the 2D routes: one picture drawn on the software back screen and over
// the display surfaces, the clipping at the screen's edges, and the shapes that draw nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "layer/graphics/display_side.h"
#include "layer/graphics/draw_routes_2d.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/screen_colours.h"
#include "layer/softrender/blend_tables.h"
#include "platform/display.h"
#include "tests/layer/graphics/graphics_fixture.h"
#include "tests/layer/graphics/software_screen_fixture.h"

namespace {

constexpr int kSceneWidth = 200;
constexpr int kSceneHeight = 120;

// A 32 x 24 picture: a colour ramp with a black (transparent) corner.
std::uint32_t Ramp(int x, int y) {
    if (x < 8 && y < 8) {
        return 0x000000;
    }
    return static_cast<std::uint32_t>(x * 8) << 16 | static_cast<std::uint32_t>(y * 10) << 8 | 0x60;
}

int RampGraph() {
    const std::string file = test::Bmp24(32, 24, Ramp);
    return layer::CreateGraphFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0, 0,
                                        0);
}

std::uint32_t ScreenColour(int red, int green, int blue) {
    return static_cast<std::uint32_t>(layer::RgbToPixel(red, green, blue));
}

// Every kind of quad and triangle on a two-tone backdrop; the last two cross the screen's
// left and top edges and the draw area's right and bottom edges.
void DrawScene(int graph_handle) {
    layer::GraphRecord* graph = layer::GetGraphRecord(graph_handle);
    layer::PutBox(0, 0, kSceneWidth, kSceneHeight, layer::RgbToPixel(90, 90, 90), 1);
    layer::PutBox(0, 0, kSceneWidth, kSceneHeight / 2, layer::RgbToPixel(200, 160, 40), 1);
    const int skewed[8] = {10, 8, 60, 14, 6, 50, 58, 56};
    EXPECT_EQ(layer::DrawQuad2D(skewed, graph, 1), 0);
    layer::SetBlendMode(1, 128);
    const int translucent[8] = {70, 8, 120, 8, 70, 40, 130, 56};
    EXPECT_EQ(layer::DrawQuad2D(translucent, graph, 0), 0);
    layer::SetBlendMode(2, 200);
    const int additive[8] = {20, 62, 70, 62, 20, 110, 70, 110};
    EXPECT_EQ(layer::DrawQuad2D(additive, graph, 1), 0);
    layer::SetBlendMode(0, 0);
    const layer::MemImgVertex part[3] = {{140, 10, 8, 0}, {190, 20, 31, 12}, {150, 56, 0, 23}};
    EXPECT_EQ(layer::DrawTriangle2D(part, graph, 1, 0), 0);
    const layer::MemImgVertex filled[3] = {{80, 66, 0, 0}, {130, 70, 0, 0}, {100, 112, 0, 0}};
    EXPECT_EQ(layer::DrawTriangle2D(filled, nullptr, 0, ScreenColour(40, 200, 250)), 0);
    layer::SetBlendMode(1, 100);
    const layer::MemImgVertex faded[3] = {{90, 60, 0, 0}, {150, 80, 0, 0}, {120, 100, 0, 0}};
    EXPECT_EQ(layer::DrawTriangle2D(faded, nullptr, 0, ScreenColour(250, 250, 250)), 0);
    layer::SetBlendMode(0, 0);
    const layer::MemImgVertex left_top[3] = {{-20, -12, 0, 0}, {30, -4, 31, 0}, {-6, 40, 0, 23}};
    EXPECT_EQ(layer::DrawTriangle2D(left_top, graph, 0, 0), 0);
    layer::SetDrawClipRect(0, 0, kSceneWidth, kSceneHeight);
    const layer::MemImgVertex right_bottom[3] = {
        {160, 76, 0, 0}, {240, 100, 0, 0}, {176, 150, 0, 0}};
    EXPECT_EQ(layer::DrawTriangle2D(right_bottom, nullptr, 0, ScreenColour(240, 40, 90)), 0);
    layer::SetDrawClipRect(0, 0, 640, 480);
}

class SoftwareTriangles : public test::SoftwareScreens {
  protected:
    void SetUp() override {
        SoftwareScreens::SetUp();
        ramp_ = RampGraph();
        ASSERT_GE(ramp_, 0);
        graph_ = layer::GetGraphRecord(ramp_);
    }

    test::RgbaImage Scene() const { return Picture(layer::direct_draw.back_image, 640, 480); }

    int ramp_ = -1;
    layer::GraphRecord* graph_ = nullptr;
};

TEST_F(SoftwareTriangles, QuadsAndTrianglesOfEveryKind) {
    DrawScene(ramp_);
    EXPECT_TRUE(
        test::MatchesGolden(Picture(layer::direct_draw.back_image, kSceneWidth, kSceneHeight),
                            "layer/graphics/quads_and_triangles"));
}

// The corners of the integer quad are in the renderer's order; the float quad's go round.
TEST_F(SoftwareTriangles, QuadMatchesTheFourCornerDraw) {
    const int corners[8] = {30, 20, 90, 30, 24, 80, 100, 70};
    EXPECT_EQ(layer::DrawQuad2D(corners, graph_, 1), 0);
    const test::RgbaImage quad = Scene();
    layer::PutBox(0, 0, 640, 480, 0, 1);
    const float round[8] = {30, 20, 90, 30, 100, 70, 24, 80};
    EXPECT_EQ(layer::DrawQuadFloat2D(round, graph_, 1), 0);
    EXPECT_EQ(Scene().pixels, quad.pixels);
}

TEST_F(SoftwareTriangles, CrossingTheScreensFarCornerFillsUpToIt) {
    const std::uint32_t red = ScreenColour(255, 0, 0);
    const layer::MemImgVertex corner[3] = {{600, 440, 0, 0}, {700, 450, 0, 0}, {620, 520, 0, 0}};
    EXPECT_EQ(layer::DrawTriangle2D(corner, nullptr, 0, red), 0);
    EXPECT_EQ(BackPixel(639, 460), red & 0xFFFFFFu);
    EXPECT_EQ(BackPixel(625, 479), red & 0xFFFFFFu);
}

struct EmptyCase {
    const char* label;
    layer::MemImgVertex vertices[3];
};

// None of these covers a pixel: no area, or a vertex beyond what the renderer takes.
constexpr EmptyCase kEmptyTriangles[] = {
    {"OnePoint", {{50, 50, 0, 0}, {50, 50, 31, 0}, {50, 50, 0, 23}}},
    {"OnALine", {{10, 10, 0, 0}, {60, 35, 31, 0}, {110, 60, 0, 23}}},
    {"FlatRow", {{10, 40, 0, 0}, {90, 40, 31, 0}, {50, 40, 0, 23}}},
    {"FarAway",
     {{std::numeric_limits<int>::max(), 10, 0, 0},
      {60, std::numeric_limits<int>::max(), 31, 0},
      {10, 60, 0, 23}}},
};

TEST_F(SoftwareTriangles, ShapesWithoutAreaDrawNothing) {
    const test::RgbaImage before = Scene();
    for (const EmptyCase& shape : kEmptyTriangles) {
        EXPECT_EQ(layer::DrawTriangle2D(shape.vertices, graph_, 0, 0), 0) << shape.label;
        EXPECT_EQ(layer::DrawTriangle2D(shape.vertices, nullptr, 0, ScreenColour(255, 255, 255)), 0)
            << shape.label;
    }
    const int point[8] = {40, 40, 40, 40, 40, 40, 40, 40};
    EXPECT_EQ(layer::DrawQuad2D(point, graph_, 0), 0);
    EXPECT_EQ(Scene().pixels, before.pixels);
}

TEST_F(SoftwareTriangles, GraphWithoutSurfaceIsRefused) {
    layer::GraphRecord empty = *graph_;
    empty.TileCount = 0;
    const int corners[8] = {0, 0, 10, 0, 0, 10, 10, 10};
    EXPECT_EQ(layer::DrawQuad2D(corners, &empty, 0), -1);
    EXPECT_EQ(layer::DrawQuad2D(corners, nullptr, 0), -1);
    const layer::MemImgVertex triangle[3] = {{0, 0, 0, 0}, {10, 0, 0, 0}, {0, 10, 0, 0}};
    EXPECT_EQ(layer::DrawTriangle2D(triangle, &empty, 0, 0), -1);
}

// The same draws over the display stand-in: the renderer works on the locked surfaces.
class DisplayTriangles : public testing::Test {
  protected:
    void SetUp() override { Start(platform::ForcedDisplayFormat::kNone); }
    void TearDown() override { Stop(); }

    static void Start(platform::ForcedDisplayFormat format) {
        test::StartDisplayScreens(format, 1);
    }
    static void Stop() {
        layer::ReleaseMainSurfaces();
        test::StopGraphics();
        layer::window_state.window_mode = 0;
    }

    // The colour a translucent fill leaves on a blue backdrop.
    static std::uint32_t TranslucentFillOn(platform::ForcedDisplayFormat format) {
        Stop();
        Start(format);
        layer::PutBox(0, 0, 64, 64, layer::RgbToPixel(40, 80, 160), 1);
        layer::SetBlendMode(1, 128);
        const layer::MemImgVertex triangle[3] = {{4, 4, 0, 0}, {60, 4, 0, 0}, {4, 60, 0, 0}};
        layer::DrawTriangle2D(triangle, nullptr, 0, ScreenColour(248, 248, 0));
        const test::RgbaImage picture = test::BackScreenPicture(64, 64);
        const std::uint8_t* at = &picture.pixels[(10 * 64 + 10) * 4];
        return static_cast<std::uint32_t>(at[0] << 16 | at[1] << 8 | at[2]);
    }
};

TEST_F(DisplayTriangles, SamePictureAsTheSoftwareScreen) {
    const int ramp = RampGraph();
    ASSERT_GE(ramp, 0);
    DrawScene(ramp);
    EXPECT_TRUE(test::MatchesGolden(test::BackScreenPicture(kSceneWidth, kSceneHeight),
                                    "layer/graphics/quads_and_triangles"));
}

TEST_F(DisplayTriangles, OutsideTheDrawAreaIsRefusedWithoutALock) {
    const int ramp = RampGraph();
    platform::RecordDisplayCalls(true);
    const layer::MemImgVertex outside[3] = {{700, 10, 0, 0}, {760, 10, 31, 0}, {700, 60, 0, 23}};
    EXPECT_EQ(layer::DrawTriangle2D(outside, layer::GetGraphRecord(ramp), 0, 0), -1);
    const int beyond[8] = {-90, -90, -40, -90, -90, -40, -40, -40};
    EXPECT_EQ(layer::DrawQuad2D(beyond, layer::GetGraphRecord(ramp), 0), -1);
    for (const std::string& call : platform::DisplayCallLog()) {
        EXPECT_NE(call, "LockSurface");
    }
    platform::RecordDisplayCalls(false);
}

// The fill colour is a pixel of the screen: on a 5-5-5 screen it is converted with the
// destination, so the colours are those of the 5-6-5 screen.
TEST_F(DisplayTriangles, FillColourFollowsAConvertingScreen) {
    const std::uint32_t drawn = TranslucentFillOn(platform::ForcedDisplayFormat::kX1R5G5B5);
    const std::uint32_t expected = TranslucentFillOn(platform::ForcedDisplayFormat::kR5G6B5);
    EXPECT_EQ(drawn >> 19, expected >> 19);
    EXPECT_EQ(drawn & 0xF8, expected & 0xF8);
    EXPECT_GT(drawn >> 16, 0x80u);
}

}  // namespace
