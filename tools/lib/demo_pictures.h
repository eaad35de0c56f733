#pragma once

#include <vector>

#include "game/core/common_event.h"
#include "game/core/event_records.h"
#include "tools/lib/command_list_builder.h"
#include "tools/lib/demo_map.h"

namespace tools {

// The demo's pictures, drawn by us: the title picture (640 x 480), a sheet of 3 x 2 numbered
// cells, a nine-cell window skin (48 x 48) and the gradient rule image of the title's
// transition, with their names below the data folder.
inline constexpr char kDemoTitleImage[] = "Picture\\Title.png";
inline constexpr char kDemoNumbersImage[] = "Picture\\Numbers.png";
inline constexpr char kDemoSkinImage[] = "Picture\\Skin.png";
inline constexpr char kDemoRuleImage[] = "Picture\\Rule.png";

// The common event that the gallery's map event calls.
inline constexpr int kDemoGalleryEvent = 3;

RgbaPicture DemoTitlePicture();
RgbaPicture DemoNumbersPicture();
RgbaPicture DemoSkinPicture();
RgbaPicture DemoRulePicture();

std::vector<DemoFile> DemoPictureFiles();

// The title's pictures, shown before its message: the title picture fading in, the game's
// name as a string picture and a window picture behind the choice.
void AddTitlePictures(CommandListBuilder& list);
// The start of the game from the title (indent 1): a rule transition is configured and
// prepared, the title's pictures are erased and the transition runs onto the map.
void AddTitleTransition(CommandListBuilder& list);

// The gallery: cells, anchors, rotation, zoom, blend kinds, both tints, a map-linked picture
// and pictures in all four layers, a tone, a message, moves, a flash and erases.
game::CommonEvent DemoGalleryEvent();

}  // namespace tools
