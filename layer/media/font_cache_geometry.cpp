#include "layer/media/font_cache_geometry.h"

#include <algorithm>

#include "layer/media/font_record.h"

namespace layer {
namespace {

constexpr int kMemoryCacheBytes = 327680;
constexpr int kMinMemoryCacheCells = 20;
constexpr int kTextureCacheSide = 512;
constexpr int kMinTextureCacheCells = 10;

}  // namespace

FontCellSize MeasureFontCell(int max_char_width, int text_height, int type, int edge_size) {
    const int edges = (type & kFontTypeEdge) != 0 ? edge_size * 2 : 0;
    FontCellSize size;
    size.cell_size = (max_char_width + 2 + edges + 7) / 8 * 8;
    size.line_height = text_height + edges;
    size.line_height += size.line_height & 1;
    size.cell_size = std::max(size.cell_size, size.line_height);
    return size;
}

int MemoryCacheCellCount(int cell_size) {
    const int count = kMemoryCacheBytes / (cell_size * cell_size);
    return std::clamp(count, kMinMemoryCacheCells, kMaxTextCacheCells);
}

TextureCacheGeometry MeasureTextureCache(int cell_size) {
    TextureCacheGeometry geometry{kTextureCacheSide, kTextureCacheSide, 0};
    const auto count = [&] { return (geometry.width / cell_size) * (geometry.height / cell_size); };
    geometry.cell_count = count();
    while (geometry.cell_count < kMinTextureCacheCells) {
        (geometry.width <= geometry.height ? geometry.width : geometry.height) *= 2;
        geometry.cell_count = count();
    }
    geometry.cell_count = std::min(geometry.cell_count, kMaxTextCacheCells);
    return geometry;
}

}  // namespace layer
