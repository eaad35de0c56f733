#include "game/program/debug_panel.h"

#include <string>
#include <vector>

#include "game/core/format_text.h"
#include "game/map/image_cache.h"
#include "game/map/map_state.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/sound_manager.h"
#include "game/program/debug_view_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kBlendNone = 0;
constexpr int kBlendTranslucent = 1;
constexpr int kPlainFont = 0;
constexpr int kFontSize = 12;
constexpr int kLineHeight = 12;
constexpr int kNumberStep = 40;
constexpr int kNumberWrapX = 600;
constexpr int kPictureNumberStep = 60;
constexpr int kPictureNumbersPerLine = 10;

void DarkenBox(int x1, int y1, int x2, int y2, int alpha) {
    layer::ChangeBlendMode(kBlendTranslucent, alpha);
    layer::PaintRectangle(x1, y1, x2, y2, layer::MakeScreenColor(0, 0, 0), 1);
    layer::ChangeBlendMode(kBlendNone, 255);
}

// The cached names in the order they were loaded.
std::vector<std::string> CachedImageNames() {
    std::vector<std::string> names(TheImageCache.handles.size());
    for (const auto& [name, index] : TheImageCache.names) {
        if (index >= 0 && static_cast<std::size_t>(index) < names.size())
            names[static_cast<std::size_t>(index)] = name;
    }
    return names;
}

void DrawHeader(int white) {
    const std::string header = FormatText(
        kPanelHeaderFormat, static_cast<int>(ThePictureList.Pictures.size()),
        static_cast<int>(ThePictureImageCache.entries.size()), CountLoadedSounds(TheSoundManager));
    layer::PrintText(0, 0, header.c_str(), white, 0);
}

// Prints a heading and the names below it; returns the y of the last line.
int DrawNameList(int x, int y, const char* title, const std::vector<std::string>& names,
                 int heading, int white) {
    layer::PrintText(x, y, title, heading, 0);
    for (const std::string& name : names) {
        y += kLineHeight;
        layer::PrintText(x, y, name.c_str(), white, 0);
    }
    return y;
}

// The loaded picture images, a blank line, then the loaded sounds.
void DrawLoadedFiles(int heading, int white) {
    std::vector<std::string> pictures;
    for (const PictureImageEntry& entry : ThePictureImageCache.entries)
        pictures.push_back(entry.name);
    const int y = DrawNameList(0, 22, kPanelPicturesHeading, pictures, heading, white);
    DrawNameList(0, y + 2 * kLineHeight, kPanelSoundsHeading, LoadedSoundNames(TheSoundManager),
                 heading, white);
}

void DrawPictureNumbers(int white) {
    int index = 0;
    for (const Picture& picture : ThePictureList.Pictures) {
        const std::string number = std::to_string(picture.Number) + ",";
        layer::PrintText(index % kPictureNumbersPerLine * kPictureNumberStep,
                         300 + index / kPictureNumbersPerLine * kLineHeight, number.c_str(), white,
                         0);
        ++index;
    }
}

void DrawCachedImages(int heading, int white) {
    DrawNameList(320, 32, kPanelSpritesHeading, CachedImageNames(), heading, white);
}

void DrawRunningParallelEvents(int heading, int white) {
    layer::PrintText(0, 430, kPanelParallelHeading, heading, 0);
    int x = 0;
    int y = 430 + kLineHeight;
    for (const ParallelCommonEvent& event : TheMapState.parallelCommonEvents) {
        if (event.interpreters.empty())
            continue;
        const std::string number = std::to_string(event.commonEventIndex()) + ",";
        layer::PrintText(x, y, number.c_str(), white, 0);
        x += kNumberStep;
        if (x > kNumberWrapX) {
            x = 0;
            y += kLineHeight;
        }
    }
}

}  // namespace

void DrawDebugPanel() {
    DarkenBox(0, 0, 640, 480, 180);
    layer::SetStandardFontType(kPlainFont);
    layer::SetStandardFontSize(kFontSize);
    const int white = layer::MakeScreenColor(255, 255, 255);
    const int heading = layer::MakeScreenColor(255, 120, 120);
    DrawHeader(white);
    DrawLoadedFiles(heading, white);
    DrawCachedImages(heading, white);
    DarkenBox(0, 300, 640, 480, 120);
    DrawPictureNumbers(white);
    DrawRunningParallelEvents(heading, white);
}

}  // namespace game
