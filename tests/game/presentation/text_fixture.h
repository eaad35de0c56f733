#pragma once

// The game state a text test starts from: 32-pixel tiles, one frame per update, the game
// information's defaults, a colour table of kColourCount records (colour n is n * 0x10101),
// fonts set up on the fake layer, and error boxes captured.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/core/database.h"
#include "game/core/display_scale.h"
#include "game/core/game_info.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/presentation/render_text.h"
#include "game/presentation/text_resources.h"
#include "tests/game/core/report_capture.h"
#include "tests/game/presentation/text_layer_fake.h"

namespace test {

inline constexpr int kColourCount = 14;

// A system database whose type 12 holds the colours (red, green, blue per record).
inline void SetColourRecords(const std::vector<std::array<int, 3>>& colours) {
    game::SysDataBase = game::DataBase();
    game::SysDataBase.types.resize(13);
    game::DataBaseType& type = game::SysDataBase.types[12];
    type.contentCodes = {1000, 1001, 1002};
    type.records.clear();
    for (const auto& colour : colours)
        type.records.push_back({{colour[0], colour[1], colour[2]}, {std::string()}});
    game::ResetTextColourTable();
}

inline std::vector<std::array<int, 3>> GreyColours(int count) {
    std::vector<std::array<int, 3>> colours;
    for (int n = 0; n < count; ++n)
        colours.push_back({n, n, n});
    return colours;
}

// The colour the fake makes of record n of GreyColours.
inline int Grey(int n) {
    return n << 16 | n << 8 | n;
}

// 32-pixel tiles, one frame per update, the game information's defaults, and fresh screen and
// main interpreter states.
inline void StartTextGameState() {
    game::TileSize = 32;
    game::ZoomFactor = 1;
    game::FramesPerUpdate = 1;
    game::TheGameInfo = game::GameInfo();
    game::TheScreenState = game::ScreenState(game::ScreenState::Screens::kLater);
    game::TheMainInterpreter =
        game::MainInterpreter(game::MainInterpreter::AutomaticEvents::kLater);
}

class TextTest : public testing::Test {
  protected:
    void SetUp() override {
        StartTextGameState();
        SetColourRecords(GreyColours(kColourCount));
        game::TheTextResources = game::TextResources();
        game::SetupFonts(game::TheTextResources);
        LayerLog().fonts.clear();
        LayerLog().resets = 0;
    }
    void TearDown() override { game::ResetTextColourTable(); }

    static std::vector<game::ReportCapture::ErrorLines>& Errors() {
        return game::ReportCapture::errors();
    }

    FakeTextLayer layer_;
    game::ReportCapture reports_;
};

// A control code with its value bytes as the expander writes them.
inline std::string Code(int code, std::vector<int> values = {}) {
    std::string bytes{'\x01', static_cast<char>(code)};
    for (int value : values)
        bytes += static_cast<char>((value + 14) & 0xFF);
    return bytes;
}

// A two-byte value, base 256, high byte first.
inline std::string Code256(int code, int value) {
    return Code(code, {value / 256, value % 256});
}

}  // namespace test
