// Goals: a busy game saved to bytes (snapshot, body and sealing, disk excluded) in 10 ms or
// less; the check of its file before a load (phase 1) in 10 ms or less; recording one frame's
// keys in 20 ns or less.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/game/map/demo_game_session.h"
#include "game/core/data_file_scrambler.h"
#include "game/core/database.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_change.h"
#include "game/map/map_state.h"
#include "game/presentation/picture_list.h"
#include "game/save/replay_recorder.h"
#include "game/save/save_cache.h"
#include "game/save/save_file.h"
#include "game/save/save_frame.h"
#include "game/save/save_state.h"

namespace {

constexpr int kVariablesPerSet = 5000;
constexpr int kStringVariables = 1000;
constexpr int kEventCopies = 15;
constexpr int kPictures = 40;
constexpr int kDataBaseRecords = 300;

// The demo's start map with its events repeated, every variable set and a thousand string
// variables filled, pictures of each kind mid-transition, a tone, and a changeable database of
// three hundred records of twenty numbers and five texts.
void MakeBusyGame() {
    game::ChangeMap(game::TheMapState, 0);
    std::vector<game::EventCharacter> crowd = game::TheMapState.eventCharacters;
    for (int copy = 1; copy < kEventCopies; ++copy)
        crowd.insert(crowd.end(), game::TheMapState.eventCharacters.begin(),
                     game::TheMapState.eventCharacters.end());
    game::TheMapState.eventCharacters = crowd;
    for (auto& set : game::TheVariableStore.variableSets) {
        set.resize(kVariablesPerSet);
        for (int i = 0; i < kVariablesPerSet; ++i)
            set[static_cast<std::size_t>(i)] = i * 7;
    }
    game::TheVariableStore.stringVariables.assign(kStringVariables, "a string variable text");
    game::TheMainInterpreter.ToneCurrent = {-40, 10, 20};
    game::ThePictureList.Pictures.clear();
    for (int n = 0; n < kPictures; ++n) {
        game::Picture picture(n);
        picture.IsStringPicture = n % 3 == 1 ? 1 : 0;
        picture.IsWindowPicture = n % 3 == 2 ? 1 : 0;
        picture.ImageName = "Picture\\sun.png";
        picture.Text.SourceText = "a picture's text";
        picture.Duration = 60;
        picture.Remaining = 30;
        game::ThePictureList.Pictures.push_back(picture);
    }
    game::ThePictureList.RebuildPictureHints();
    game::DataBaseType& type = game::CDataBase.types.at(0);
    type.contentCodes.clear();
    for (int c = 0; c < 20; ++c)
        type.contentCodes.push_back(1000 + c);
    for (int c = 0; c < 5; ++c)
        type.contentCodes.push_back(2000 + c);
    game::DataBaseRecord record;
    record.numbers.assign(20, 12345);
    record.strings.assign(5, "a record's text");
    type.records.assign(kDataBaseRecords, record);
}

void BM_SaveBusyGameToBytes(benchmark::State& state) {
    DemoGameSession session(state, "save-bench");
    if (!session.started())
        return;
    MakeBusyGame();
    game::SaveState save;
    std::size_t bytes = 0;
    for (auto _ : state) {
        game::SnapshotRunningGame(save);
        const std::vector<std::uint8_t> file =
            game::BuildSaveFile(save, game::kSaveFormatVersion, game::ChooseScrambleHeader(12345));
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveBusyGameToBytes)->Unit(benchmark::kMillisecond);

void BM_CheckBusySaveFile(benchmark::State& state) {
    DemoGameSession session(state, "load-bench");
    if (!session.started())
        return;
    MakeBusyGame();
    if (!game::WriteSaveFile(1, true, game::kDefaultSavePrefix)) {
        state.SkipWithError("the busy game cannot be saved");
        return;
    }
    for (auto _ : state) {
        if (!game::ReadSaveFile(1, true, false, game::kDefaultSavePrefix)) {
            state.SkipWithError("the busy save does not load");
            return;
        }
    }
}
BENCHMARK(BM_CheckBusySaveFile)->Unit(benchmark::kMillisecond);

void BM_RecordReplayFrame(benchmark::State& state) {
    game::ReplayRecorder recorder;
    game::ReplayKeys keys;
    std::uint32_t frame = 0;
    for (auto _ : state) {
        // A key held for a few frames, then another: runs of changing lengths.
        keys.right = (frame >> 3) & 1;
        keys.confirm = (frame >> 5) & 1;
        recorder.RecordReplayKeys(keys);
        ++frame;
    }
    benchmark::DoNotOptimize(recorder.Entries.data());
}
BENCHMARK(BM_RecordReplayFrame);

}  // namespace
