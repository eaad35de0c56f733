// The screen flash and the two kinds of transition half-way, started by their commands and
// setters and drawn by the frame's steps, compared with golden pictures of our own output.
#include <gtest/gtest.h>

#include "game/core/database.h"
#include "game/core/screen_state.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/screen_commands.h"
#include "game/presentation/screen_effect_setters.h"
#include "game/program/screen_effects.h"
#include "layer/core/layer_api.h"
#include "tests/game/presentation/picture_fixture.h"

namespace game {
namespace {

class ScreenTransitionGolden : public test::PictureScreens {
  protected:
    void SetUp() override {
        test::PictureScreens::SetUp();
        RecreateOffscreenScreens(TheScreenState);
        DrawBefore();
        WriteImage("rule.png", 640, 480, [](int x, int y) {
            const auto level = static_cast<std::uint32_t>((x + y) * 255 / 1119);
            return level << 16 | level << 8 | level;
        });
        SysDataBase.types.resize(12);
        SysDataBase.types[11].records = {DataBaseRecord{{}, {"rule.png"}}};
    }
    void TearDown() override {
        layer::RemoveGraph(TheScreenState.transitionImage, 0);
        test::PictureScreens::TearDown();
    }

    // The screen before: four coloured bands.
    static void DrawBefore() {
        const int bands[] = {0xC04040, 0x40C040, 0x4040C0, 0xC0C040};
        for (int band = 0; band < 4; ++band)
            layer::PutBox(
                band * 160, 0, band * 160 + 160, 480,
                layer::RgbToPixel(bands[band] >> 16, (bands[band] >> 8) & 255, bands[band] & 255),
                1);
    }

    // The screen after: dark with a light grid.
    static void DrawAfter() {
        layer::PutBox(0, 0, 640, 480, layer::RgbToPixel(20, 20, 30), 1);
        for (int x = 0; x < 640; x += 40)
            layer::PutBox(x, 0, x + 2, 480, layer::RgbToPixel(220, 220, 220), 1);
        for (int y = 0; y < 480; y += 40)
            layer::PutBox(0, y, 640, y + 2, layer::RgbToPixel(220, 220, 220), 1);
    }

    // Captures the screen, runs half of a 10-frame transition and draws it over the new
    // screen.
    static test::RgbaImage HalfWay(int rule) {
        SetScreenTransition(TheScreenState, rule, 10, 0);
        EventInterpreter interpreter;
        EXPECT_EQ(PrepareTransition(interpreter), 1);
        EXPECT_EQ(ExecuteTransition(interpreter), 1);
        for (int update = 0; update < 5; ++update)
            CountDownTransition(TheScreenState);
        DrawAfter();
        DrawScreenTransition(TheScreenState);
        return Picture(layer::direct_draw.back_image, 640, 480);
    }
};

TEST_F(ScreenTransitionGolden, AFlashHalfFaded) {
    FlashScreen(TheMainInterpreter, 255, 255, 0, 9);
    for (int update = 0; update < 5; ++update)
        UpdateScreenToneAndFlash(TheMainInterpreter);
    DrawScreenFlash(TheMainInterpreter);
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 640, 480),
                                    "game/presentation/screen-flash"));
}

TEST_F(ScreenTransitionGolden, APlainFadeHalfWay) {
    EXPECT_TRUE(test::MatchesGolden(HalfWay(-1), "game/presentation/plain-fade"));
}

TEST_F(ScreenTransitionGolden, ARuleTransitionHalfWay) {
    EXPECT_TRUE(test::MatchesGolden(HalfWay(0), "game/presentation/rule-transition"));
}

}  // namespace
}  // namespace game
