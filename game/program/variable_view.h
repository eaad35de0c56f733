#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace game {

// The columns of the variable view: lines 9 pixels apart, a new column once a line would
// reach columnEnd, and pages of pageStep pixels to the right.
struct VariableViewLayout {
    int columnWidth = 220;
    int pageStep = 660;
    int columnEnd = 472;
    int unit = 32;
};

// The layout for the game's tile size and zoom (narrower columns for 16-pixel tiles at zoom 1).
VariableViewLayout CurrentVariableViewLayout();

// The first `limit` bytes of a CP932 text, shortened further so that no two-byte character
// is cut in half.
std::string FirstWholeCharacters(const std::string& text, std::size_t limit);

// The view's lines: where the main interpreter stands, then every variable set, the string
// variables, the system variables and the system strings, named after the system database.
std::vector<std::string> VariableListLines();

// Draws one page of the view, shifted left by `offset` pixels; returns the x of the last
// column before the shift.
int DrawVariableList(const std::vector<std::string>& lines, int offset,
                     const VariableViewLayout& layout);

// The offset of the page after the one shown at `offset`, or -1 when that was the last.
int NextVariableViewOffset(int offset, int lastColumnX, const VariableViewLayout& layout);

// The test-play variable view (F9): shows its pages one after the other, each until the
// player confirms. With QVARN_AUTO_CONFIRM=1 the lines go to the console instead.
void ShowVariableList(bool resetScroll);

}  // namespace game
