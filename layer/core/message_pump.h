#pragma once

namespace layer {

// Dispatches the main window's waiting messages and services what runs without a thread of its
// own. While the window is inactive (and the layer does not run inactive) it returns only once
// the window is active again or must close. 0, or -1 once the window is gone.
int RunMessagePump();
// The gate of drawing and input: pumps while the window is inactive, then restores what the
// display lost. Returns 0.
int WaitWhileInactive();

}  // namespace layer
