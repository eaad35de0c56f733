#pragma once

namespace layer {

// Notes that a frame was given to the window, so that the shutdown knows one exists.
void NoteFramePresented();

// With QVARN_DUMP_FRAME set, writes the last presented frame as a 640 x 480 PNG there; with
// no frame presented, writes nothing and says so on stderr. Called by the layer shutdown
// while the window's frame still exists.
void DumpPresentedFrame();

}  // namespace layer
