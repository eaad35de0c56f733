// The string draw calls through fake graphics services on a software screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "layer/core/window_state.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/mask_screen.h"
#include "layer/media/font_system.h"
#include "tests/layer/media/font_fixture.h"

namespace {

using test::FontTest;

bool AnyPixelSet(const layer::MEMIMG& image) {
    const std::uint8_t* begin = image.Pixels;
    const std::uint8_t* end = begin + image.Body->Pitch * image.Body->Height;
    return std::any_of(begin, end, [](std::uint8_t byte) { return byte != 0; });
}

// Mask drawing stays requested after the draw settings' reset, but with no mask screen it is
// never in effect: the text goes to the screen, not to a mask that does not exist.
TEST_F(FontTest, RequestedMaskDrawingWithoutMaskScreenDrawsOnTheScreen) {
    layer::window_state.active = 1;
    layer::ResetMaskState();
    ASSERT_EQ(layer::IsMaskDrawingOn(), 1);
    const layer::DrawSettings saved = layer::draw_settings;
    layer::draw_settings.draw_area = {0, 0, 640, 480};
    layer::draw_settings.area_empty = 0;
    const int handle = MakeFont(0);
    ASSERT_NE(handle, -1);
    EXPECT_EQ(layer::DrawFontString(4, 4, "AB", 0xFFFFFF, handle, 0, 0), 0);
    EXPECT_TRUE(AnyPixelSet(test::TextGraphics().back));
    EXPECT_EQ(std::count(test::TextGraphics().calls.begin(), test::TextGraphics().calls.end(),
                         "masked_rect"),
              0);
    layer::draw_settings = saved;
}

}  // namespace
