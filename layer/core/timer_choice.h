#pragma once

namespace layer {

// Window creation's test of the two clocks behind the microsecond clock: the one that moved
// more often in a short watch is chosen (a tie keeps the performance counter).
void ChooseMicrosecondTimer();

}  // namespace layer
