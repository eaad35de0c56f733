#pragma once

#include "layer/graphics/graphics_services.h"
#include "platform/fonts/glyph_source.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/layer/graphics/software_screen_fixture.h"

namespace test {

// A fresh game state over the software screens (or another route's, given as `Screens`), with
// the real glyph source and the back screen filled green, so that what a test draws stands out
// from the ground.
template <class Screens>
class GameScreensOn : public Screens {
  protected:
    void SetUp() override {
        platform::UseGlyphSource(nullptr);
        Screens::SetUp();
        game::FreshGameState();
        layer::PutBox(0, 0, 640, 480, layer::RgbToPixel(40, 120, 60), 1);
    }
};

using GameScreens = GameScreensOn<SoftwareScreens>;

}  // namespace test
