#include <set>

#include "game/core/format_text.h"
#include "game/core/system_message_box.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/command_handlers.h"
#include "game/interpreter/event_interpreter.h"

namespace game {

std::uint8_t CommandNotBuiltYet(EventInterpreter& interpreter) {
    static std::set<std::int32_t> logged;
    const std::int32_t code = Arg(interpreter.CurrentLine(), 0);
    if (logged.insert(code).second)
        WriteConsoleLine(FormatText("Event command %d is not available yet: passed over", code));
    return 1;
}

}  // namespace game
