// The three tile layers drawn in passes around the characters: plain tiles as cells of the
// base image, autotiles as four animated quarter cells.
#include <cstdint>

#include "game/core/display_scale.h"
#include "game/core/exit_program.h"
#include "game/core/format_text.h"
#include "game/core/system_message_box.h"
#include "game/map/data_folder.h"
#include "game/map/image_cache.h"
#include "game/map/map_state.h"
#include "game/map/tile_layer_drawing_texts.h"
#include "game/map/tile_set_view.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr char kBadTileCaption[] = "Error!";

constexpr std::int32_t kAutotileUnit = 100000;
// Autotile values from here on lie beyond the seven images.
constexpr std::int32_t kFirstInvalidAutotile = 900000;
constexpr int kAnimationFrames = 20;
constexpr int kFirstScreenRow = -1;
constexpr int kLastScreenRow = 15;
constexpr int kFirstScreenColumn = -1;
constexpr int kLastScreenColumn = 20;

int Wrap(int value, int size) {
    return ((value % size) + size) % size;
}

bool NamesChanged(const TileSetView& view, const MapState& mapState) {
    return view.baseImageName != mapState.baseImageName ||
           view.autotileImageNames != mapState.autotileImageNames;
}

void LoadTileImages(TileSetView& view, const MapState& mapState) {
    const int tile = TileSize;
    view.baseImageName = mapState.baseImageName;
    view.autotileImageNames = mapState.autotileImageNames;
    TheImageCache.LoadGraphic(view.baseImageName, tile, tile, ImageCache::kCellSizes);
    view.baseImageIndex = TheImageCache.FindGraphic(view.baseImageName);
    for (int i = 0; i < TileSetView::kAutotileImages; ++i) {
        const std::string& name = view.autotileImageNames[static_cast<std::size_t>(i)];
        if (!name.empty())
            view.autotileLoaded[static_cast<std::size_t>(i)] = 1;
        TheImageCache.LoadGraphic(name, tile / 2, tile / 2, ImageCache::kCellSizes);
        const int index = TheImageCache.FindGraphic(name);
        int width = 0;
        int height = 0;
        if (index >= 0)
            layer::GetGraphExtent(TheImageCache.GraphicHandle(index, 0), &width, &height);
        view.autotileImageIndices[static_cast<std::size_t>(i)] = index;
        view.autotileFrameCounts[static_cast<std::size_t>(i)] = width / tile;
    }
}

// The map's file is named on a line of its own after the text.
[[noreturn]] void ReportBadTile(const MapData& map, std::int32_t value, int layer, int column,
                                int row) {
    std::string text = FormatText(kBadTileFormat, value, layer + 1, column, row);
    if (!map.fileName.empty())
        text += "\r\n" + kDataFolder + map.fileName;
    ShowSystemMessageBox(text, kBadTileCaption, MessageBoxButtons::kOkCancel);
    ExitProgram(1);
}

int DrawClassAt(const TileSetView& view, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= view.drawClasses.size())
        return -1;
    return view.drawClasses[static_cast<std::size_t>(index)];
}

void DrawHandle(const MapState& mapState, int x, int y, int size, int index, int entry) {
    const int graph = TheImageCache.GraphicHandle(index, entry);
    if (graph >= 0)
        PlaceMapCell(mapState, x, y, size, graph);
}

void DrawTile(const TileSetView& view, const MapState& mapState, int pass, std::int32_t value,
              int x, int y) {
    const int tile = TileSize;
    if (value < kAutotileUnit) {
        if (DrawClassAt(view, value + 8) == pass)
            DrawHandle(mapState, x, y, tile, view.baseImageIndex, value + 1);
        return;
    }
    const int kind = value / kAutotileUnit;
    if (value >= kFirstInvalidAutotile || kind == 1 || DrawClassAt(view, kind - 1) != pass)
        return;
    const auto image = static_cast<std::size_t>(kind - 2);
    const int frames = view.autotileFrameCounts[image];
    if (view.autotileLoaded[image] == 0 || frames <= 0)
        return;
    const auto entries = AutotileQuarterEntries(value, frames, view.animationStep % frames);
    const int half = tile / 2;
    const int index = view.autotileImageIndices[image];
    DrawHandle(mapState, x, y, half, index, entries[0]);
    DrawHandle(mapState, x + half, y, half, index, entries[1]);
    DrawHandle(mapState, x, y + half, half, index, entries[2]);
    DrawHandle(mapState, x + half, y + half, half, index, entries[3]);
}

