// The number and text branches; the case lines that follow compare their result.
#include <algorithm>

#include "game/interpreter/command_args.h"
#include "game/interpreter/command_handlers.h"
#include "game/interpreter/event_interpreter.h"

namespace game {
namespace {

// The prepared form holds at most three conditions, the case lines of which follow them.
constexpr std::size_t kFirstPreparedCase = 5;
constexpr std::size_t kPreparedElse = 8;

void BranchPrepared(EventInterpreter& interpreter, const EventCommand& line) {
    interpreter.SetBranchResult(line.indent, EventInterpreter::kBranchTaken);
    const auto count =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(PreparedInt(line, 1), 0)),
                              line.preparedPointers.size() / 2);
    for (std::size_t k = 0; k < count; ++k) {
        const std::int32_t* left = PreparedCell(line, 2 * k);
        const std::int32_t* right = PreparedCell(line, 2 * k + 1);
        if (left == nullptr || right == nullptr)
            continue;
        if (CompareValues(PreparedInt(line, 2 + k), *left, *right)) {
            interpreter.line = PreparedInt(line, kFirstPreparedCase + k);
            return;
        }
    }
    interpreter.line = PreparedInt(line, kPreparedElse);
}

}  // namespace

std::uint8_t BranchOnNumbers(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    if (!line.preparedInts.empty()) {
        BranchPrepared(interpreter, line);
        return 1;
    }
    const int conditions = Arg(line, 1) & 15;
    int result = 0;
    for (int k = 0; k < conditions && result == 0; ++k) {
        const auto base = static_cast<std::size_t>(3 * k);
        const std::int32_t option = Arg(line, base + 4);
        const std::int32_t left = interpreter.ReadInterpreterValue(Arg(line, base + 2));
        const std::int32_t right = (option & 0x10) != 0
                                       ? Arg(line, base + 3)
                                       : interpreter.ReadInterpreterValue(Arg(line, base + 3));
        if (CompareValues(option & 15, left, right))
            result = k + 1;
    }
    interpreter.SetBranchResult(line.indent, result);
    return 1;
}

std::uint8_t BranchOnStrings(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const int conditions = Arg(line, 1) & 15;
    int result = 0;
    for (int k = 0; k < conditions && result == 0; ++k) {
        const std::int32_t word = Arg(line, static_cast<std::size_t>(k + 2));
        const std::string left = interpreter.ReadInterpreterString(word & 0xFFFFFF);
        const std::string right = (word & 0x0F000000) != 0
                                      ? interpreter.ReadInterpreterString(
                                            Arg(line, static_cast<std::size_t>(conditions + k + 2)))
                                      : Str(line, static_cast<std::size_t>(k));
        const auto comparison = static_cast<std::uint32_t>(word) >> 28;
        const bool holds = comparison == 0   ? left == right
                           : comparison == 1 ? left != right
                           : comparison == 2 ? left.find(right) != std::string::npos
                                             : false;
        if (holds)
            result = k + 1;
    }
    interpreter.SetBranchResult(line.indent, result);
    return 1;
}

}  // namespace game
