#pragma once

namespace game {

// The fonts and icons of the message text.
struct TextResources {};

extern TextResources TheTextResources;

// Sets up the four configured fonts from the game's font names.
void SetupFonts(TextResources& textResources);
// Loads the message-text icons.
void LoadIcons(TextResources& textResources);

}  // namespace game
