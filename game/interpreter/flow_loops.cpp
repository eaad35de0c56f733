// Loops: their start, end, break and continue. Open loops live in the interpreter's two loop
// lists, innermost last.
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/flow_commands.h"

namespace game {
namespace {

// The passes of an endless loop.
constexpr int kEndlessPasses = 2000000000;

void OpenLoop(EventInterpreter& interpreter, int passes) {
    interpreter.loopIndents.push_back(interpreter.CurrentLine().indent);
    interpreter.loopCounts.push_back(passes);
}

void CloseLoop(EventInterpreter& interpreter) {
    interpreter.loopIndents.pop_back();
    interpreter.loopCounts.pop_back();
}

// The nearest line before the current one on the indent, or -1.
int EarlierLineAt(const EventInterpreter& interpreter, int indent) {
    for (int line = interpreter.line - 1; line >= 0; --line) {
        if (interpreter.LineAt(line).indent == indent)
            return line;
    }
    return -1;
}

}  // namespace

void LeaveLoop(EventInterpreter& interpreter) {
    if (interpreter.loopIndents.empty())
        return;
    const int indent = interpreter.loopIndents.back();
    const std::vector<EventCommand>* list = interpreter.CommandList();
    if (list == nullptr)
        return;
    // The last line, the list's end, is never a loop end.
    const int last = static_cast<int>(list->size()) - 1;
    for (int line = interpreter.line + 1; line < last; ++line) {
        const EventCommand& candidate = (*list)[static_cast<std::size_t>(line)];
        if (IsLoopEndCode(Arg(candidate, 0)) && candidate.indent == indent) {
            interpreter.line = line;
            CloseLoop(interpreter);
            return;
        }
    }
}

void RepeatLoop(EventInterpreter& interpreter) {
    if (interpreter.loopIndents.empty())
        return;
    --interpreter.loopCounts.back();
    const int start = EarlierLineAt(interpreter, interpreter.loopIndents.back());
    if (start >= 0)
        interpreter.line = start;
}

std::uint8_t StartLoop(EventInterpreter& interpreter) {
    OpenLoop(interpreter, kEndlessPasses);
    return 1;
}

std::uint8_t StartCountedLoop(EventInterpreter& interpreter) {
    const std::int32_t count = Arg(interpreter.CurrentLine(), 1);
    const std::int32_t passes = interpreter.ReadInterpreterValue(count);
    OpenLoop(interpreter, passes == INT32_MIN ? passes : passes - 1);
    // Read again: a random count is drawn twice.
    if (interpreter.ReadInterpreterValue(count) <= 0)
        LeaveLoop(interpreter);
    return 1;
}

std::uint8_t BreakLoop(EventInterpreter& interpreter) {
    LeaveLoop(interpreter);
    return 1;
}

std::uint8_t ContinueLoop(EventInterpreter& interpreter) {
    if (interpreter.loopCounts.empty())
        return 1;
    if (interpreter.loopCounts.back() > 0)
        RepeatLoop(interpreter);
    else
        LeaveLoop(interpreter);
    return 1;
}

std::uint8_t LoopEnd(EventInterpreter& interpreter) {
    if (interpreter.loopCounts.empty())
        return 1;
    if (interpreter.loopCounts.back() <= 0) {
        CloseLoop(interpreter);
        return 1;
    }
    --interpreter.loopCounts.back();
    const std::vector<std::int32_t>& prepared = interpreter.CurrentLine().preparedInts;
    const int start = prepared.size() > 1
                          ? prepared[1]
                          : EarlierLineAt(interpreter, interpreter.CurrentLine().indent);
    if (start >= 0)
        interpreter.line = start;
    return 1;
}

}  // namespace game
