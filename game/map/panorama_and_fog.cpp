// The panorama behind the map and the fog over it: set up from a database entry or a file
// setting, scrolled by speed, parallax and shakes, drawn wrapped around in four pieces.
#include "game/map/panorama_and_fog.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/core/database.h"
#include "game/core/display_scale.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/image_cache.h"
#include "game/map/map_state.h"
#include "game/map/panorama_and_fog_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kImageType = 13;
constexpr int kFileContent = 0;
constexpr int kSpeedXContent = 1;
constexpr int kSpeedYContent = 2;
constexpr int kParallaxContent = 3;
constexpr int kNoImage = -1;
constexpr int kByFileSetting = -2;
constexpr int kBlendNone = 0;
constexpr int kBlendTranslucent = 1;

// The interpreter's values and the texts of one of the two images.
struct ImageSettings {
    int& number;
    int& speedX;
    int& speedY;
    int& parallax;
    std::string& file;
    std::uint8_t& fileChanged;
    const char* missingText;
    const char* fileMissingText;
    // The fog divides its speeds by the frames per update, the panorama multiplies them.
    bool divideSpeeds;
};

ImageSettings PanoramaSettings() {
    MainInterpreter& m = TheMainInterpreter;
    return {m.PanoramaImage,    m.PanoramaScrollX,    m.PanoramaScrollY,
            m.PanoramaParallax, m.PanoramaFile,       TheScreenState.panoramaChanged,
            kPanoramaMissing,   kPanoramaFileMissing, false};
}

ImageSettings FogSettings() {
    MainInterpreter& m = TheMainInterpreter;
    return {m.FogImage,    m.FogScrollX,    m.FogScrollY,
            m.FogParallax, m.FogFile,       TheScreenState.fogChanged,
            kFogMissing,   kFogFileMissing, true};
}

int Wrap(std::int64_t value, int size) {
    const std::int64_t s = size;
    return static_cast<int>(((value % s) + s) % s);
}

// The decimal number at the start of a line; 0 when there is none.
int LeadingNumber(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    if (!line.empty() && line.front() == '+')
        line.remove_prefix(1);
    int value = 0;
    std::from_chars(line.data(), line.data() + line.size(), value);
    return value;
}

// Loads the image into the cache; false when it cannot be shown.
bool LoadImage(ScrollingImageState& state, const std::string& name) {
    if (!TheImageCache.LoadGraphic(name, 1, 1, ImageCache::kCellCounts))
        return false;
    state.imageIndex = TheImageCache.FindGraphic(name);
    layer::GetGraphExtent(TheImageCache.GraphicHandle(state.imageIndex, 0), &state.width,
                          &state.height);
    return state.imageIndex >= 0;
}

void Scroll(ScrollingImageState& state, const ImageSettings& settings, const MapState& mapState) {
    if (settings.number == kNoImage || state.imageIndex == kNoImage || state.width <= 0 ||
        state.height <= 0)
        return;
    const int frames = std::max(FramesPerUpdate, 1);
    const int stepX = settings.divideSpeeds ? settings.speedX / frames : settings.speedX * frames;
    const int stepY = settings.divideSpeeds ? settings.speedY / frames : settings.speedY * frames;
    state.driftX = Wrap(std::int64_t{state.driftX} + stepX, 8 * state.width);
    state.driftY = Wrap(std::int64_t{state.driftY} + stepY, 8 * state.height);
    const int d = settings.parallax;
    const std::int64_t px = d != 0 ? -std::int64_t{mapState.scrollX} * 2 / d : 0;
    const std::int64_t py = d != 0 ? -std::int64_t{mapState.scrollY} * 2 / d : 0;
    state.scrollX = Wrap(state.driftX + px + mapState.shakeOffsetX, 8 * state.width);
    state.scrollY = Wrap(state.driftY + py + mapState.shakeOffsetY, 8 * state.height);
}

