#pragma once

#include <array>
#include <vector>

#include "tools/lib/demo_map.h"
#include "tools/lib/png_writer.h"

namespace tools {

// The demo's message and choice windows, drawn by us: the page-wait cursor, the choice
// window's frame and cursor (3 x 3 cells of 16 pixels each), and three message icons.

// Names below the data folder, as system database type 10 lists them.
inline constexpr char kDemoPageCursorImage[] = "System\\PageCursor.png";
inline constexpr int kDemoPageCursorFrames = 2;
inline constexpr char kDemoWindowFrameImage[] = "System\\WindowFrame.png";
inline constexpr char kDemoChoiceCursorImage[] = "System\\ChoiceCursor.png";

// 16 x 32: two frames of a downward arrow, the second 2 pixels lower.
RgbaPicture DemoPageCursorPicture();
// 48 x 48: a light border with clipped corners around a translucent dark blue inside.
RgbaPicture DemoWindowFramePicture();
// 48 x 48: a white border around a faint white inside.
RgbaPicture DemoChoiceCursorPicture();
// 24 x 24: icon 1 a coin, 2 a heart, 3 a blue gem.
RgbaPicture DemoIconPicture(int number);

// The 14 text colours of system database type 12 (red, green, blue): 0 white, 13 the ruby's.
std::vector<std::array<int, 3>> DemoTextColours();

// The three window pictures, the icons "icon001.png" to "icon003.png" and the icon list
// file, with their paths below the game folder.
std::vector<DemoFile> DemoWindowFiles();

}  // namespace tools
