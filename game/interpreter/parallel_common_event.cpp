#include "game/interpreter/parallel_common_event.h"

#include "game/core/common_event.h"
#include "game/interpreter/run_interpreter.h"

namespace game {
namespace {

constexpr int kParallelWhileCondition = 2;
constexpr int kParallelAlways = 3;
// Parallel common events run under map event number 0, so the running map event's IDs they
// use address event 0 of the map.
constexpr int kParallelEventNumber = 0;

const CommonEvent* CommonEventAt(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= CommonEvents.events.size())
        return nullptr;
    return &CommonEvents.events[static_cast<std::size_t>(index)];
}

}  // namespace

ParallelCommonEvent::ParallelCommonEvent(int commonEventIndex)
    : commonEventIndex_(commonEventIndex) {
    CheckParallelTrigger();
}

int ParallelCommonEvent::GetCommonEventTriggerKind() const {
    const CommonEvent* event = CommonEventAt(commonEventIndex_);
    return event != nullptr ? event->trigger & 15 : 0;
}

bool ParallelCommonEvent::TestCommonEventCondition() const {
    const CommonEvent* event = CommonEventAt(commonEventIndex_);
    return event != nullptr && TestAutoRunCondition(*event);
}

void ParallelCommonEvent::CheckParallelTrigger() {
    const int kind = GetCommonEventTriggerKind();
    if (kind == kParallelAlways ||
        (kind == kParallelWhileCondition && TestCommonEventCondition())) {
        if (interpreters.empty())
            interpreters.emplace_back().SetUpInterpreter(0, false);
        return;
    }
    interpreters.clear();
}

void ParallelCommonEvent::StepParallelCommonEvent() {
    if (interpreters.empty())
        return;
    EventInterpreter& interpreter = interpreters.front();
    if (!interpreter.IsInterpreterRunning()) {
        interpreter.StartInterpreter(CommandListRef::Common(commonEventIndex_),
                                     kParallelEventNumber, commonEventIndex_);
    }
    RunInterpreter(interpreter);
}

}  // namespace game
