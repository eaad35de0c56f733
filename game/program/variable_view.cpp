#include "game/program/variable_view.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "game/core/database.h"
#include "game/core/display_scale.h"
#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/core/shift_jis_byte_kind.h"
#include "game/core/system_message_box.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/program/debug_view_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kBlendNone = 0;
constexpr int kBlendTranslucent = 1;
constexpr int kLineHeight = 9;
constexpr int kFontSize = 9;
constexpr int kAntiAliasedFont = 2;
constexpr std::size_t kShownTextBytes = 32;
constexpr int kHeldPollLimit = 30;
constexpr int kPollMilliseconds = 16;

constexpr int kVariableSetType = 14;
constexpr int kStringVariableType = 4;
constexpr int kSystemVariableType = 6;
constexpr int kSystemStringType = 5;
constexpr int kVariableId = 2000000;
constexpr int kVariableSetStride = 100000;
constexpr int kStringVariableId = 3000000;
constexpr int kSystemVariableId = 9000000;
constexpr int kSystemStringId = 9900000;

// Kept between pages; the F9 key starts from the left again.
int horizontalOffset = 0;

std::string Format(const char* format, auto... values) {
    char text[512];
    std::snprintf(text, sizeof(text), format, values...);
    return text;
}

int DataCount(int type) {
    return std::max(SysDataBase.GetDBDataCount(type), 0);
}

std::string DataName(int type, int data) {
    return SysDataBase.GetDBDataName(type, data);
}

void AddVariableLines(std::vector<std::string>& lines) {
    lines.emplace_back(kViewVariablesHeading);
    const int sets = static_cast<int>(TheVariableStore.variableSets.size());
    for (int set = 0; set < sets; ++set) {
        const int type = kVariableSetType + set;
        for (int data = 0; data < DataCount(type); ++data) {
            const int value =
                TheVariableStore.ReadValueById(kVariableId + kVariableSetStride * set + data);
            lines.push_back(
                Format(kViewVariableFormat, set, data, value, DataName(type, data).c_str()));
        }
    }
}

void AddStringLines(std::vector<std::string>& lines, const char* heading, const char* format,
                    int type, int firstId) {
    lines.emplace_back(heading);
    for (int data = 0; data < DataCount(type); ++data) {
        const std::string text =
            FirstWholeCharacters(TheVariableStore.ReadStringById(firstId + data), kShownTextBytes);
        lines.push_back(Format(format, data, text.c_str(), DataName(type, data).c_str()));
    }
}

void AddSystemVariableLines(std::vector<std::string>& lines) {
    lines.emplace_back(kViewSystemVariablesHeading);
    for (int data = 0; data < DataCount(kSystemVariableType); ++data) {
        const int value = TheVariableStore.ReadValueById(kSystemVariableId + data);
        lines.push_back(Format(kViewSystemVariableFormat, data, value,
                               DataName(kSystemVariableType, data).c_str()));
    }
}

// Like the error box's wait, but a key held from before the view leaves only after more
// than 30 polls. False once the window is gone.
bool WaitForConfirm() {
    InputState& input = TheInputState;
    int heldPolls = 0;
    for (;;) {
        if (layer::PumpMessages() != 0) {
            TheScreenState.SceneNumber = -1;
            return false;
        }
        UpdateInput(input);
        if (input.confirmPressed != 0 || input.mouseButtonsPressed[0] != 0)
            return true;
        if (input.confirmHeld != 0 || input.mouseButtons[0] != 0) {
            if (++heldPolls > kHeldPollLimit)
                return true;
        } else {
            heldPolls = 0;
        }
        layer::WaitMilliseconds(kPollMilliseconds);
    }
}

}  // namespace

VariableViewLayout CurrentVariableViewLayout() {
    const int unit = TileSize * ZoomFactor;
    const bool narrow = TileSize == 16 && ZoomFactor == 1;
    return {narrow ? 160 : 220, narrow ? 320 : 660, 15 * unit - 8, unit};
}

std::string FirstWholeCharacters(const std::string& text, std::size_t limit) {
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    if (GetShiftJisByteKind(text, end - 1) == kLeadByte)
        --end;
    return text.substr(0, end);
}

std::vector<std::string> VariableListLines() {
    // Where the main interpreter stands, whichever interpreter ran last.
    const MainInterpreter& main = TheMainInterpreter;
    std::vector<std::string> lines{
        Format(kViewPointFormat, main.eventNumber, main.commonNumber, main.line)};
    AddVariableLines(lines);
    AddStringLines(lines, kViewStringsHeading, kViewStringFormat, kStringVariableType,
                   kStringVariableId);
    AddSystemVariableLines(lines);
    AddStringLines(lines, kViewSystemStringsHeading, kViewSystemStringFormat, kSystemStringType,
                   kSystemStringId);
    return lines;
}

int DrawVariableList(const std::vector<std::string>& lines, int offset,
                     const VariableViewLayout& layout) {
    layer::SetStandardFontSize(kFontSize);
    layer::SetStandardFontType(kAntiAliasedFont);
    layer::ChangeBlendMode(kBlendTranslucent, 190);
    layer::PaintRectangle(0, 0, 640, 480, layer::MakeScreenColor(0, 0, 0), 1);
    layer::ChangeBlendMode(kBlendNone, 255);
    const int white = layer::MakeScreenColor(255, 255, 255);
    int x = 0;
    int y = 0;
    for (const std::string& line : lines) {
        layer::PrintText(x - offset, y, line.c_str(), white, 0);
        y += kLineHeight;
        if (y >= layout.columnEnd) {
            x += layout.columnWidth;
            y = 0;
        }
    }
    return x;
}

int NextVariableViewOffset(int offset, int lastColumnX, const VariableViewLayout& layout) {
    if (offset > lastColumnX - 15 * layout.unit)
        return -1;
    return std::min(lastColumnX + 6 * layout.unit, offset + layout.pageStep);
}

void ShowVariableList(bool resetScroll) {
    if (resetScroll)
        horizontalOffset = 0;
    const std::vector<std::string> lines = VariableListLines();
    if (layer::GetTestHooks().auto_confirm != 0) {
        for (const std::string& line : lines)
            WriteConsoleLine(line);
    } else {
        const VariableViewLayout layout = CurrentVariableViewLayout();
        for (;;) {
            const int lastColumnX = DrawVariableList(lines, horizontalOffset, layout);
            layer::ShowFrame();
            if (!WaitForConfirm())
                break;
            const int next = NextVariableViewOffset(horizontalOffset, lastColumnX, layout);
            if (next < 0)
                break;
            horizontalOffset = next;
        }
    }
    layer::SetStandardFontSize(TheMainInterpreter.DefaultFontSize);
}

}  // namespace game
