// The key-input command's evaluation and the drawing of a running key-input text.
#include <algorithm>
#include <array>
#include <cstdint>

#include "game/core/database.h"
#include "game/core/display_scale.h"
#include "game/core/input_state.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/key_config.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kKeyboardGroup = 0x100;
constexpr int kPadGroup = 0x200;
constexpr int kConfirmCode = 10;
constexpr int kCancelCode = 11;
constexpr int kSubCode = 12;

struct DirectionKeys {
    bool up, down, left, right;
};

// With the wait a direction counts when newly pressed or on a repeat pulse; without it, while
// held.
DirectionKeys Directions(const InputState& input, bool wait) {
    if (!wait)
        return {input.upHeld != 0, input.downHeld != 0, input.leftHeld != 0, input.rightHeld != 0};
    const bool repeat = input.repeatDirection4 != 0;
    return {(input.upHeld != 0 && repeat) || input.upPressed != 0,
            (input.downHeld != 0 && repeat) || input.downPressed != 0,
            (input.leftHeld != 0 && repeat) || input.leftPressed != 0,
            (input.rightHeld != 0 && repeat) || input.rightPressed != 0};
}

using DirectionGroup = int (*)(const InputState&, const DirectionKeys&, bool wait);

// By the option's direction group 0 to 8.
constexpr std::array<DirectionGroup, 9> kDirectionGroups{{
    [](const InputState&, const DirectionKeys&, bool) { return 0; },
    [](const InputState& input, const DirectionKeys&, bool wait) {
        return wait ? input.repeatDirection4 : input.direction4;
    },
    [](const InputState& input, const DirectionKeys&, bool wait) {
        return wait ? input.repeatDirection8 : input.direction8;
    },
    [](const InputState&, const DirectionKeys& keys, bool) { return keys.up ? 8 : 0; },
    [](const InputState&, const DirectionKeys& keys, bool) { return keys.down ? 2 : 0; },
    [](const InputState&, const DirectionKeys& keys, bool) { return keys.left ? 4 : 0; },
    [](const InputState&, const DirectionKeys& keys, bool) { return keys.right ? 6 : 0; },
    [](const InputState&, const DirectionKeys& keys, bool) {
        return std::max(keys.up ? 8 : 0, keys.down ? 2 : 0);
    },
    [](const InputState&, const DirectionKeys& keys, bool) {
        return std::max(keys.left ? 4 : 0, keys.right ? 6 : 0);
    },
}};

int DecisionKeys(const InputState& input, int option, bool wait) {
    const MainInterpreter& settings = TheMainInterpreter;
    if ((option & 0x10) != 0 &&
        (wait ? input.confirmPressed != 0 ||
                    (settings.KeyInputConfirmOption == 1 && input.confirmRepeat != 0)
              : input.confirmHeld != 0))
        return kConfirmCode;
    if ((option & 0x20) != 0 &&
        (wait ? input.cancelPressed != 0 ||
                    (settings.KeyInputCancelOption == 1 && input.cancelRepeat != 0)
              : input.cancelHeld != 0))
        return kCancelCode;
    if ((option & 0x40) != 0 && (wait ? input.subPressed != 0 : input.subHeld != 0))
        return kSubCode;
    const int group = option & 0x0F;
    if (group >= static_cast<int>(kDirectionGroups.size()))
        return 0;
    return kDirectionGroups[static_cast<std::size_t>(group)](input, Directions(input, wait), wait);
}

std::uint64_t TextColour(int record) {
    auto channel = [&](int content) {
        return std::max(SysDataBase.ReadDBValue(12, record, content), 0);
    };
    const int colour = layer::MakeScreenColor(channel(0), channel(1), channel(2));
    return static_cast<std::uint32_t>(colour);
}

}  // namespace

void EvaluateKeyInput(EventInterpreter& interpreter) {
    const bool wait = interpreter.keyWait;
    // While waiting, the run loop has already moved past the command.
    const EventCommand& line = interpreter.LineAt(wait ? interpreter.line - 1 : interpreter.line);
    const std::int32_t target = Arg(line, 1);
    const std::int32_t option = Arg(line, 2);
    if (SaveLoadedThisFrame != 0 || TheMainInterpreter.TextInputState == 1)
        return;
    int key = 0;
    const int group = option & 0xF00;
    if (group == kKeyboardGroup)
        key = PollKeyboardCode(false, wait, interpreter.keyboardPollState, interpreter.keyOption);
    else if (group == kPadGroup)
        key = PollPadCode(false, wait, interpreter.padPollState, interpreter.keyOption);
    if (key == 0 && (group == 0 || group == kKeyboardGroup || group == kPadGroup))
        key = DecisionKeys(TheInputState, option, wait);
    if (wait && key == 0)
        return;
    interpreter.StoreInterpreterValue(target, key);
    interpreter.keyWait = false;
}

void DrawKeyInputText(EventInterpreter& interpreter) {
    if (!interpreter.children.empty()) {
        DrawKeyInputText(interpreter.children.front());
        return;
    }
    if (interpreter.textInputHandle == 0)
        return;
    const std::uint64_t normal = TextColour(10);
    const std::uint64_t marked = TextColour(11);
    const std::uint64_t chosen = TextColour(12);
    constexpr std::uint64_t kKeep = ~std::uint64_t{0};
    layer::SetTextInputColors(normal, normal, marked, normal, chosen, normal, chosen, 0, 0, 0,
                              kKeep, kKeep, kKeep, kKeep, kKeep);
    layer::DrawTextInput(TheMainInterpreter.KeyInputTextX * ZoomFactor,
                         TheMainInterpreter.KeyInputTextY * ZoomFactor,
                         interpreter.textInputHandle);
}

}  // namespace game
