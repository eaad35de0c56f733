#include "game/program/debug_panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/database.h"
#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/map/image_cache.h"
#include "game/map/map_state.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/sound_manager.h"
#include "game/program/debug_overlay.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/game_screen_fixture.h"

namespace game {
namespace {

class DebugPanel : public test::GameScreens {
  protected:
    void SetUp() override {
        test::GameScreens::SetUp();
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
        LoadSounds();
    }

    // Three sound lists of two listed entries and a spare: three listed entries hold handles,
    // one is not loaded, a spare entry holds a sound loaded by file name and one file failed.
    static void LoadSounds() {
        SysDataBase.types.resize(4);
        const std::vector<std::vector<std::string>> files = {
            {"BGM\\Tune.ogg", "BGM\\Loop.mid", ""},
            {"BGS\\Wind.ogg", "BGS\\Rain.wav", ""},
            {"SE\\Decide.wav", "SE\\Cursor.wav", ""}};
        for (int kind = 0; kind < 3; ++kind) {
            DataBaseType& list = SysDataBase.types[static_cast<std::size_t>(kind + 1)];
            list.contentCodes = {2000, 1000, 1001, 1002};
            list.records.clear();
            for (const std::string& file : files[static_cast<std::size_t>(kind)])
                list.records.push_back(DataBaseRecord{{100, 100, 0}, {file}});
        }
        TheScreenState.loadedSoundListSizes = {2, 2, 2};
        TheSoundManager.Handles = {NumberHandleMap{{0, 101}, {2, 104}},
                                   NumberHandleMap{{0, 0}, {1, 102}}, NumberHandleMap{{0, 103}}};
        SoundFileHandles = {{"Data\\BGM\\Extra.ogg", 104}, {"Data\\SE\\Gone.wav", -1}};
    }
    void TearDown() override {
        TheImageCache = ImageCache();
        ThePictureImageCache = {};
        ThePictureList = PictureList();
        TestPlayMode = 0;
        SoundFileHandles.clear();
        FreshGameState();
        layer::SetStandardFontSize(16);
        SoftwareScreens::TearDown();
    }
};

TEST_F(DebugPanel, ListsThePicturesSoundsCachedImagesAndRunningParallelEvents) {
    DrawDebugPanel();
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 640, 480),
                                    "game/core/debug-panel"));
}

TEST_F(DebugPanel, CountsAndNamesTheListedAndTheFileNamedSounds) {
    EXPECT_EQ(CountLoadedSounds(TheSoundManager), 3);
    EXPECT_EQ(LoadedSoundNames(TheSoundManager),
              (std::vector<std::string>{"BGM\\Tune.ogg", "BGS\\Rain.wav", "SE\\Decide.wav",
                                        "Data\\BGM\\Extra.ogg"}));
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
