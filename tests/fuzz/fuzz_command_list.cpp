// A flag byte, then bytes as a stored command list (a count and the commands): the list runs
// as common event 0 for a few frames, prepared by the load-time pre-pass when flag bit 0 is
// set, for 1 to 4 frames by bits 1 and 2, on a loaded 20 x 15 map with two events and two
// tile sets. Files the list writes stay in a scratch folder. The work of the input's lines in
// all interpreters together is bounded by a budget of the harness.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "game/core/data_file_buffer.h"
#include "game/core/error_box.h"
#include "game/core/event_record_io.h"
#include "game/core/game_folder.h"
#include "game/core/system_message_box.h"
#include "game/core/variable_store.h"
#include "game/interpreter/common_event_prepass.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/run_interpreter.h"
#include "game/map/map_change.h"
#include "platform/game_path.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/map/map_state_fixture.h"

namespace {

// Bounds that keep one input fast: lines of the list, and targets of a variable range,
// whose 2^31 targets would take minutes while proving nothing more than a thousand.
constexpr std::int32_t kMaxLines = 256;
constexpr std::int32_t kMaxRangeTargets = 1000;
constexpr std::int32_t kVariableOperation = 121;
constexpr std::size_t kRangeArgument = 5;
// Work one input may do in all its interpreters together, called events included (each
// counts its own steps, so a loop calling a long event could run for hours). A line costs one
// unit and one more per 64 bytes of string variables, since text commands work on whole texts that
// may grow to a MiB. Past the budget every interpreter stops as after a load, the running one
// at its next line. The budget keeps a unit within a second, below the frame's step cap,
// which the interpreter's own tests reach. Texts that expand their own references build
// large texts only while a line runs, so a processor-time limit bounds the input as well.
constexpr std::uint64_t kWorkBudget = 10000;
constexpr std::size_t kBytesPerUnit = 64;
constexpr std::clock_t kTimeBudget = CLOCKS_PER_SEC / 2;

std::uint64_t work_done = 0;
std::clock_t started = 0;

std::size_t StringBytes() {
    std::size_t bytes = 0;
    for (const std::string& text : game::TheVariableStore.stringVariables)
        bytes += text.size();
    for (const auto& texts : game::TheVariableStore.commonStrings) {
        for (const std::string& text : texts)
            bytes += text.size();
    }
    return bytes;
}

bool CountLine() {
    work_done += 1 + StringBytes() / kBytesPerUnit;
    if (work_done <= kWorkBudget && std::clock() - started <= kTimeBudget)
        return true;
    game::SaveLoadedThisFrame = 1;
    return false;
}

game::MessageBoxResult Silent(std::string_view, std::string_view, game::MessageBoxButtons) {
    return game::MessageBoxResult::kOk;
}

void UseScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "fuzz_command_list_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return std::filesystem::path(pattern);
    }();
    platform::SetCurrentDiskFolder(folder.string());
    game::GameFolder = platform::DiskPathToGamePath(folder.string()) + "\\";
}

// The map-side commands' ground: tiles, tile sets to change to, and events to address.
void LoadFixtureMap() {
    game::MapState& map = game::TheMapState;
    map = game::MakeLoadedMap(20, 15, 0);
    map.tileSetList.sets.assign(2, game::TileSet{});
    map.tileSetList.sets[1].attributes.assign(32, game::kAboveCharacters);
    map.tileSetList.sets[1].tags.assign(32, 3);
    game::TakeTileSet(map, 0);
    for (int number : {0, 1}) {
        game::MapEvent event(number);
        map.mapData.events.push_back(event);
        game::PlaceCharacter(map.eventCharacters.emplace_back(1, event), 4 + 6 * number, 6, 1);
    }
}

void FreshState() {
    game::FreshGameState();
    game::TheScreenState.SceneNumber = 1;
    game::TheVariableStore.variableSets[0].resize(100);
    game::TheVariableStore.stringVariables.resize(20);
    LoadFixtureMap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    game::SetMessageBoxSink(&Silent);
    game::SetErrorBoxSink([](std::string_view, std::string_view, std::string_view) {});
    game::SetDispatchLineHook(&CountLine);
    work_done = 0;
    started = std::clock();
    game::SaveLoadedThisFrame = 0;
    UseScratchFolder();
    FreshState();
    game::DataFileBuffer cursor(std::vector<std::uint8_t>(data + 1, data + size));
    const std::int32_t count = std::min(cursor.ReadDataInt(), kMaxLines);
    std::vector<game::EventCommand> commands;
    if (!game::ReadCommandList(cursor, count, commands))
        return 0;
    for (game::EventCommand& line : commands) {
        if (line.args[0] == kVariableOperation && line.args.size() > kRangeArgument)
            line.args[kRangeArgument] = std::min(line.args[kRangeArgument], kMaxRangeTargets);
    }
    game::CommonEvents.events[0].commands = std::move(commands);
    if ((data[0] & 1) != 0)
        game::LinkCommonEventCommands();

    game::EventInterpreter interpreter;
    interpreter.SetUpInterpreter(0, false);
    interpreter.StartInterpreter(game::CommandListRef::Common(0), -1, 0);
    const int frames = 1 + ((data[0] >> 1) & 3);
    for (int frame = 0; frame < frames; ++frame)
        game::RunInterpreter(interpreter);
    return 0;
}
