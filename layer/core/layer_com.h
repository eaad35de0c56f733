#pragma once

namespace layer {

// The component runtime the layer starts with the window. The player needs none of it, so
// starting always succeeds. 0, or -1 when it was already started.
int StartCom();
// Ends it when it was started. Returns 0.
int EndCom();

}  // namespace layer
