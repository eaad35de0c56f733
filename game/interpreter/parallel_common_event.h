#pragma once

#include <vector>

#include "game/interpreter/event_interpreter.h"

namespace game {

// The runner of a common event with a parallel trigger (start kind 2 while its condition
// holds, 3 always), kept by the current map: dormant without an interpreter, active with
// one that runs the common event's list in place, from its first line again whenever it
// ended. Copies carry the interpreter.
class ParallelCommonEvent {
  public:
    // Evaluates the trigger at once.
    explicit ParallelCommonEvent(int commonEventIndex);

    // Creates the interpreter when the trigger holds (a running one goes on), or drops it in
    // the middle of its list when it does not.
    void CheckParallelTrigger();
    // Starts the interpreter again when it is idle, then runs one frame of it.
    void StepParallelCommonEvent();

    // The low four bits of the common event's trigger; 0 when the event no longer exists.
    int GetCommonEventTriggerKind() const;
    // The common event's start condition.
    bool TestCommonEventCondition() const;

    int commonEventIndex() const { return commonEventIndex_; }

    // Empty while dormant, else exactly one interpreter.
    std::vector<EventInterpreter> interpreters;

  private:
    int commonEventIndex_;
};

}  // namespace game
