// The font cache and the font set-up of the message text.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "game/core/error_box.h"
#include "game/core/game_info.h"
#include "game/presentation/font_cache_texts.h"
#include "game/presentation/text_layer_calls.h"
#include "game/presentation/text_resources.h"

namespace game {
namespace {

// "ＭＳ ゴシック": the face every slot falls back to.
constexpr char kFontFailure[] = "The font was not generable.";
constexpr int kCacheSizes = 250;
constexpr int kCacheLimit = 35;
constexpr int kFirstFaceString = 3;
constexpr int kFontTypeFlag = 14;

// The layer font types per font type setting: anti-aliased, plain, plain at half size.
struct FontTypeSetting {
    int plain;
    int outlined;
    int sizeFactor;
};
constexpr FontTypeSetting kFontTypeSettings[] = {{2, 3, 100}, {0, 1, 100}, {0, 1, 200}};

bool InCache(int slot, int pixelSize, int edge) {
    return slot >= 0 && slot <= 4 && (edge == 0 || edge == 1) && pixelSize >= 0 &&
           pixelSize < kCacheSizes;
}

int& CacheEntry(TextResources& textResources, int slot, int pixelSize, int edge) {
    return textResources
        .FontCache[static_cast<std::size_t>(slot * 2 + edge)][static_cast<std::size_t>(pixelSize)];
}

int OpenFont(const TextResources& textResources, int slot, int pixelSize, int thickness, int edge,
             int charset) {
    return TheTextLayerCalls.OpenFontHandle(
        textResources.FontFaces[static_cast<std::size_t>(slot)].c_str(), pixelSize, thickness,
        textResources.FontTypes[static_cast<std::size_t>(edge)], charset, -1, 0, -1, -1);
}

}  // namespace

void GetCachedFont(TextResources& textResources, int slot, int pixelSize, int thickness, int edge) {
    if (textResources.FontFaces.size() < 4)
        textResources.FontFaces.resize(4, kFallbackFace);
    TheTextLayerCalls.SetStandardFontFace(textResources.FontFaces[0].c_str(), -1);
    if (textResources.CreatedFontCount > kCacheLimit)
        ClearFontCache(textResources);
    // Slot 4 has a cache list but no face; the renderer never asks for it.
    if (!InCache(slot, pixelSize, edge) || slot > 3)
        return;
    // A cache that was never cleared has no entries yet.
    for (std::vector<int>& list : textResources.FontCache)
        list.resize(kCacheSizes, 0);
    if (CacheEntry(textResources, slot, pixelSize, edge) != 0)
        return;
    const auto face = static_cast<std::size_t>(slot);
    int handle =
        OpenFont(textResources, slot, pixelSize, thickness, edge, textResources.FaceCharsets[face]);
    if (handle <= 0) {
        if (!textResources.FaceFailureShown[face]) {
            textResources.FaceFailureShown[face] = true;
            ShowErrorBox(textResources.FontFaces[face], kFontFailure, "");
        }
        textResources.FontFaces[face] = kFallbackFace;
        handle = OpenFont(textResources, slot, pixelSize, thickness, edge, -1);
    }
    CacheEntry(textResources, slot, pixelSize, edge) = handle;
    ++textResources.CreatedFontCount;
}

int CachedFontHandle(const TextResources& textResources, int slot, int pixelSize, int edge) {
    if (!InCache(slot, pixelSize, edge))
        return -1;
    const auto& list = textResources.FontCache[static_cast<std::size_t>(slot * 2 + edge)];
    return static_cast<std::size_t>(pixelSize) < list.size()
               ? list[static_cast<std::size_t>(pixelSize)]
               : 0;
}

void ClearFontCache(TextResources& textResources) {
    TheTextLayerCalls.ResetFonts();
    textResources.CreatedFontCount = 0;
    for (std::vector<int>& list : textResources.FontCache)
        list.assign(kCacheSizes, 0);
}

void SetupFonts(TextResources& textResources) {
    const std::vector<std::string>& strings = TheGameInfo.gameStrings;
    textResources.FontFaces.clear();
    for (std::size_t index = kFirstFaceString; index < kFirstFaceString + 4; ++index) {
        const bool given = index < strings.size() && !strings[index].empty();
        textResources.FontFaces.push_back(given ? strings[index] : kFallbackFace);
    }
    textResources.FaceCharsets.fill(0);
    textResources.FaceFailureShown.fill(false);
    ClearFontCache(textResources);
    textResources.SizeFactor = 100;
    const std::vector<std::int8_t>& flags = TheGameInfo.gameFlags;
    const int setting = kFontTypeFlag < static_cast<int>(flags.size()) ? flags[kFontTypeFlag] : 0;
    if (setting >= 0 && setting < static_cast<int>(std::size(kFontTypeSettings))) {
        const FontTypeSetting& types = kFontTypeSettings[setting];
        textResources.FontTypes = {types.plain, types.outlined};
        textResources.SizeFactor = types.sizeFactor;
    }
    const int count = TheTextLayerCalls.GetInstalledFontNames(nullptr, 0, 1);
    if (count <= 0)
        return;
    std::vector<std::array<char, 64>> names(static_cast<std::size_t>(count));
    const int filled = std::clamp(TheTextLayerCalls.GetInstalledFontNames(
                                      reinterpret_cast<char(*)[64]>(names.data()), count, 1),
                                  0, count);
    for (std::size_t slot = 0; slot < 4; ++slot) {
        for (int name = 0; name < filled; ++name) {
            const std::array<char, 64>& entry = names[static_cast<std::size_t>(name)];
            if (textResources.FontFaces[slot] ==
                std::string(entry.data(), strnlen(entry.data(), 64)))
                textResources.FaceCharsets[slot] = -1;
        }
    }
}

}  // namespace game