void Change(ScrollingImageState& state, const ImageSettings& settings, const MapState& mapState) {
    const int n = settings.number;
    state.scrollX = state.scrollY = state.driftX = state.driftY = 0;
    state.imageIndex = kNoImage;
    state.width = state.height = 2;
    if (n == kNoImage) {
        settings.file.clear();
    } else {
        std::string name = settings.file;
        if (n != kByFileSetting) {
            name = SysDataBase.ReadDBString(kImageType, n, kFileContent);
            settings.speedX = SysDataBase.ReadDBValue(kImageType, n, kSpeedXContent);
            settings.speedY = SysDataBase.ReadDBValue(kImageType, n, kSpeedYContent);
            if (SysDataBase.GetDBContentCount(kImageType) >= kParallaxContent + 1)
                settings.parallax = SysDataBase.ReadDBValue(kImageType, n, kParallaxContent);
        }
        if (!name.empty()) {
            if (LoadImage(state, name)) {
                settings.file = name;
            } else {
                state.imageIndex = kNoImage;
                ShowErrorBox(FormatText(settings.missingText, n), name, "");
            }
        }
    }
    state.shownNumber = n;
    Scroll(state, settings, mapState);
}

void ApplyFileSetting(ScrollingImageState& state, const ImageSettings& settings) {
    settings.fileChanged = 0;
    const std::string setting = settings.file;
    const std::size_t first = setting.find('\n');
    const std::string name = setting.substr(0, first);
    if (first != std::string::npos) {
        settings.file = name;
        settings.speedX = LeadingNumber(std::string_view(setting).substr(first + 1));
        const std::size_t second = setting.find('\n', first + 1);
        if (second != std::string::npos) {
            settings.speedY = LeadingNumber(std::string_view(setting).substr(second + 1));
            const std::size_t third = setting.find('\n', second + 1);
            if (third != std::string::npos)
                settings.parallax =
                    std::clamp(LeadingNumber(std::string_view(setting).substr(third + 1)), -1, 1);
        }
    }
    if (name.empty()) {
        settings.number = kNoImage;
        return;
    }
    if (!LoadImage(state, name)) {
        state.imageIndex = kNoImage;
        ShowErrorBox(settings.fileMissingText, name, "");
        return;
    }
    state.scrollX = state.scrollY = state.driftX = state.driftY = 0;
    settings.number = kByFileSetting;
    state.shownNumber = kByFileSetting;
}

std::int64_t Zoomed(std::int64_t p, int centre, int percent) {
    return (p - std::int64_t{centre} * ZoomFactor) * (percent - 100) / 100;
}

void DrawZoomed(ScrollingImageState& state, const MapState& mapState, int whole, int transparent) {
    for (int* scroll : {&state.scrollX, &state.scrollY}) {
        if (*scroll >= 4 && *scroll <= 7)
            *scroll = 8;
    }
    const int w = state.width;
    const int h = state.height;
    const int sx = state.scrollX / 8;
    const int sy = state.scrollY / 8;
    const int z = ZoomFactor;
    const int p = mapState.zoomPercent;
    const int cx = mapState.zoomCentreX;
    const int cy = mapState.zoomCentreY;
    const auto x0 = static_cast<int>(Zoomed(0, cx, p));
    const auto x1 = static_cast<int>(std::int64_t{state.scrollX} * z / 8 + Zoomed(sx * z, cx, p));
    const auto x2 = static_cast<int>(std::int64_t{w} * z + Zoomed(std::int64_t{w} * z, cx, p));
    const auto y0 = static_cast<int>(Zoomed(0, cy, p));
    const auto y1 = static_cast<int>(std::int64_t{state.scrollY} * z / 8 + Zoomed(sy * z, cy, p));
    const auto y2 = static_cast<int>(std::int64_t{h} * z + Zoomed(std::int64_t{h} * z, cy, p));
    struct Piece {
        int x, y, width, height, left, top, right, bottom;
    } const pieces[] = {{0, 0, w - sx, h - sy, x1, y1, x2, y2},
                        {w - sx, h - sy, sx, sy, x0, y0, x1, y1},
                        {w - sx, 0, sx, h - sy, x0, y1, x1, y2},
                        {0, h - sy, w - sx, sy, x1, y0, x2, y1}};
    for (const Piece& piece : pieces) {
        if (piece.width <= 0 || piece.height <= 0)
            continue;
        const int graph = layer::CreateSubGraph(piece.x, piece.y, piece.width, piece.height, whole);
        if (graph < 0)
            continue;
        layer::PaintGraphStretched(piece.left, piece.top, piece.right, piece.bottom, graph,
                                   transparent);
        layer::RemoveGraph(graph, 0);
    }
}

