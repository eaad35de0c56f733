// A script of picture, screen colour, transition and picture effect commands with any
// arguments (tests/fuzz/picture_script.h), run through the interpreter, then 2,000 updates of
// the pictures, the tone, the flash and the transition, some of them drawn on the software
// back screen with an image file, a window skin, texts and a rule image in a scratch game folder.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/core/display_scale.h"
#include "game/core/error_box.h"
#include "game/core/game_folder.h"
#include "game/core/play_settings.h"
#include "game/core/system_message_box.h"
#include "game/interpreter/run_interpreter.h"
#include "game/map/map_state.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/picture_update.h"
#include "game/presentation/text_resources.h"
#include "game/program/screen_effects.h"
#include "layer/core/core_settings.h"
#include "layer/core/layer_api.h"
#include "layer/core/window_state.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/softrender/blend_tables.h"
#include "layer/softrender/memimg.h"
#include "platform/game_path.h"
#include "tests/fuzz/picture_script.h"
#include "tests/game/core/fresh_game_state.h"

namespace {

using test::PictureScriptKind;

// The updates after the script, so that moves, fades and transitions run on, and how often one
// of them is drawn: a drawing costs as much as the pictures on screen (big ones drawn at every
// update made a unit take minutes), while the states between two drawings differ little.
constexpr int kSettleUpdates = 2000;
constexpr int kSettleDrawInterval = 1000;
// The updates the script's records may have drawn, in all; the rest only update.
constexpr int kMaxScriptDrawnUpdates = 4;
// Ranges of pictures are cut to this many numbers around their first: a range of 2^31 numbers
// would take minutes while proving nothing more.
constexpr std::int64_t kMaxRangeSpan = 16;
constexpr std::int32_t kRangeBit = 0x1000000;
constexpr std::size_t kRecordLimit = 64;

const char* const kTexts[] = {"pic.bmp",
                              "",
                              "<<ERROR>>",
                              "missing.png",
                              ("\x01\x02\x0E\x0F"
                               "A\nB"),
                              "bad.png"};

game::MessageBoxResult Silent(std::string_view, std::string_view, game::MessageBoxButtons) {
    return game::MessageBoxResult::kOk;
}

// A 24-bit BMP of 48 x 48 pixels: 3 x 3 cells of 16 in different colours.
std::string CellImage() {
    constexpr int kSize = 48;
    constexpr int kRow = kSize * 3;
    std::string bmp(54 + kRow * kSize, '\0');
    const auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = static_cast<char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, kSize);
    put32(22, kSize);
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int cell = y / 16 * 3 + x / 16;
            const std::size_t at = 54 + static_cast<std::size_t>(y * kRow + x * 3);
            bmp[at] = static_cast<char>(cell * 28);
            bmp[at + 1] = static_cast<char>(255 - cell * 20);
            bmp[at + 2] = static_cast<char>(x * 5);
        }
    }
    return bmp;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The software back screen and the scratch game folder, made once.
void StartOnce() {
    static const bool started = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "fuzz_pictures_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        const std::filesystem::path folder(pattern);
        WriteFile(folder / "Data" / "pic.bmp", CellImage());
        WriteFile(folder / "Data" / "rule.bmp", CellImage());
        WriteFile(folder / "Data" / "bad.png", "\x89PNG not really");
        platform::SetCurrentDiskFolder(folder.string());
        game::GameFolder = platform::DiskPathToGamePath(folder.string()) + "\\";
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        layer::core_settings.started = 1;
        layer::window_state.active = 1;
        layer::window_state.window_mode = 1;
        layer::window_state.client_rect = {0, 0, 640, 480};
        layer::direct_draw.flags.direct_draw_less = 1;
        layer::direct_draw.flags.software_drawing = 1;
        layer::direct_draw.flags.no_direct3d = 1;
        layer::direct_draw.screen_width = 640;
        layer::direct_draw.screen_height = 480;
        layer::direct_draw.screen_bits = 32;
        layer::direct_draw.requested_bits = 32;
        layer::direct_draw.screen_format = *layer::GetMemImgPixelFormat(1, 0, 0);
        layer::StartGraphicsManagement();
        layer::BuildBlendTables();
        layer::CreateMainSurfaces();
        layer::SelectDrawTarget(layer::kDrawTargetBack);
        layer::SetDrawClipRect(0, 0, 640, 480);
        game::SetupFonts(game::TheTextResources);
        return true;
    }();
    (void)started;
}

