#pragma once

namespace layer {

// Brings the layer up in its fixed order: files, log, system report, main window, input, sound,
// graphics. 0 (also when already started), or -1 after giving back what it had started.
int StartLayer();
// Takes the layer down again and returns to the start-up folder; nothing when not started.
// Returns 0.
int EndLayer();

}  // namespace layer
