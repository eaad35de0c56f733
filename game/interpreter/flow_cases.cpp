// The case lines of branches and choices, and the branch end. The branch or choice line left
// its outcome in the branch result of its indent; -100 there means a case was taken.
#include "game/interpreter/command_args.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/flow_commands.h"

namespace game {
namespace {

// The mark of a case or else line that the pre-pass tied to its branch end.
constexpr std::int32_t kPreparedCaseOfBranch = 2;

// Enters the case when the outcome is its number; false otherwise.
bool EnterWhenSelected(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    if (interpreter.BranchResult(line.indent) != Arg(line, 1))
        return false;
    interpreter.SetBranchResult(line.indent, EventInterpreter::kBranchTaken);
    return true;
}

}  // namespace

std::uint8_t BranchCase(EventInterpreter& interpreter) {
    const std::vector<std::int32_t>& prepared = interpreter.CurrentLine().preparedInts;
    // A prepared branch jumped straight into its case: reaching the next case line means the
    // case has finished.
    if (prepared.size() > 1 && prepared[0] == kPreparedCaseOfBranch) {
        interpreter.line = prepared[1] - 1;
        return 1;
    }
    if (EnterWhenSelected(interpreter))
        return 1;
    if (prepared.size() > 1)
        interpreter.line = prepared[1] - 1;
    else
        SkipToBlockEnd(interpreter);
    return 1;
}

std::uint8_t ChoiceCase(EventInterpreter& interpreter) {
    if (!EnterWhenSelected(interpreter))
        SkipToBlockEnd(interpreter);
    return 1;
}

std::uint8_t BranchEnd(EventInterpreter& interpreter) {
    interpreter.SetBranchResult(interpreter.CurrentLine().indent, EventInterpreter::kBranchTaken);
    return 1;
}

}  // namespace game
