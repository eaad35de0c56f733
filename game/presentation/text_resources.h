#pragma once

#include <array>
#include <string>
#include <vector>

namespace game {

// The fonts and icons of the message text. Fonts are cached by face slot, edge and pixel
// size; the layer has only 40 font handles, so the cache empties itself (and every layer
// font) before it holds more than 36.
struct TextResources {
    // List slot * 2 + edge holds the handle per pixel size (0 to 249); 0 = not created.
    std::array<std::vector<int>, 10> FontCache;
    // The layer font type without (0) and with (1) outline: bit 0 outline, bit 1 anti-aliasing.
    std::array<int, 2> FontTypes{};
    int CreatedFontCount = 0;
    // Charset per face slot: -1 (the layer's default) for an installed face, 0 otherwise.
    std::array<int, 4> FaceCharsets{};
    std::vector<std::string> FontFaces;
    // Graph of icon n at index n, 0 for a number without icon.
    std::vector<int> IconHandles;
    std::vector<int> IconWidths;
    std::vector<int> IconHeights;
    // Text-size factor, 100 or 200 (fonts made at half size, drawn at twice the scale).
    int SizeFactor = 0;
    // A face slot whose font could not be made has been reported: the renderer asks again
    // every frame, so each slot is reported once until the next SetupFonts.
    std::array<bool, 4> FaceFailureShown{};
};

extern TextResources TheTextResources;

// Makes the font of the slot, pixel size and edge present in the cache; read the handle with
// CachedFontHandle afterwards (this call may empty the cache).
void GetCachedFont(TextResources& textResources, int slot, int pixelSize, int thickness, int edge);
// The cached handle, 0 when not created, -1 outside the cache.
int CachedFontHandle(const TextResources& textResources, int slot, int pixelSize, int edge);
// Deletes every font of the layer and empties the cache.
void ClearFontCache(TextResources& textResources);
// Sets up the four configured fonts from the game's font names and font type setting.
void SetupFonts(TextResources& textResources);
// Loads the message-text icons from "BasicData\", replacing all earlier ones.
void LoadIcons(TextResources& textResources);
// An icon file name's number: its characters 4 to 6 read as a decimal integer.
int IconNumber(const std::string& name);

}  // namespace game
