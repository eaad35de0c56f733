// The fast codes the load-time pre-pass writes: they work on prepared cells and lines
// directly, without the variable ID space.
#include <array>

#include "game/interpreter/command_args.h"
#include "game/interpreter/command_handlers.h"
#include "game/interpreter/event_interpreter.h"

namespace game {
namespace {

constexpr std::int32_t kFirstFastCode = 210000;

// Plain 32-bit arithmetic that wraps around.
using Operation = std::uint32_t (*)(std::uint32_t, std::uint32_t);
constexpr std::array<Operation, 4> kOperations{{
    [](std::uint32_t, std::uint32_t r) { return r; },
    [](std::uint32_t t, std::uint32_t r) { return t + r; },
    [](std::uint32_t t, std::uint32_t r) { return t - r; },
    [](std::uint32_t t, std::uint32_t r) { return t * r; },
}};
constexpr std::array<Operation, 3> kCombinations{{
    [](std::uint32_t l, std::uint32_t r) { return l + r; },
    [](std::uint32_t l, std::uint32_t r) { return l - r; },
    [](std::uint32_t l, std::uint32_t r) { return l * r; },
}};

}  // namespace

std::uint8_t FastArithmetic(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    std::int32_t* target = PreparedCell(line, 0);
    const std::int32_t* left = PreparedCell(line, 1);
    const std::int32_t* right = PreparedCell(line, 2);
    if (target == nullptr || left == nullptr || right == nullptr)
        return 1;
    const std::int32_t form = Arg(line, 0) - kFirstFastCode;
    const std::uint32_t combined = kCombinations[static_cast<std::size_t>(form % 10)](
        static_cast<std::uint32_t>(*left), static_cast<std::uint32_t>(*right));
    *target = static_cast<std::int32_t>(kOperations[static_cast<std::size_t>(form / 10)](
        static_cast<std::uint32_t>(*target), combined));
    return 1;
}

std::uint8_t FastJump(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    if (line.preparedInts.size() > 1)
        interpreter.line = line.preparedInts[1];
    return 1;
}

std::uint8_t FastLoopEnd(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    if (line.preparedInts.size() < 2 || interpreter.loopCounts.empty() ||
        interpreter.loopIndents.empty())
        return 1;
    if (interpreter.loopCounts.back() <= 0) {
        interpreter.loopCounts.pop_back();
        interpreter.loopIndents.pop_back();
        return 1;
    }
    --interpreter.loopCounts.back();
    interpreter.line = line.preparedInts[1];
    return 1;
}

}  // namespace game
