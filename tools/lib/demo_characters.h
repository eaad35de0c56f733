#pragma once

#include <string>
#include <vector>

#include "tools/lib/demo_map.h"
#include "tools/lib/png_writer.h"

namespace tools {

// Character sheets of the demo, drawn by us: 4 rows (down, left, right, up; the right half
// of an eight-direction row the diagonals), a figure per cell whose eyes show the facing and
// whose feet show the column.

// Names below the data folder.
inline constexpr char kDemoHeroSheet[] = "CharaChip\\hero.png";
inline constexpr char kDemoPartySheet[] = "CharaChip\\friend.png";
inline constexpr char kDemoSecondPartySheet[] = "CharaChip\\scout.png";
inline constexpr char kDemoNpcSheet[] = "CharaChip\\npc.png";
inline constexpr char kDemoStandColumnSheet[] = "CharaChip\\clerkT.png";
inline constexpr char kDemoDoubleSheet[] = "CharaChip\\guardTX.png";
inline constexpr char kDemoSingleImage[] = "CharaChip\\sign$.png";
inline constexpr char kDemoShadowImage[] = "System\\shadow.png";

// A sheet of columns x 4 cells of 32 x 48 pixels in the body colour (0xRRGGBB).
RgbaPicture DemoCharacterSheet(int columns, unsigned bodyColour);
// One 32 x 32 sign board.
RgbaPicture DemoSignPicture();
// 6 x 4 cells of 32 x 16 with a translucent ellipse.
RgbaPicture DemoShadowPicture();

// The sheets above with their paths below the game folder.
std::vector<DemoFile> DemoCharacterFiles();

}  // namespace tools
