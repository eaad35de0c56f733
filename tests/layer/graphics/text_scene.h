#pragma once

// The text scene both routes draw over the fake glyph source's fixed glyphs: plain, edged,
// anti-aliased and blended text, 80 x 84.

#include <gtest/gtest.h>

#include <cstdint>

#include "layer/core/layer_api.h"
#include "layer/graphics/draw_calls.h"
#include "layer/graphics/screen_colours.h"
#include "layer/media/font_record.h"
#include "layer/media/media_services.h"
#include "platform/fonts/fake_glyph_source.h"

namespace test {

// Every character a 6 x 8 glyph of grey levels 0..16 across.
inline void UseTextSceneGlyphs() {
    platform::ResetFakeGlyphs();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 6; ++x) {
            platform::FakeGlyphs().pixels.push_back(
                static_cast<std::uint8_t>(x == 0 || y == 7 ? 0 : (x * 3 + y) % 17));
        }
    }
    platform::UseGlyphSource(&platform::FakeGlyphSource());
}

// On a backdrop of (30, 60, 90): rows at 4, 24, 44 and 64.
inline void DrawTextScene() {
    layer::PutBox(0, 0, 640, 480, layer::RgbToPixel(30, 60, 90), 1);
    const int white = layer::RgbToPixel(255, 255, 255);
    const int red = layer::RgbToPixel(255, 0, 0);
    EXPECT_EQ(layer::PrintText(4, 4, "Text AB", white, 0), 0);
    const int edged =
        layer::CreateFontToHandle(nullptr, 16, -1, layer::kFontTypeEdge, -1, 1, 0, -1, -1);
    ASSERT_GE(edged, 0);
    EXPECT_EQ(layer::PrintTextWithFont(4, 24, "Edge", white, edged, red, 0), 0);
    const int smooth =
        layer::CreateFontToHandle(nullptr, 16, -1, layer::kFontTypeAntiAlias, -1, -1, 0, -1, -1);
    ASSERT_GE(smooth, 0);
    EXPECT_EQ(layer::PrintTextWithFont(4, 44, "Smooth", white, smooth, 0, 0), 0);
    layer::ChangeBlendMode(1, 128);
    EXPECT_EQ(layer::PrintText(4, 64, "Half", layer::RgbToPixel(255, 255, 0), 0), 0);
    layer::ChangeBlendMode(0, 0);
}

}  // namespace test
