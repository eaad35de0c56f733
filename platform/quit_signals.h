#pragma once

namespace platform {

// SIGINT and SIGTERM ask the program to quit as closing its window does: the first signal is
// kept until the event pump takes it as a close request. A second signal, or the program
// still running `grace_seconds` after the first (a frame that never ends), exits at once
// with 128 + the first signal's number. Only the first call installs; later ones do nothing.
void CatchQuitSignals(unsigned grace_seconds);

// True once for a caught quit signal not yet taken.
bool TakeQuitSignal();

}  // namespace platform
