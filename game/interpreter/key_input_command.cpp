// The key-input command: sample the keys now, or start a wait that the run loop ends.
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/input_and_value_commands.h"
#include "game/interpreter/key_config.h"
#include "game/interpreter/run_interpreter.h"

namespace game {
namespace {

constexpr std::int32_t kKeyOptionGiven = 0x1000;
constexpr std::int32_t kWaitForKey = 0x80;
constexpr std::int32_t kGroupMask = 0xF00;
constexpr std::int32_t kKeyboardGroup = 0x100;
constexpr std::int32_t kPadGroup = 0x200;
constexpr int kAnyKey = -1;

}  // namespace

std::uint8_t ReadKeyInput(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t options = Arg(line, 2);
    interpreter.keyOption = 0;
    if ((options & kKeyOptionGiven) != 0 && line.args.size() > 3)
        interpreter.keyOption = interpreter.ReadInterpreterValue(Arg(line, 3));
    interpreter.keyWait = false;
    if ((options & kWaitForKey) == 0) {
        EvaluateKeyInput(interpreter);
        return 1;
    }
    interpreter.keyWait = true;
    // A key already down when the wait begins counts only after it was released.
    const std::int32_t group = options & kGroupMask;
    if (group == kKeyboardGroup)
        PollKeyboardCode(true, false, interpreter.keyboardPollState, kAnyKey);
    else if (group == kPadGroup)
        PollPadCode(true, false, interpreter.padPollState, kAnyKey);
    return 1;
}

}  // namespace game
