#include "layer/media/font_texture_cache.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "layer/core/tracked_memory.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/edge_mask.h"
#include "layer/media/font_cache_geometry.h"

namespace layer {
namespace {

// The two texture formats a texture cache is made in, by whether the font is anti-aliased.
const PixelFormat* GlyphTextureFormat(bool anti_aliased) {
    return anti_aliased ? SelectTextureFormat(1, 0, 0, 0) : SelectTextureFormat(0, 1, 0, 0);
}

bool Is16BitWithWidths(const PixelFormat* format, int alpha, int red, int green, int blue) {
    return format != nullptr && format->bits_per_pixel == 16 && format->alpha_width == alpha &&
           format->red_width == red && format->green_width == green && format->blue_width == blue;
}

bool Edged(const FontRecord& record) {
    return (record.type & kFontTypeEdge) != 0;
}

// Pixels of the work image, 16 bits each.
class WorkPixels {
  public:
    explicit WorkPixels(GraphImage& image)
        : pixels_(reinterpret_cast<std::uint16_t*>(image.pixels)),
          stride_(image.pitch / 2),
          white_(image.format.red_mask | image.format.green_mask | image.format.blue_mask),
          full_(white_ | image.format.alpha_mask),
          level_shift_(image.format.alpha_position + image.format.alpha_width - 4) {}

    std::uint16_t& at(int x, int y) { return pixels_[y * stride_ + x]; }
    // White with full alpha, white with alpha 0, and white with a coverage of 1 to 16.
    std::uint16_t full() const { return static_cast<std::uint16_t>(full_); }
    std::uint16_t clear() const { return static_cast<std::uint16_t>(white_); }
    std::uint16_t level(int value) const {
        return value > 0 ? static_cast<std::uint16_t>((value << level_shift_) - 1) : clear();
    }

  private:
    std::uint16_t* pixels_;
    int stride_;
    std::uint32_t white_;
    std::uint32_t full_;
    int level_shift_;
};

bool BitSet(const GlyphBitmap& glyph, int x, int y) {
    return (glyph.bits[y * glyph.stride + (x >> 3)] >> (7 - (x & 7)) & 1) != 0;
}

int Level(const GlyphBitmap& glyph, int x, int y) {
    return glyph.bits[y * glyph.stride + x];
}

// The glyph at the work image's corner; the whole cell is written.
void PlacePlain(WorkPixels& work, const GlyphBitmap& glyph, bool grey, int cell_size) {
    for (int y = 0; y < cell_size; ++y) {
        for (int x = 0; x < cell_size; ++x) {
            const bool inside = x < glyph.width && y < glyph.height;
            if (grey) {
                work.at(x, y) = work.level(inside ? Level(glyph, x, y) : 0);
            } else {
                work.at(x, y) = inside && BitSet(glyph, x, y) ? work.full() : work.clear();
            }
        }
    }
}

// The body at (edge, edge) of the left half, its edge at (edge, edge) of the right half.
void PlaceEdged(WorkPixels& work, const GlyphBitmap& glyph, bool grey, int edge, int half) {
    const std::vector<EdgeOffset> shape = EdgeShape(edge);
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            const int value = grey ? Level(glyph, x, y) : (BitSet(glyph, x, y) ? 16 : 0);
            if (value == 0) {
                continue;
            }
            work.at(x + edge, y + edge) = grey ? static_cast<std::uint16_t>(value) : work.full();
            for (const EdgeOffset& offset : shape) {
                std::uint16_t& pixel = work.at(half + x + edge + offset.dx, y + edge + offset.dy);
                if (!grey) {
                    pixel = work.full();
                } else {
                    // Overlapping edges add up as coverages do.
                    pixel = static_cast<std::uint16_t>((256 - (16 - pixel) * (16 - value)) >> 4);
                }
            }
        }
    }
    if (!grey) {
        return;
    }
    for (int y = 0; y < glyph.height + 2 * edge; ++y) {
        for (int x = 0; x < glyph.width + 2 * edge; ++x) {
            work.at(x, y) = work.level(work.at(x, y));
            work.at(half + x, y) = work.level(work.at(half + x, y));
        }
    }
}

void WriteWorkRect(const FontRecord& record, const Rect& rect, int x, int y) {
    PictureSource picture;
    picture.colour = &record.glyph_work_image;
    WriteImageToGraph(picture, nullptr, rect, x, y, record.texture_graph, 0);
}

}  // namespace

int TextureCacheAvailable() {
    return IsTextureDrawingActive() != 0 &&
                   Is16BitWithWidths(SelectTextureFormat(1, 0, 0, 0), 4, 4, 4, 4) &&
                   Is16BitWithWidths(SelectTextureFormat(0, 1, 0, 0), 1, 5, 5, 5)
               ? 1
               : 0;
}