void Draw(ScrollingImageState& state, const MapState& mapState, int transparent) {
    const int w = state.width;
    const int h = state.height;
    const int whole = TheImageCache.GraphicHandle(state.imageIndex, 0);
    if (whole < 0 || w <= 0 || h <= 0)
        return;
    if (ZoomFactor * mapState.zoomPercent != 100) {
        DrawZoomed(state, mapState, whole, transparent);
        return;
    }
    const int sx = state.scrollX / 8;
    const int sy = state.scrollY / 8;
    layer::PaintGraphPart(sx, sy, 0, 0, w - sx, h - sy, whole, transparent, 0);
    layer::PaintGraphPart(0, 0, w - sx, h - sy, sx, sy, whole, transparent, 0);
    layer::PaintGraphPart(0, sy, w - sx, 0, sx, h - sy, whole, transparent, 0);
    layer::PaintGraphPart(sx, 0, 0, h - sy, w - sx, sy, whole, transparent, 0);
}

// Sets up what changed; true when there is an image to draw.
bool Prepare(ScrollingImageState& state, const ImageSettings& settings, const MapState& mapState) {
    if (state.shownNumber != settings.number)
        Change(state, settings, mapState);
    if (settings.fileChanged != 0)
        ApplyFileSetting(state, settings);
    return settings.number != kNoImage && state.imageIndex != kNoImage;
}

}  // namespace

PanoramaState ResetPanorama() {
    TheMainInterpreter.PanoramaParallax = 0;
    return {};
}

FogState ResetFog() {
    TheMainInterpreter.FogParallax = 0;
    return {};
}

void ChangePanorama(PanoramaState& state, const MapState& mapState) {
    Change(state, PanoramaSettings(), mapState);
}

void ChangeFog(FogState& state, const MapState& mapState) {
    Change(state, FogSettings(), mapState);
}

void ApplyPanoramaFileSetting(PanoramaState& state) {
    ApplyFileSetting(state, PanoramaSettings());
}

void ApplyFogFileSetting(FogState& state) {
    ApplyFileSetting(state, FogSettings());
}

void ScrollPanorama(PanoramaState& state, const MapState& mapState) {
    Scroll(state, PanoramaSettings(), mapState);
}

void ScrollFog(FogState& state, const MapState& mapState) {
    Scroll(state, FogSettings(), mapState);
}

void DrawPanorama(PanoramaState& state, const MapState& mapState) {
    const ImageSettings settings = PanoramaSettings();
    if (!Prepare(state, settings, mapState))
        return;
    layer::ChangeBlendMode(kBlendNone, 255);
    Draw(state, mapState, 0);
}

void DrawFog(FogState& state, const MapState& mapState) {
    const ImageSettings settings = FogSettings();
    if (!Prepare(state, settings, mapState))
        return;
    // Blend kinds 0 translucent, 1 additive, 2 subtractive, 3 and above multiply: the blend
    // codes 1 to 4.
    const int kind = std::clamp(TheMainInterpreter.FogBlend, 0, 3);
    layer::ChangeBlendMode(kBlendTranslucent + kind,
                           std::clamp(TheMainInterpreter.FogOpacity, 0, 255));
    Draw(state, mapState, TransparentDrawFlag);
}

}  // namespace game
