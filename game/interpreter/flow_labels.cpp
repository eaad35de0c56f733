// Jumps to labels. A prepared jump carries its label line and its loop changes; otherwise the
// list is searched with every label name expanded as the jump's own.
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/flow_commands.h"
#include "game/interpreter/label_scan.h"
#include "game/interpreter/message_text.h"

namespace game {
namespace {

void ApplyChange(EventInterpreter& interpreter, const LoopStackChange& change) {
    if (!change.leave) {
        interpreter.loopIndents.push_back(change.indent);
        interpreter.loopCounts.push_back(change.passes);
    } else if (!interpreter.loopIndents.empty()) {
        interpreter.loopIndents.pop_back();
        interpreter.loopCounts.pop_back();
    }
}

std::string LabelName(const EventInterpreter& interpreter, const EventCommand& line) {
    MessageTextOptions options;
    options.atLine = true;
    return ExpandMessageText(Str(line, 0), interpreter.eventNumber, interpreter.commonNumber,
                             interpreter.mapId, options);
}

// The prepared record: [1, label line, change count, then (indent, passes) pairs, (-1, -1)
// leaving a loop].
void JumpPrepared(EventInterpreter& interpreter, const EventCommand& line) {
    const std::int32_t count = PreparedInt(line, 2);
    for (std::int32_t k = 0; k < count; ++k) {
        const std::int32_t indent = PreparedInt(line, 3 + 2 * static_cast<std::size_t>(k));
        const std::int32_t passes = PreparedInt(line, 4 + 2 * static_cast<std::size_t>(k));
        ApplyChange(interpreter, {indent == -1, indent, passes});
    }
    interpreter.line = PreparedInt(line, 1);
}

}  // namespace

std::uint8_t GoToLabel(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    if (!line.preparedInts.empty()) {
        JumpPrepared(interpreter, line);
        return 1;
    }
    const std::vector<EventCommand>* list = interpreter.CommandList();
    if (list == nullptr)
        return 1;
    const std::string name = LabelName(interpreter, line);
    const std::optional<LabelJump> jump = FindLabelJump(
        *list, interpreter.line,
        [&](const EventCommand& label) { return LabelName(interpreter, label) == name; },
        NestingRule::kLenient);
    if (!jump)
        return 1;
    for (const LoopStackChange& change : jump->changes)
        ApplyChange(interpreter, change);
    interpreter.line = jump->target;
    return 1;
}

}  // namespace game
