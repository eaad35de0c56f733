// The seeds of the data-file fuzz targets are written by our own writers. This test checks
// that the committed seeds are what the writers make today; QVARN_UPDATE_SEEDS=1 rewrites
// them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/core/common_event.h"
#include "game/core/game_info.h"
#include "game/core/game_ini.h"
#include "game/core/game_random.h"
#include "game/save/save_state.h"
#include "tests/fuzz/save_fuzz_game.h"
#include "tools/lib/command_list_builder.h"
#include "tools/lib/common_event_writer.h"
#include "tools/lib/database_writer.h"
#include "tools/lib/game_dat_writer.h"
#include "tools/lib/save_file_writer.h"
#include "tools/lib/theora_clip_writer.h"

namespace tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Seed {
    std::string target;
    std::string name;
    Bytes bytes;
};

game::CommonEvent SeedEvent(int number) {
    game::CommonEvent event;
    event.number = number;
    event.name = "seed";
    game::MoveRoute route;
    route.steps.push_back({3, {1, 2}, "go"});
    event.commands =
        CommandListBuilder().Add(101, {1}, {"\x95\x5C"}).AddRoute(201, {0}, route, 1).Build();
    event.selfVariableNames[0] = "self";
    return event;
}

game::DataBase SeedBase() {
    game::DataBase db;
    db.types.resize(2);
    db.typeDescs.resize(2);
    db.types[0].contentCodes = {1000, 2000};
    db.types[0].records = {{{5}, {"a"}}, {{6}, {"b"}}};
    db.types[1].nameSource = 2;
    db.typeDescs[0].contentNames = {"n", "s"};
    db.typeDescs[0].dataNames = {"x", "y"};
    db.typeDescs[0].contentDefaults = {3, 0};
    return db;
}

Bytes DataBasePair(const DataBaseFileOptions& options) {
    const Bytes dat = WriteDataBaseDat(SeedBase(), options);
    const Bytes project = WriteDataBaseProject(SeedBase(), options);
    Bytes pair;
    pair.reserve(4 + dat.size() + project.size());
    for (int i = 0; i < 4; ++i)
        pair.push_back(static_cast<std::uint8_t>(dat.size() >> (8 * i)));
    pair.insert(pair.end(), dat.begin(), dat.end());
    pair.insert(pair.end(), project.begin(), project.end());
    return pair;
}

// Saves of the fuzz game in several versions, plain and scrambled, one with recorded keys, and
// the damaged forms a load refuses: a flipped check byte, 200 bytes after the body, a file cut
// in half and another game's title.
std::vector<Seed> SaveFileSeeds() {
    game::SaveState state;
    state.variableStore.variableSets[0] = {1, -2, 3};
    state.variableStore.stringVariables = {"\x95\x5C"};
    state.mainInterpreter.PlaySeconds = 61;
    game::Picture picture(3);
    picture.IsStringPicture = 1;
    picture.Text.SourceText = "pic";
    state.pictureList.Pictures = {picture};
    state.changeableDataBase = fuzz::SaveFuzzDataBase();
    const std::vector<std::string> titles = game::TheGameInfo.gameStrings;
    game::TheGameInfo.gameStrings = {fuzz::kSaveFuzzTitle};
    // The variables' block saves the game random generator's state.
    game::GameRandomControl(static_cast<int>(game::RandomMode::kSet), 12345);
    const Bytes good = WriteSaveFileImage(state);
    Bytes checkFlipped = good;
    checkFlipped[2] ^= 1;
    Bytes trailing = good;
    trailing.insert(trailing.end(), 200, 0x55);
    std::vector<Seed> seeds = {
        {"save_file", "v111_scrambled.sav", good},
        {"save_file", "v111_plain.sav", WriteSaveFileImage(state, {111, {0, 0, 0}})},
        {"save_file", "v104_scrambled.sav", WriteSaveFileImage(state, {104, {0x21, 0x05, 0x40}})},
        {"save_file", "v96_plain.sav", WriteSaveFileImage(state, {96, {0, 0, 0}})},
        {"save_file", "replay.sav",
         PutReplayIntoSave(good, RecorderFromKeyScript("30 16\n250 0\n", 7))},
        {"save_file", "check_byte.sav", checkFlipped},
        {"save_file", "trailing_200.sav", trailing},
        {"save_file", "half.sav", Bytes(good.begin(), good.begin() + long(good.size() / 2))},
    };
    game::TheGameInfo.gameStrings = {"another game"};
    seeds.push_back({"save_file", "foreign_title.sav", WriteSaveFileImage(state)});
    game::TheGameInfo.gameStrings = titles;
    return seeds;
}

std::vector<Seed> Seeds() {
    GameDatContents game_dat;
    game_dat.flags = {32, 8, 8, 1, 60, 1};
    game_dat.strings = {"title", "", "", "font"};
    game_dat.values16 = {1, 2};
    game_dat.key = "secret";
    game_dat.keyShift = 4000;
    const std::vector<game::CommonEvent> events = {SeedEvent(0), SeedEvent(5)};
    const std::string ini = game::FormatGameIni(0, 1, 2);
    std::vector<Seed> seeds = {
        {"game_dat", "plain.dat", WriteGameDat(game_dat, {0, 0, 0})},
        {"game_dat", "scrambled.dat", WriteGameDat(game_dat, {0, 8, 6})},
        {"common_event_data", "layout8e.dat", WriteCommonEventData(events, 0x8E, {0, 0, 0})},
        {"common_event_data", "layout90.dat", WriteCommonEventData(events, 0x90, {0, 0, 0})},
        {"common_event_data", "layout91.dat", WriteCommonEventData(events, 0x91, {2, 3, 4})},
        {"common_file", "layout8f.common", WriteCommonEventFile(events, 0x8F)},
        {"common_file", "layout91.common", WriteCommonEventFile(events, 0x91)},
        {"database_pair", "c0_count_only.bin",
         DataBasePair({0xC0, DBTypeLayout::kCountOnly, {0, 0, 0}})},
        {"database_pair", "c1_minus_one.bin",
         DataBasePair({0xC1, DBTypeLayout::kMinusOne, {0, 0, 0}})},
        {"database_pair", "c1_name_source.bin",
         DataBasePair({0xC1, DBTypeLayout::kWithNameSource, {7, 0, 1}})},
        {"game_ini", "written.ini", Bytes(ini.begin(), ini.end())},
    };
    for (const NamedBytes& clip : TheoraClipSeeds()) {
        seeds.push_back({"theora_stream", clip.name, clip.bytes});
    }
    for (Seed& seed : SaveFileSeeds())
        seeds.push_back(std::move(seed));
    return seeds;
}

TEST(FuzzSeeds, AreWhatTheWritersMake) {
    const std::filesystem::path root = std::filesystem::path(QVARN_SOURCE_DIR) / "tests/fuzz/seeds";
    const char* update = std::getenv("QVARN_UPDATE_SEEDS");
    for (const Seed& seed : Seeds()) {
        const std::filesystem::path file = root / seed.target / seed.name;
        if (update != nullptr && std::string(update) == "1") {
            std::filesystem::create_directories(file.parent_path());
            std::ofstream(file, std::ios::binary)
                .write(reinterpret_cast<const char*>(seed.bytes.data()),
                       static_cast<std::streamsize>(seed.bytes.size()));
        }
        std::ifstream in(file, std::ios::binary);
        const Bytes committed((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
        EXPECT_EQ(committed, seed.bytes) << file;
    }
}

}  // namespace
}  // namespace tools
