#pragma once

#include <string>

namespace game {

class TextState;

// Lays out (drawFlag 0, a measure pass) or draws (drawFlag 1) the coded text of a TextState
// from its first byte: plain Shift-JIS text with line feeds and control codes. A draw pass
// draws what the reveal allows and lets waits, close-without-key and speed codes act; a
// measure pass records the line metrics that alignment and the windows read. The zoom
// scales the drawing around the text's origin.
void RenderText(TextState& textState, int drawFlag, double zoomX, double zoomY);

// What a coded text reads as, for the console: the characters and line feeds, a ruby group
// as its base text, the escaped backslash as "\"; other codes and inline image names left out.
std::string VisibleText(const std::string& coded);

// The text colours come from system database type 12 on the first pass of the run; this
// builds them again on the next pass (for tests and a changed database).
void ResetTextColourTable();

}  // namespace game
