#include "game/interpreter/dispatch_commands.h"

#include "game/core/processing_point.h"
#include "game/core/screen_state.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/command_handlers.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "game/map/map_state.h"

namespace game {
namespace {

DispatchLineHook line_hook = nullptr;

}  // namespace

void SetDispatchLineHook(DispatchLineHook hook) {
    line_hook = hook;
}

// Continue codes never change the list being run, so it is resolved once for their run; a
// return code's handler may end, replace or reload it and sees it resolved anew.
std::uint8_t DispatchCommands(EventInterpreter& interpreter) {
    // Each turn moves on first, so the first line run is the current one.
    --interpreter.line;
    interpreter.heldCommands.list = interpreter.ResolveCommandList();
    for (;;) {
        if (interpreter.commandsThisFrame >= kCommandsPerFrame)
            break;
        if (line_hook != nullptr && !line_hook())
            break;
        ++interpreter.line;
        TheProcessingPoint.line = interpreter.line;
        const CommandEntry* entry = FindCommand(Arg(interpreter.CurrentLine(), 0));
        if (entry != nullptr && entry->kind == CommandKind::kReturn) {
            interpreter.heldCommands.list = nullptr;
            return entry->handler(interpreter);
        }
        if (entry != nullptr)
            entry->handler(interpreter);
        ++interpreter.commandsThisFrame;
    }
    interpreter.heldCommands.list = nullptr;
    return 1;
}

void EndInterpreterEvent(EventInterpreter& interpreter) {
    interpreter.commandList = CommandListRef::None();
    interpreter.loopIndents.clear();
    interpreter.loopCounts.clear();
    if (!interpreter.autoPick || interpreter.eventNumber < 0 || TheScreenState.RestartPending != 0)
        return;
    if (EventCharacter* event = FindEventCharacter(TheMapState, interpreter.eventNumber))
        event->RestoreEventFacing();
}

std::uint8_t CommandListEnd(EventInterpreter& interpreter) {
    EndInterpreterEvent(interpreter);
    return 1;
}

void SkipToBlockEnd(EventInterpreter& interpreter) {
    const int indent = interpreter.CurrentLine().indent;
    // The end line closes every block.
    while (interpreter.IsInterpreterRunning() &&
           interpreter.LineAt(interpreter.line + 1).indent != indent &&
           Arg(interpreter.LineAt(interpreter.line + 1), 0) != EventCommand::kEndCode)
        ++interpreter.line;
}

}  // namespace game
