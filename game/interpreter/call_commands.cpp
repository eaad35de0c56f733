#include "game/interpreter/call_commands.h"

#include <algorithm>
#include <string>

#include "game/core/common_event.h"
#include "game/core/common_event_files.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/play_settings.h"
#include "game/core/processing_point.h"
#include "game/core/screen_state.h"
#include "game/core/system_message_box.h"
#include "game/core/variable_ids.h"
#include "game/core/variable_store.h"
#include "game/interpreter/call_commands_texts.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/message_text.h"
#include "game/map/event_character.h"
#include "game/map/map_state.h"

namespace game {
namespace {

// Event IDs of the call commands: below 500000 a map event, from 500000 a common event by
// number, from 600000 relative to the running common event (600100 itself).
constexpr std::int32_t kFirstCommonId = 500000;
constexpr std::int32_t kFirstRelativeId = 600000;
constexpr std::int32_t kRelativeSelfId = 600100;
constexpr std::int32_t kCommonSelfBase = 15000000;
constexpr int kFirstStringSlot = 5;
constexpr std::int32_t kExpandName = 0x100;

int CommonEventCount() {
    return static_cast<int>(CommonEvents.events.size());
}

// The common event a call ID from 500000 on names; relative IDs are kept on the list.
std::int64_t CommonIndexOf(const EventInterpreter& interpreter, std::int32_t id) {
    if (id < kFirstRelativeId)
        return id - kFirstCommonId;
    const std::int64_t index =
        static_cast<std::int64_t>(interpreter.commonNumber) + (id - kRelativeSelfId);
    return std::max<std::int64_t>(0, std::min<std::int64_t>(index, CommonEventCount() - 1));
}

bool IsCommonEvent(std::int64_t index) {
    return index >= 0 && index < CommonEventCount();
}

void ReportInTestPlay(const std::string& text) {
    if (TestPlayMode != 0)
        ShowErrorBox(kTestPlayError, text, "");
}

// A new child for the caller, or null past the call-depth cap (reported).
EventInterpreter* NewChild(EventInterpreter& caller) {
    if (caller.callDepth >= kMaxCallDepth) {
        const std::string text = FormatText(kCallTooDeep, kMaxCallDepth);
        WriteConsoleLine(text);
        ShowErrorBox(text, GetProcessingPointText(), "");
        return nullptr;
    }
    caller.children.clear();
    EventInterpreter& child = caller.children.emplace_back();
    child.callDepth = caller.callDepth + 1;
    return &child;
}

std::int32_t SelfVariableId(int commonIndex, int slot) {
    return OwnedVariableId(kCommonSelfBase, commonIndex, 100, slot);
}

void CallMapEvent(EventInterpreter& caller, std::int32_t id) {
    if (id == -1)
        id = caller.eventNumber;
    const std::int32_t page = caller.ReadInterpreterValue(Arg(caller.CurrentLine(), 2));
    EventCharacter* event = FindEventCharacter(TheMapState, id);
    if (event == nullptr || page >= static_cast<std::int64_t>(event->mapEvent.pages.size())) {
        ReportInTestPlay(FormatText(kMissingMapEventCall, id, page + 1));
        return;
    }
    const std::vector<EventCommand>& commands =
        page < 0 ? event->commands : event->mapEvent.pages[static_cast<std::size_t>(page)].commands;
    EventInterpreter* child = NewChild(caller);
    if (child == nullptr)
        return;
    child->ownCommands = commands;
    child->StartInterpreter(CommandListRef::Own(), id, -1);
}

// Appends the common events of a ".common" file once per name; the index of its first, or -1.
int LoadCommonFile(const std::string& name) {
    if (const auto known = CommonFileIndex.find(name); known != CommonFileIndex.end())
        return known->second;
    const int first = CommonEventCount();
    if (LoadCommonEventFile(CommonEvents, name, first, true) == -1)
        return -1;
    const std::size_t count = CommonEvents.events.size();
    TheVariableStore.commonNumbers.resize(
        std::max(count, TheVariableStore.commonNumbers.size()),
        std::deque<std::int32_t>(VariableStore::kCommonNumberSlots, 0));
    TheVariableStore.commonStrings.resize(
        std::max(count, TheVariableStore.commonStrings.size()),
        std::vector<std::string>(VariableStore::kCommonStringSlots));
    CommonFileIndex[name] = first;
    for (std::size_t i = static_cast<std::size_t>(first); i < count; ++i)
        CommonEventNames[CommonEvents.events[i].name] = static_cast<int>(i);
    return first;
}

}  // namespace

void StartCommonEventChild(EventInterpreter& caller, int commonIndex) {
    const EventCommand& line = caller.CurrentLine();
    const int numbers = Arg(line, 2) & 15;
    const int strings = (Arg(line, 2) >> 4) & 15;
    for (int j = 0; j < numbers; ++j) {
        TheVariableStore.StoreValueById(
            SelfVariableId(commonIndex, j),
            caller.ReadInterpreterValue(Arg(line, 3 + static_cast<std::size_t>(j))));
    }
    for (int j = 0; j < strings; ++j) {
        TheVariableStore.StoreStringById(
            SelfVariableId(commonIndex, kFirstStringSlot + j),
            caller.ReadInterpreterString(Arg(line, 3 + static_cast<std::size_t>(numbers + j))));
    }
    caller.calledCommon = commonIndex;
    EventInterpreter* child = NewChild(caller);
    if (child == nullptr)
        return;
    child->StartInterpreter(CommandListRef::Common(commonIndex), caller.eventNumber, commonIndex);
    child->slot = caller.slot + 1;
    child->autoPick = false;
}

std::uint8_t CallEvent(EventInterpreter& interpreter) {
    const std::int32_t id = interpreter.ReadInterpreterValue(Arg(interpreter.CurrentLine(), 1));
    if (id < kFirstCommonId) {
        CallMapEvent(interpreter, id);
        return 1;
    }
    const std::int64_t index = CommonIndexOf(interpreter, id);
    if (IsCommonEvent(index))
        StartCommonEventChild(interpreter, static_cast<int>(index));
    else
        ReportInTestPlay(FormatText(kMissingCommonCall, static_cast<int>(index)));
    return 1;
}

std::uint8_t ReserveEvent(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t id = interpreter.ReadInterpreterValue(Arg(line, 1));
    if (id >= kFirstCommonId) {
        const std::int64_t index = CommonIndexOf(interpreter, id);
        if (IsCommonEvent(index))
            TheScreenState.reservedCommonEvent = static_cast<int>(index);
        return 1;
    }
    EventCharacter* event = FindEventCharacter(TheMapState, id);
    if (event != nullptr && static_cast<std::int64_t>(event->mapEvent.pages.size()) >
                                interpreter.ReadInterpreterValue(Arg(line, 2)))
        MarkEventToRun(*event, 1);
    return 1;
}

std::uint8_t CallEventByName(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    std::string name = Str(line, 0);
    if ((Arg(line, 2) & kExpandName) != 0) {
        MessageTextOptions options;
        options.substitutionsOnly = true;
        options.atLine = true;
        name = ExpandMessageText(name, interpreter.eventNumber, interpreter.commonNumber,
                                 TheMapState.mapNumber, options);
    }
    int index = -1;
    if (name.find(".common") != std::string::npos) {
        index = LoadCommonFile(name);
    } else if (const auto named = CommonEventNames.find(name); named != CommonEventNames.end()) {
        index = named->second;
    }
    if (IsCommonEvent(index))
        StartCommonEventChild(interpreter, index);
    return 1;
}

}  // namespace game
