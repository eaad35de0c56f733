// The music and background sound a map starts with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/database.h"
#include "game/map/map_state.h"
#include "game/map/map_update.h"
#include "game/presentation/pending_presentation_calls.h"

namespace game {
namespace {

struct Played {
    int kind;
    int number;
    bool operator==(const Played&) const = default;
};

struct MapSoundCase {
    const char* name;
    int music;
    int sound;
    std::vector<Played> played;
};

class MapSounds : public testing::TestWithParam<MapSoundCase> {
  protected:
    void TearDown() override {
        SysDataBase = DataBase();
        PlayedSounds.clear();
    }
};

// Map 1 of two rows with contents file, music and background sound; map 0 has others.
TEST_P(MapSounds, TheMapsRowChoosesMusicThenBackgroundSoundWithAFadeOfFive) {
    SysDataBase = DataBase();
    SysDataBase.types.resize(1);
    DataBaseType& type = SysDataBase.types[0];
    type.contentCodes = {2000, 1000, 1001};
    type.records = {{{7, 8}, {"Map\\a.mps"}},
                    {{GetParam().music, GetParam().sound}, {"Map\\b.mps"}}};
    MapState mapState;
    mapState.mapNumber = 1;
    PlayedSounds.clear();
    StartMapSounds(mapState);
    std::vector<Played> played;
    for (const PlayedSound& sound : PlayedSounds) {
        EXPECT_EQ(sound.fadeFrames, 5);
        EXPECT_EQ(sound.startMs, 0);
        played.push_back({sound.kind, sound.number});
    }
    EXPECT_EQ(played, GetParam().played);
}

INSTANTIATE_TEST_SUITE_P(Numbers, MapSounds,
                         testing::Values(MapSoundCase{"BothPlay", 3, 0, {{0, 3}, {1, 0}}},
                                         MapSoundCase{
                                             "MinusOneStopsBoth", -1, -1, {{0, -1}, {1, -1}}},
                                         MapSoundCase{"BelowMinusOnePlaysNothing", -2, -100, {}},
                                         MapSoundCase{"OnlyTheBackgroundSound", -5, 2, {{1, 2}}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace game
