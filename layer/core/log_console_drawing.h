#pragma once

namespace layer {

// Prepares the log console once a display object and the window exist: its line height, its
// font, hidden and empty. 0, or -1 when it cannot be prepared yet.
int InitLogConsole();
// Makes the console's font again when it is missing or the font system deleted it. Returns 0,
// or -1 when the console cannot be prepared.
int PrepareLogConsoleFont();
// Draws the lines that fit the screen, white with a black edge. Returns 0.
int DrawLogConsole();
// Shutdown: the console lets go of its font.
void ReleaseLogConsoleFont();

}  // namespace layer
