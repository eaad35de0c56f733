#include "game/interpreter/parallel_common_event.h"

namespace game {

ParallelCommonEvent::ParallelCommonEvent(int commonEventIndex)
    : commonEventIndex_(commonEventIndex) {}

void ParallelCommonEvent::CheckParallelTrigger() {}

void ParallelCommonEvent::StepParallelCommonEvent() {}

}  // namespace game