void SetUpTextureCache(FontRecord& record) {
    const TextureCacheGeometry geometry = MeasureTextureCache(record.cell_size);
    record.cache_width = geometry.width;
    record.cache_height = geometry.height;
    record.cell_count = std::min(geometry.cell_count, kMaxTextCacheCells);
    record.cells_per_column = geometry.height / record.cell_size;
    record.texture_graph = -1;
    record.edge_texture_graph = -1;
}

int SetUpGlyphWorkImage(FontRecord& record) {
    GraphImage& image = record.glyph_work_image;
    image.format = *GlyphTextureFormat((record.type & kFontTypeAntiAlias) != 0);
    const bool edged = Edged(record);
    image.width = edged ? record.cell_size * 2 : record.cell_size;
    image.height = edged ? record.cell_size + 2 * record.edge_size : record.cell_size;
    image.pitch = image.format.bytes_per_pixel * image.width;
    image.pixels = static_cast<std::uint8_t*>(AllocTrackedZeroed(
        static_cast<std::size_t>(image.pitch) * image.height, __FILE__, __LINE__));
    return image.pixels != nullptr ? 0 : -1;
}

int RestoreFontTexture(FontRecord& record) {
    if (record.texture_lost != 1) {
        return 0;
    }
    record.texture_lost = 0;
    const bool anti_aliased = (record.type & kFontTypeAntiAlias) != 0;
    const int alpha_channel = GetNewGraphAlphaChannel();
    const int colour_depth = GetNewGraphColourDepth();
    const int texture_drawing = GetTextureDrawing();
    const int alpha_test = GetNewGraphAlphaTestFlag();
    SetNewGraphAlphaChannel(anti_aliased ? 1 : 0);
    SetNewGraphAlphaTestFlag(anti_aliased ? 0 : 1);
    SetNewGraphColourDepth(16);
    SetTextureDrawing(1);
    const bool edged = Edged(record);
    record.texture_graph =
        NewGraph(edged ? record.cache_width * 2 : record.cache_width, record.cache_height, 0);
    record.edge_texture_graph = edged && record.texture_graph != -1
                                    ? DeriveSubGraph(record.cache_width, 0, record.cache_width,
                                                     record.cache_height, record.texture_graph)
                                    : -1;
    SetNewGraphAlphaChannel(alpha_channel);
    SetNewGraphColourDepth(colour_depth);
    SetTextureDrawing(texture_drawing);
    SetNewGraphAlphaTestFlag(alpha_test);
    if (record.texture_graph == -1) {
        return -1;
    }
    SetGraphDeleteNotice(record.texture_graph, &record.texture_lost);
    FillGraphColour(record.texture_graph, 255, 255, 255, 0);
    return 0;
}

void ReleaseFontTexture(FontRecord& record) {
    if (record.texture_graph != -1) {
        DisposeGraph(record.texture_graph, 0);
        if (record.edge_texture_graph != -1) {
            DisposeGraph(record.edge_texture_graph, 0);
        }
        record.texture_graph = -1;
        record.edge_texture_graph = -1;
    }
    if (record.glyph_work_image.pixels != nullptr) {
        FreeTracked(record.glyph_work_image.pixels);
        record.glyph_work_image.pixels = nullptr;
    }
}

CellCorner CellCornerOf(const FontRecord& record, int cell_index) {
    return {cell_index / record.cells_per_column * record.cell_size,
            cell_index % record.cells_per_column * record.cell_size};
}

void ClearGlyphWorkImage(FontRecord& record) {
    GraphImage& image = record.glyph_work_image;
    std::memset(image.pixels, 0, static_cast<std::size_t>(image.pitch) * image.height);
}

void PlaceGlyphInTexture(FontRecord& record, const GlyphBitmap& glyph, bool grey, int cell_index) {
    WorkPixels work(record.glyph_work_image);
    const CellCorner corner = CellCornerOf(record, cell_index);
    const int cell = record.cell_size;
    if (!Edged(record)) {
        PlacePlain(work, glyph, grey, cell);
        WriteWorkRect(record, {0, 0, cell, cell}, corner.x, corner.y);
        return;
    }
    const int edge = record.edge_size;
    PlaceEdged(work, glyph, grey, edge, cell);
    const int width = glyph.width + 2 * edge;
    const int height = glyph.height + 2 * edge;
    WriteWorkRect(record, {0, 0, width, height}, corner.x, corner.y);
    WriteWorkRect(record, {cell, 0, cell + width, height}, corner.x + record.cache_width, corner.y);
}

}  // namespace layer
