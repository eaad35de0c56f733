#pragma once

namespace game {

// The runner of a common event with a parallel trigger, kept by the current map. Its
// interpreter joins with the interpreter's command families; until then the runner keeps
// only which common event it runs.
class ParallelCommonEvent {
  public:
    // Evaluates the trigger at once.
    explicit ParallelCommonEvent(int commonEventIndex);

    // Re-evaluates the trigger, keeping or dropping the interpreter.
    void CheckParallelTrigger();
    // Runs one frame of the interpreter.
    void StepParallelCommonEvent();

    int commonEventIndex() const { return commonEventIndex_; }

  private:
    int commonEventIndex_;
};

}  // namespace game