void FreshState(std::uint8_t settings) {
    layer::RemoveAllGraphs(0);
    game::ThePictureImageCache = {};
    game::FreshGameState();
    game::ThePictureList = game::PictureList();
    game::FramesPerUpdate = 1 + (settings & 3);
    game::TileSize = (settings & 4) != 0 ? 16 : 32;
    game::ZoomFactor = (settings & 4) != 0 ? 2 : 1;
    game::TheScreenState.SceneNumber = 1;
    game::RecreateOffscreenScreens(game::TheScreenState);
    game::SysDataBase.types.resize(12);
    game::SysDataBase.types[11].records = {game::DataBaseRecord{{}, {"rule.bmp"}}};
}

std::int32_t ClampNear(std::int32_t value, std::int32_t centre) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::int64_t{centre} - kMaxRangeSpan, std::int64_t{centre} + kMaxRangeSpan));
}

// A picture command's range end, cut to the span around its picture number.
void CutRange(std::vector<std::int32_t>& args) {
    if (args.size() < 3 || (args[1] & kRangeBit) == 0)
        return;
    constexpr std::size_t kRangeEnds[] = {15, 15, 6, 3};
    const std::size_t operation = static_cast<std::size_t>(args[1] & 15);
    if (operation < std::size(kRangeEnds) && kRangeEnds[operation] < args.size())
        args[kRangeEnds[operation]] = ClampNear(args[kRangeEnds[operation]], args[2]);
}

void RunLine(std::int32_t code, std::vector<std::int32_t> ints, std::size_t text) {
    game::EventCommand line;
    line.args = {code};
    line.args.insert(line.args.end(), ints.begin(), ints.end());
    line.strings = {kTexts[text % std::size(kTexts)]};
    if (code == 150)
        CutRange(line.args);
    game::EventCommand end;
    end.args = {game::EventCommand::kEndCode};
    game::CommonEvents.events[0].commands = {line, end};
    game::EventInterpreter interpreter;
    interpreter.SetUpInterpreter(0, false);
    interpreter.StartInterpreter(game::CommandListRef::Common(0), -1, 0);
    game::RunInterpreter(interpreter);
}

void Update(bool drawn) {
    game::UpdatePictures(game::ThePictureList);
    game::CountDownTransition(game::TheScreenState);
    game::UpdateScreenToneAndFlash(game::TheMainInterpreter);
    if (!drawn)
        return;
    layer::WipeDrawTarget();
    for (const int layer : {-2, -1, 0, 1})
        game::DrawPictureLayer(game::ThePictureList, layer);
    game::DrawScreenFlash(game::TheMainInterpreter);
    game::DrawScreenTransition(game::TheScreenState);
}

void ApplyMap(const std::vector<std::int32_t>& ints) {
    game::MapState& map = game::TheMapState;
    const auto at = [&](std::size_t i) { return i < ints.size() ? ints[i] : 0; };
    map.scrollX = at(0);
    map.scrollY = at(1);
    map.loopsHorizontally = (at(2) & 1) != 0;
    map.loopsVertically = (at(2) & 2) != 0;
    map.mapData.header.width = at(3);
    map.mapData.header.height = at(4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    game::SetMessageBoxSink(&Silent);
    game::SetErrorBoxSink([](std::string_view, std::string_view, std::string_view) {});
    StartOnce();
    FreshState(data[0]);
    constexpr std::int32_t kCodes[] = {150, 151, 160, 161, 162};
    std::size_t at = 1;
    int scriptDrawings = 0;
    for (std::size_t record = 0; record < kRecordLimit && at + 2 <= size; ++record) {
        const auto kind = static_cast<PictureScriptKind>(data[at] & 7);
        const std::uint8_t count = data[at + 1];
        at += 2;
        if (kind == PictureScriptKind::kUpdates) {
            for (int update = 0; update < count; ++update)
                Update(scriptDrawings++ < kMaxScriptDrawnUpdates);
            continue;
        }
        std::vector<std::int32_t> ints;
        for (int i = 0; i < (count & 15) && at + 4 <= size; ++i, at += 4)
            ints.push_back(
                static_cast<std::int32_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                                          static_cast<std::uint32_t>(data[at + 3]) << 24));
        const auto kindIndex = static_cast<std::size_t>(kind);
        if (kindIndex < std::size(kCodes)) {
            RunLine(kCodes[kindIndex], ints, count >> 4);
        } else if (kind == PictureScriptKind::kEffect) {
            ints.resize(7);
            game::ApplyPictureEffect(game::ThePictureList, ints[0], ClampNear(ints[1], ints[0]),
                                     ints[2], ints[3], ints[4], ints[5], ints[6]);
        } else {
            ApplyMap(ints);
        }
    }
    for (int update = 1; update <= kSettleUpdates; ++update)
        Update(update % kSettleDrawInterval == 0);
    return 0;
}
