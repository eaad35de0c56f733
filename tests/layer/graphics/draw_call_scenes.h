#pragma once

// The draw-call scenes of the pictures that both routes draw: the software route makes the
// goldens, the OpenGL route is compared with them.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "layer/graphics/draw_calls.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/graphics_services.h"
#include "tests/layer/graphics/graphics_fixture.h"

namespace test {

// A 32 x 24 picture: a colour ramp with a black (transparent) corner.
inline std::uint32_t Ramp(int x, int y) {
    if (x < 8 && y < 8) {
        return 0x000000;
    }
    return static_cast<std::uint32_t>(x * 8) << 16 | static_cast<std::uint32_t>(y * 10) << 8 | 0x60;
}

// An 8-bit blend picture: a horizontal ramp.
inline std::uint32_t BlendRamp(int x, int) {
    const auto level = static_cast<std::uint32_t>(x * 8);
    return level << 16 | level << 8 | level;
}

// A graph of the picture the function colours (0x00RRGGBB), texture-based when asked.
inline int PictureGraph(int width, int height, const std::function<std::uint32_t(int, int)>& at,
                        int want_texture) {
    const std::string file = Bmp24(width, height, at);
    return layer::CreateGraphFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0,
                                        want_texture, 0);
}

// A black graph whose left half has alpha 0 and right half alpha 255, texture-based when asked.
inline int HalfTransparentBlackGraph(int width, int height, int want_texture) {
    const std::string colour = Bmp24(width, height, [](int, int) { return 0x000000u; });
    // The alpha companion's red channel is the alpha.
    const std::string alpha =
        Bmp24(width, height, [width](int x, int) { return x < width / 2 ? 0x000000u : 0xFF0000u; });
    return layer::CreateGraphFromMemory(colour.data(), static_cast<int>(colour.size()),
                                        alpha.data(), static_cast<int>(alpha.size()), want_texture,
                                        0);
}

// That graph multiplied onto white, whole at (0, 0) and in part at (0, 8), 16 x 12: the
// multiplying mode ignores the source's alpha, so both halves of both draws come out black.
inline void DrawMultipliedHalfTransparentBlack(int graph) {
    layer::PutBox(0, 0, 16, 12, layer::RgbToPixel(255, 255, 255), 1);
    layer::SetBlendMode(4, 255);
    EXPECT_EQ(layer::PutGraph(0, 0, graph, 1), 0);
    EXPECT_EQ(layer::PutGraphPart(0, 8, 0, 0, 16, 4, graph, 1, 0), 0);
    layer::SetBlendMode(0, 0);
}

// Graphs made under mode word 1 are blend pictures.
inline int BlendRampGraph(int width, int height, int want_texture) {
    layer::SetNewGraphModeWord(1);
    const int graph = PictureGraph(width, height, BlendRamp, want_texture);
    layer::SetNewGraphModeWord(0);
    return graph;
}

// A grey backdrop, so that every blend mode shows.
inline void DrawBackdrop() {
    layer::PutBox(0, 0, 640, 480, layer::RgbToPixel(90, 90, 90), 1);
    layer::PutBox(0, 0, 640, 240, layer::RgbToPixel(200, 160, 40), 1);
}

struct ModeCase {
    int mode;
    int parameter;
};

constexpr ModeCase kSceneModes[] = {{0, 0},   {1, 128},  {2, 200}, {3, 160},
                                    {4, 255}, {10, 180}, {11, 150}};

// Every draw call of the ramp under every blend mode, a row each: 560 x 470.
inline void DrawEveryCallUnderEveryBlendMode(int ramp) {
    int row = 0;
    for (const ModeCase& mode : kSceneModes) {
        const int y = 8 + row * 66;
        layer::SetBlendMode(mode.mode, mode.parameter);
        EXPECT_EQ(layer::PutGraph(8, y, ramp, 1), 0);
        EXPECT_EQ(layer::PutGraph(48, y, ramp, 0), 0);
        EXPECT_EQ(layer::PutGraphStretched(88, y, 152, y + 48, ramp, 1), 0);
        EXPECT_EQ(layer::PutGraphMirrored(160, y, ramp, 1), 0);
        EXPECT_EQ(layer::PutGraphRotated(230, y + 24, 1.5, 0.5, ramp, 1, 0), 0);
        EXPECT_EQ(layer::PutGraphRotated(290, y + 24, 1.0, -0.8, ramp, 1, 1), 0);
        EXPECT_EQ(layer::PutGraphCorners(330, y, 380, y + 6, 372, y + 50, 326, y + 40, ramp, 1), 0);
        EXPECT_EQ(layer::PutGraphPart(400, y, 8, 4, 20, 16, ramp, 1, 0), 0);
        EXPECT_EQ(layer::PutGraphPart(430, y, 8, 4, 20, 16, ramp, 1, 1), 0);
        EXPECT_EQ(layer::PutBox(460, y, 500, y + 40, layer::RgbToPixel(40, 200, 250), 1), 0);
        EXPECT_EQ(layer::PutBox(510, y, 550, y + 40, layer::RgbToPixel(250, 250, 250), 0), 0);
        ++row;
    }
    layer::SetBlendMode(0, 0);
}

// Bright colour, reversed corners and boxes: 380 x 90, the blend image's draw at (210, 8).
inline void DrawShapes(int ramp, int blend) {
    layer::SetBrightRgb(255, 128, 64);
    layer::PutGraph(8, 8, ramp, 1);
    layer::PutGraphStretched(120, 8, 40, 72, ramp, 1);
    layer::PutGraphStretched(130, 72, 194, 8, ramp, 1);
    layer::SetBrightRgb(255, 255, 255);
    layer::SetBlendImage(blend, 128, 64);
    EXPECT_EQ(layer::PutGraph(210, 8, ramp, 0), 0);
    layer::SetBlendImage(-1, 0, 0);
    layer::PutBox(300, 60, 260, 10, layer::RgbToPixel(0, 255, 0), 1);
    layer::PutBox(320, 10, 360, 60, layer::RgbToPixel(255, 0, 255), 0);
}

// A scene both routes draw from a ramp graph and a blend graph, and its golden's name and size.
struct DrawCallScene {
    const char* name;
    const char* golden;
    int width;
    int height;
    void (*draw)(int ramp, int blend);
};

inline constexpr DrawCallScene kDrawCallScenes[] = {
    {"EveryCallUnderEveryBlendMode", "layer/graphics/draw_calls_blend_modes", 560, 470,
     [](int ramp, int) { DrawEveryCallUnderEveryBlendMode(ramp); }},
    {"Shapes", "layer/graphics/draw_calls_shapes", 380, 90, DrawShapes},
};

// The golden of a scene on a screen of the depth: 16-bit screens have goldens of their own.
inline std::string SceneGolden(const DrawCallScene& scene, int bits) {
    return bits == 16 ? std::string(scene.golden) + "_16" : std::string(scene.golden);
}

}  // namespace test
