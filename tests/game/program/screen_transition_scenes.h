#pragma once

// The screen flash and the two kinds of transition half-way, started by their commands and
// setters and drawn by the frame's steps: the software route makes their goldens, the OpenGL
// route is compared with them.

#include <gtest/gtest.h>

#include <cstdint>

#include "game/core/database.h"
#include "game/core/screen_state.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/screen_commands.h"
#include "game/presentation/screen_effect_setters.h"
#include "game/program/screen_effects.h"
#include "layer/core/layer_api.h"
#include "tests/game/presentation/picture_fixture.h"

namespace test {

// The screen before: four coloured bands.
inline void DrawBandsBefore() {
    const int bands[] = {0xC04040, 0x40C040, 0x4040C0, 0xC0C040};
    for (int band = 0; band < 4; ++band)
        layer::PutBox(
            band * 160, 0, band * 160 + 160, 480,
            layer::RgbToPixel(bands[band] >> 16, (bands[band] >> 8) & 255, bands[band] & 255), 1);
}

// The screen after: dark with a light grid.
inline void DrawGridAfter() {
    layer::PutBox(0, 0, 640, 480, layer::RgbToPixel(20, 20, 30), 1);
    for (int x = 0; x < 640; x += 40)
        layer::PutBox(x, 0, x + 2, 480, layer::RgbToPixel(220, 220, 220), 1);
    for (int y = 0; y < 480; y += 40)
        layer::PutBox(0, y, 640, y + 2, layer::RgbToPixel(220, 220, 220), 1);
}

// The offscreen screens, the bands drawn and a diagonal rule image as transition graphic 0.
template <class Screens>
class ScreenTransitionOn : public PictureScreensOn<Screens> {
  protected:
    void SetUp() override {
        PictureScreensOn<Screens>::SetUp();
        game::RecreateOffscreenScreens(game::TheScreenState);
        DrawBandsBefore();
        this->WriteImage("rule.png", 640, 480, [](int x, int y) {
            const auto level = static_cast<std::uint32_t>((x + y) * 255 / 1119);
            return level << 16 | level << 8 | level;
        });
        game::SysDataBase.types.resize(12);
        game::SysDataBase.types[11].records = {game::DataBaseRecord{{}, {"rule.png"}}};
    }
    void TearDown() override {
        layer::RemoveGraph(game::TheScreenState.transitionImage, 0);
        PictureScreensOn<Screens>::TearDown();
    }
};

// Captures the screen, runs half of a 10-frame transition and draws it over the new screen.
inline RgbaImage TransitionHalfWay(int rule) {
    game::SetScreenTransition(game::TheScreenState, rule, 10, 0);
    game::EventInterpreter interpreter;
    EXPECT_EQ(game::PrepareTransition(interpreter), 1);
    EXPECT_EQ(game::ExecuteTransition(interpreter), 1);
    for (int update = 0; update < 5; ++update)
        game::CountDownTransition(game::TheScreenState);
    DrawGridAfter();
    game::DrawScreenTransition(game::TheScreenState);
    return BackScreenPicture(640, 480);
}

struct TransitionScene {
    const char* name;
    const char* golden;
    RgbaImage (*picture)();
};

inline constexpr TransitionScene kTransitionScenes[] = {
    {"AFlashHalfFaded", "game/presentation/screen-flash",
     [] {
         game::FlashScreen(game::TheMainInterpreter, 255, 255, 0, 9);
         for (int update = 0; update < 5; ++update)
             game::UpdateScreenToneAndFlash(game::TheMainInterpreter);
         game::DrawScreenFlash(game::TheMainInterpreter);
         return BackScreenPicture(640, 480);
     }},
    {"APlainFadeHalfWay", "game/presentation/plain-fade", [] { return TransitionHalfWay(-1); }},
    {"ARuleTransitionHalfWay", "game/presentation/rule-transition",
     [] { return TransitionHalfWay(0); }},
};

}  // namespace test
