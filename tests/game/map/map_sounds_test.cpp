// The music and background sound a map starts with, and what a transfer frees.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/database.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"
#include "game/map/map_update.h"
#include "game/presentation/sound_manager.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/support/sound_recorder.h"

namespace game {
namespace {

constexpr int kMusicHandle = 501;
constexpr int kBgsHandle = 502;
// The entry that plays before the map starts its own.
constexpr int kEarlierEntry = 9;

struct MapSoundCase {
    const char* name;
    int music;
    int sound;
    int musicAfter;
    int soundAfter;
};

class MapSounds : public testing::TestWithParam<MapSoundCase> {
  protected:
    void SetUp() override {
        SysDataBase = DataBase();
        SysDataBase.types.resize(4);
        for (int type = 1; type <= 3; ++type) {
            DataBaseType& list = SysDataBase.types[static_cast<std::size_t>(type)];
            list.contentCodes = {2000, 1000, 1001, 1002};
            list.records.assign(12, DataBaseRecord{{0, 0, 0}, {""}});
        }
        TheScreenState.loadedSoundListSizes = {2, 2, 2};
        TheScreenState.nextSpareSound = {0, 0, 0};
        TheMainInterpreter = MainInterpreter();
        TheSoundManager = SoundManager();
    }
    void TearDown() override {
        TheSoundManager = SoundManager();
        SysDataBase = DataBase();
        TheMainInterpreter = MainInterpreter();
    }

    // Map 1's row: file, music, background sound, and the two sound files by name.
    static void SetMapRow(int music, int sound, const std::string& musicFile = "") {
        DataBaseType& type = SysDataBase.types[0];
        type.contentCodes = {2000, 1000, 1001, 1002, 1003, 2001, 2002};
        type.records = {{{7, 8, 0, 0}, {"Map\\a.mps", "", ""}},
                        {{music, sound, 0, 0}, {"Map\\b.mps", musicFile, ""}}};
    }

    test::SoundRecorder sounds_;
};

// Each kind plays the entry 0 or 1 that the row names; -1 stops it; below -1 (but -3) the
// earlier entry goes on.
TEST_P(MapSounds, TheMapsRowChoosesMusicThenBackgroundSoundWithAFadeOfFive) {
    SetMapRow(GetParam().music, GetParam().sound);
    TheMainInterpreter.CurrentMusicNumber = kEarlierEntry;
    TheMainInterpreter.CurrentBgsNumber = kEarlierEntry;
    TheSoundManager.Handles[0][GetParam().music] = kMusicHandle;
    TheSoundManager.Handles[1][GetParam().sound] = kBgsHandle;
    MapState mapState;
    mapState.mapNumber = 1;
    StartMapSounds(mapState);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, GetParam().musicAfter);
    EXPECT_EQ(TheMainInterpreter.CurrentBgsNumber, GetParam().soundAfter);
    const auto started = [](int after) { return after >= 0 && after != kEarlierEntry; };
    std::vector<std::string> starts;
    if (started(GetParam().musicAfter))
        starts.push_back("StartSound(501,3,1)");
    if (started(GetParam().soundAfter))
        starts.push_back("StartSound(502,3,1)");
    EXPECT_EQ(sounds_.CallsNamed({"StartSound"}), starts);
    if (GetParam().musicAfter != kEarlierEntry) {
        EXPECT_EQ(TheSoundManager.MusicFadeLength, 6);
    }
    if (GetParam().soundAfter != kEarlierEntry) {
        EXPECT_EQ(TheSoundManager.BgsFadeLength, 6);
    }
}

INSTANTIATE_TEST_SUITE_P(Numbers, MapSounds,
                         testing::Values(MapSoundCase{"BothPlay", 1, 0, 1, 0},
                                         MapSoundCase{"MinusOneStopsBoth", -1, -1, -1, -1},
                                         MapSoundCase{"BelowMinusOnePlaysNothing", -2, -100,
                                                      kEarlierEntry, kEarlierEntry},
                                         MapSoundCase{"OnlyTheBackgroundSound", -5, 1,
                                                      kEarlierEntry, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MapSounds, AMinusThreeRowPlaysItsFileFromASpareEntry) {
    GameFolderScope folder;
    folder.Write("Data/bgm.ogg", {1, 2, 3, 4});
    SetMapRow(-3, -1, "bgm.ogg");
    MapState mapState;
    mapState.mapNumber = 1;
    StartMapSounds(mapState);
    EXPECT_EQ(TheMainInterpreter.CurrentMusicNumber, 2) << "the first spare entry";
    EXPECT_EQ(SysDataBase.ReadDBString(1, 2, 0), "Data\\bgm.ogg");
    EXPECT_EQ(TheScreenState.nextSpareSound[0], 1);
    EXPECT_EQ(sounds_.CallsNamed({"LoadSoundFromMemorySingle", "StartSound"}),
              (std::vector<std::string>{"LoadSoundFromMemorySingle(4,-1)", "StartSound(101,3,1)"}));
    EXPECT_EQ(TheSoundManager.GetOggLengthAdjustment(0), -1000);
}

TEST_F(MapSounds, ReleasingUnusedSoundsKeepsPlayingAndQueuedHandles) {
    TheSoundManager.Handles[0][0] = 11;
    TheSoundManager.Handles[1][1] = 12;
    TheSoundManager.Handles[2][0] = 13;
    TheSoundManager.Handles[2][1] = 14;
    TheSoundManager.EffectQueue = {{14}, {-1}, {1}};
    SoundFileHandles["Data\\x.wav"] = 15;
    sounds_.Playing() = {12};
    TheSoundManager.ReleaseUnusedSounds(false);
    EXPECT_EQ(sounds_.CallsNamed({"RemoveSound"}),
              (std::vector<std::string>{"RemoveSound(11,0)", "RemoveSound(13,0)"}));
    EXPECT_EQ(TheSoundManager.Handles[0][0], 0);
    EXPECT_EQ(TheSoundManager.Handles[1][1], 12);
    EXPECT_EQ(TheSoundManager.Handles[2][1], 14);
    EXPECT_TRUE(SoundFileHandles.empty());
}

}  // namespace
}  // namespace game