void DrawScreenRow(const TileSetView& view, const MapState& mapState, int pass, int r) {
    const MapData& map = mapState.mapData;
    const int width = map.header.width;
    const int height = map.header.height;
    const int tile = TileSize;
    const int column0 = view.viewPixelX / tile;
    const int row0 = view.viewPixelY / tile;
    const int y = r * tile - view.viewPixelY % tile;
    for (int layer = 0; layer < 3; ++layer) {
        const auto& columns = map.tileLayers[static_cast<std::size_t>(layer)];
        for (int c = kFirstScreenColumn; c <= kLastScreenColumn; ++c) {
            const int mapColumn = column0 + c;
            if (mapState.loopsHorizontally == 0 && (mapColumn < 0 || mapColumn >= width))
                continue;
            const auto x = static_cast<std::size_t>(Wrap(mapColumn, width));
            const auto yy = static_cast<std::size_t>(Wrap(row0 + r, height));
            if (x >= columns.size() || yy >= columns[x].size())
                continue;
            const std::int32_t value = columns[x][yy];
            if (value < 0)
                ReportBadTile(map, value, layer, mapColumn, row0 + r);
            DrawTile(view, mapState, pass, value, c * tile - view.viewPixelX % tile, y);
        }
    }
}

}  // namespace

void PlaceMapCell(const MapState& mapState, int x, int y, int size, int graph) {
    const int percent = mapState.zoomPercent;
    if (ZoomFactor == 1 && percent == 100) {
        layer::PaintGraph(x, y, graph, TransparentDrawFlag);
        return;
    }
    const std::int64_t zoom = ZoomFactor;
    auto move = [&](std::int64_t p, std::int64_t centre) {
        const std::int64_t scaled = p * zoom;
        return static_cast<int>(scaled + (scaled - centre * zoom) * (percent - 100) / 100);
    };
    layer::PaintGraphStretched(move(x, mapState.zoomCentreX), move(y, mapState.zoomCentreY),
                               move(x + size, mapState.zoomCentreX),
                               move(y + size, mapState.zoomCentreY), graph, TransparentDrawFlag);
}

void DrawTileLayer(TileSetView& view, const MapState& mapState, int pass, int row) {
    if (NamesChanged(view, mapState))
        LoadTileImages(view, mapState);
    if (pass == 0) {
        view.viewPixelX -= mapState.shakeOffsetX;
        view.viewPixelY -= mapState.shakeOffsetY;
    }
    view.animationStep = mapState.frameCounter / kAnimationFrames;
    layer::ChangeBlendMode(0, 255);
    const int width = mapState.mapData.header.width;
    const int height = mapState.mapData.header.height;
    if (width <= 0 || height <= 0)
        return;
    const bool loopsY = mapState.loopsVertically != 0;
    if (pass != 1) {
        const int row0 = view.viewPixelY / TileSize;
        for (int r = kFirstScreenRow; r <= kLastScreenRow; ++r) {
            if (loopsY || (row0 + r >= 0 && row0 + r < height))
                DrawScreenRow(view, mapState, pass, r);
        }
        return;
    }
    if (!loopsY && (row < 0 || row >= height))
        return;
    const int r = row - view.viewPixelY / TileSize;
    if (r <= kLastScreenRow)
        DrawScreenRow(view, mapState, pass, r);
}

}  // namespace game
