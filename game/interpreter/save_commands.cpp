#include "game/interpreter/save_commands.h"

#include <string>

#include "game/core/variable_ids.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "game/save/save_cache.h"
#include "game/save/save_file.h"
#include "game/save/slot_variables.h"

namespace game {
namespace {

constexpr int kSaveMode = 0;
constexpr int kLoadMode = 1;
constexpr int kReplayMode = 2;
constexpr char kNoString[] = "<<ERROR>>";

struct SlotChoice {
    int slot = 0;
    std::string prefix = kDefaultSavePrefix;
};

// The slot of commands 221 and 222: a number names a slot under the default prefix, a text
// names a whole file.
SlotChoice ChooseSlot(EventInterpreter& interpreter, std::int32_t argument) {
    SlotChoice choice;
    if (IsNumberVariableId(argument))
        choice.slot = interpreter.ReadInterpreterValue(argument);
    else
        choice.prefix = interpreter.ReadInterpreterString(argument);
    return choice;
}

// The variable inside the slot: bit 0 of int 4 reads int 3 as a value first.
std::int32_t SlotVariableId(EventInterpreter& interpreter, const EventCommand& line) {
    const bool indirect = line.args.size() >= 5 && (Arg(line, 4) & 1) != 0;
    return indirect ? interpreter.ReadInterpreterValue(Arg(line, 3)) : Arg(line, 3);
}

}  // namespace

std::uint8_t SaveOrLoadGame(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    SlotChoice choice;
    const std::string text = interpreter.ReadInterpreterString(Arg(line, 2));
    if (text == kNoString)
        choice.slot = interpreter.ReadInterpreterValue(Arg(line, 2));
    else
        choice.prefix = text;
    switch (Arg(line, 1)) {
        case kSaveMode:
            WriteSaveFile(choice.slot, true, choice.prefix);
            break;
        case kLoadMode:
            if (ReadSaveFile(choice.slot, true, false, choice.prefix)) {
                SaveLoadedThisFrame = 1;
                TheMainInterpreter.commandList = CommandListRef::None();
            }
            break;
        case kReplayMode:
            if (ReadSaveFile(choice.slot, false, true, choice.prefix))
                SaveLoadedThisFrame = 1;
            break;
        default:
            break;
    }
    return 1;
}

std::uint8_t ReadSaveSlotVariable(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const SlotChoice choice = ChooseSlot(interpreter, Arg(line, 2));
    const std::int32_t id = SlotVariableId(interpreter, line);
    const std::int32_t target = Arg(line, 1);
    if (IsNumberVariableId(target))
        interpreter.StoreInterpreterValue(target, GetSlotVariable(choice.slot, id, choice.prefix));
    else
        interpreter.StoreInterpreterString(target, GetSlotString(choice.slot, id, choice.prefix));
    return 1;
}

std::uint8_t WriteSaveSlotVariable(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const SlotChoice choice = ChooseSlot(interpreter, Arg(line, 2));
    const std::int32_t id = SlotVariableId(interpreter, line);
    const std::int32_t source = Arg(line, 1);
    if (IsNumberVariableId(source))
        SetSlotVariable(choice.slot, id, interpreter.ReadInterpreterValue(source), choice.prefix);
    else
        SetSlotString(choice.slot, id, interpreter.ReadInterpreterString(source), choice.prefix);
    return 1;
}

}  // namespace game
