// The variable-from-state command: a value of the game state, combined with a variable.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "game/interpreter/command_args.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/input_and_value_commands.h"
#include "game/interpreter/variable_arithmetic.h"
#include "game/interpreter/variable_from_state_sources.h"
#include "game/map/map_state.h"
#include "game/presentation/picture_list.h"

namespace game {
namespace {

constexpr std::int32_t kSixDigits = 0x01;
constexpr std::int32_t kIndirectTarget = 0x10;
constexpr std::int32_t kPositionsInHalfTiles = 0x20;
constexpr std::int32_t kFirstVariable = 1000000;
constexpr std::int32_t kNormalVariables = 2000000;

std::int32_t Doubled(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(2 * value, INT32_MIN, INT32_MAX));
}

// The reference is used as it stands: an ID there names no character, not a variable.
std::int32_t CharacterSource(EventInterpreter& interpreter, const EventCommand& line,
                             std::int32_t) {
    const std::int32_t reference = Arg(line, 3);
    return CharacterPropertyValue(CharacterOfReference(interpreter, reference),
                                  MapEventOfReference(interpreter, reference), Arg(line, 4));
}

std::int32_t MapSource(EventInterpreter& interpreter, const EventCommand& line,
                       std::int32_t options) {
    const bool halfTiles = (options & kPositionsInHalfTiles) != 0;
    std::int32_t x = interpreter.ReadInterpreterValue(Arg(line, 3));
    std::int32_t y = interpreter.ReadInterpreterValue(Arg(line, 4));
    if (!halfTiles) {
        x = Doubled(x);
        y = Doubled(y);
    }
    return MapQueryValue((options >> 16) & 0x0F, x, y, halfTiles);
}

std::int32_t SystemSource(EventInterpreter& interpreter, const EventCommand& line, std::int32_t) {
    return SystemStateValue(interpreter, Arg(line, 3));
}

std::int32_t PictureSource(EventInterpreter& interpreter, const EventCommand& line, std::int32_t) {
    const std::int32_t number = interpreter.ReadInterpreterValue(Arg(line, 3));
    return ThePictureList.GetPictureInfo(number, Arg(line, 4));
}

using ValueSource = std::int32_t (*)(EventInterpreter&, const EventCommand&, std::int32_t);

// By source kind; kind 0 and kinds past the table store nothing.
constexpr std::array<ValueSource, 5> kSources{nullptr, CharacterSource, MapSource, SystemSource,
                                              PictureSource};

using Operation = std::int32_t (*)(std::int32_t a, std::int32_t c);

// +, - and x saturate at two billion; the others keep the low 32 bits of their 64-bit result.
constexpr std::array<Operation, 9> kOperations{{
    [](std::int32_t, std::int32_t c) { return c; },
    [](std::int32_t a, std::int32_t c) { return ClampToBillions(std::int64_t{a} + c); },
    [](std::int32_t a, std::int32_t c) { return ClampToBillions(std::int64_t{a} - c); },
    [](std::int32_t a, std::int32_t c) { return ClampToBillions(std::int64_t{a} * c); },
    WrappedQuotient,
    WrappedRemainder,
    [](std::int32_t a, std::int32_t c) { return std::max(a, c); },
    [](std::int32_t a, std::int32_t c) { return std::min(a, c); },
    [](std::int32_t, std::int32_t c) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(std::llabs(c)));
    },
}};

}  // namespace

std::uint8_t SetVariableFromState(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t options = Arg(line, 2);
    std::int32_t target = Arg(line, 1);
    if ((options & kIndirectTarget) != 0) {
        target = interpreter.ReadInterpreterValue(target);
        if (target < kFirstVariable)
            target += kNormalVariables;
    }
    const std::int32_t a = interpreter.ReadInterpreterValue(target);
    const auto kind = static_cast<std::size_t>((options >> 12) & 0x0F);
    if (kind >= kSources.size() || kSources[kind] == nullptr)
        return 1;
    const std::int32_t c = kSources[kind](interpreter, line, options);
    TheMapState.pageRefreshRequest = 1;
    const auto operation = static_cast<std::size_t>((options >> 8) & 0x0F);
    if (operation >= kOperations.size())
        return 1;
    const std::int32_t result = kOperations[operation](a, c);
    interpreter.StoreInterpreterValue(target,
                                      ClampToSixDigits((options & kSixDigits) != 0, result));
    return 1;
}

}  // namespace game
