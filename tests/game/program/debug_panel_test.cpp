#include "game/program/debug_panel.h"

#include <gtest/gtest.h>

#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/map/image_cache.h"
#include "game/map/map_state.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_list.h"
#include "game/program/debug_overlay.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/game_screen_fixture.h"

namespace game {
namespace {

class DebugPanel : public test::GameScreens {
  protected:
    void SetUp() override {
        GameScreens::SetUp();
        TheImageCache.names = {{"CharaChip\\hero.png", 1}, {"MapChip\\town.png", 0}};
        TheImageCache.handles.resize(2);
        // Common events 0 to 39, every other one running.
        for (int event = 0; event < 40; ++event) {
            ParallelCommonEvent parallel(event);
            if (event % 2 == 1)
                parallel.interpreters.emplace_back();
            TheMapState.parallelCommonEvents.push_back(parallel);
        }
        // Two loaded picture images and thirteen pictures: the numbers take two lines.
        ThePictureImageCache.entries.resize(2);
        ThePictureImageCache.entries[0].name = "Picture\\title.png";
        ThePictureImageCache.entries[1].name = "Picture\\cells.png";
        ThePictureList = PictureList();
        for (const int number : {-100000, -1, 0, 1, 2, 3, 4, 5, 6, 7, 50, 99999, 100000})
            ThePictureList.Pictures.emplace_back(number);
    }
    void TearDown() override {
        TheImageCache = ImageCache();
        ThePictureImageCache = {};
        ThePictureList = PictureList();
        TestPlayMode = 0;
        FreshGameState();
        layer::SetStandardFontSize(16);
        SoftwareScreens::TearDown();
    }
};

TEST_F(DebugPanel, ListsThePicturesTheCachedImagesAndTheRunningParallelEvents) {
    DrawDebugPanel();
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 640, 480),
                                    "game/core/debug-panel"));
}

TEST_F(DebugPanel, IsDrawnOnlyInTestPlayWhileF8IsHeld) {
    struct PanelCase {
        int testPlay;
        int f8Held;
        bool drawn;
    };
    for (const PanelCase& panel :
         {PanelCase{1, 1, true}, PanelCase{1, 0, false}, PanelCase{0, 1, false}}) {
        layer::PutBox(0, 0, 640, 480, layer::RgbToPixel(40, 120, 60), 1);
        TestPlayMode = panel.testPlay;
        TheInputState.f8Held = static_cast<std::uint8_t>(panel.f8Held);
        DrawDebugOverlay();
        EXPECT_EQ(BackPixel(5, 200) != 0x28783C, panel.drawn)
            << panel.testPlay << " " << panel.f8Held;
    }
}

}  // namespace
}  // namespace game
