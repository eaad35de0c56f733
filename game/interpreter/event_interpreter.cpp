#include "game/interpreter/event_interpreter.h"

#include <algorithm>
#include <array>

#include "game/core/exit_program.h"
#include "game/core/format_text.h"
#include "game/core/screen_state.h"
#include "game/core/system_message_box.h"
#include "game/core/variable_store.h"
#include "game/interpreter/window_links.h"
#include "game/map/map_state.h"

namespace game {
namespace {

constexpr int kAutomaticTrigger = 1;

using Comparison = bool (*)(std::int32_t, std::int32_t);
constexpr std::array<Comparison, 7> kComparisons{{
    [](std::int32_t l, std::int32_t r) { return l > r; },
    [](std::int32_t l, std::int32_t r) { return l >= r; },
    [](std::int32_t l, std::int32_t r) { return l == r; },
    [](std::int32_t l, std::int32_t r) { return l <= r; },
    [](std::int32_t l, std::int32_t r) { return l < r; },
    [](std::int32_t l, std::int32_t r) { return l != r; },
    [](std::int32_t l, std::int32_t r) { return (l & r) == r; },
}};

}  // namespace

EventInterpreter::~EventInterpreter() {
    DropWindowLinks(TheScreenState, this);
}

void EventInterpreter::SetUpInterpreter(int newSlot, bool newAutoPick) {
    slot = newSlot;
    autoPick = newAutoPick;
    if (slot > kMaxSlot) {
        WriteConsoleLine(
            FormatText("Event calls nested deeper than %d: the program ends", kMaxSlot));
        ExitProgram(1);
    }
    if (autoPick) {
        automaticEvents.clear();
        for (const CommonEvent& event : CommonEvents.events) {
            if ((event.trigger & 0x0F) == kAutomaticTrigger)
                automaticEvents.push_back(event);
        }
    }
    ResetInterpreter();
}

void EventInterpreter::ResetInterpreter() {
    mapId = 0;
    eventNumber = -1;
    commonNumber = -1;
    messageWait = false;
    moveWait = false;
    keyWait = false;
    waitFrames = 0;
    commandList = CommandListRef::None();
    children.clear();
    branchResults.fill(0);
    loopIndents.clear();
    loopCounts.clear();
    keyboardPollState = 0;
    padPollState = 0;
    calledCommon = 0;
}

void EventInterpreter::StartInterpreter(CommandListRef commands, int newEventNumber,
                                        int newCommonNumber) {
    ResetInterpreter();
    mapId = TheMapState.mapNumber;
    eventNumber = newEventNumber;
    commonNumber = newCommonNumber;
    commandList = commands;
    line = 0;
}

const EventCommand& EndCommandLine() {
    static const EventCommand end = [] {
        EventCommand line;
        line.args = {EventCommand::kEndCode};
        return line;
    }();
    return end;
}

const std::vector<EventCommand>* EventInterpreter::ResolveCommandList() const {
    switch (commandList.kind) {
        case CommandListRef::Kind::kOwn:
            return &ownCommands;
        case CommandListRef::Kind::kCommon:
            if (commandList.commonIndex < 0 ||
                static_cast<std::size_t>(commandList.commonIndex) >= CommonEvents.events.size())
                return nullptr;
            return &CommonEvents.events[static_cast<std::size_t>(commandList.commonIndex)].commands;
        case CommandListRef::Kind::kNone:
            break;
    }
    return nullptr;
}

int EventInterpreter::BranchResult(int indent) const {
    if (indent < 0 || indent >= kBranchLevels)
        return 0;
    return branchResults[static_cast<std::size_t>(indent)];
}

void EventInterpreter::SetBranchResult(int indent, int value) {
    if (indent >= 0 && indent < kBranchLevels)
        branchResults[static_cast<std::size_t>(indent)] = value;
}

bool CompareValues(int comparison, std::int32_t left, std::int32_t right) {
    if (comparison < 0 || comparison >= static_cast<int>(kComparisons.size()))
        return false;
    return kComparisons[static_cast<std::size_t>(comparison)](left, right);
}

bool TestAutoRunCondition(const CommonEvent& commonEvent) {
    const std::int32_t value = TheVariableStore.ReadValueById(commonEvent.conditionVariable);
    return CompareValues(commonEvent.trigger >> 4, value, commonEvent.conditionValue);
}

std::int32_t ClampToBillions(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -2000000000, 2000000000));
}

std::int32_t ClampToSixDigits(bool apply, std::int32_t value) {
    return apply ? std::clamp(value, -999999, 999999) : value;
}

}  // namespace game
