#include "layer/media/glyph_placement.h"

#include <cstring>
#include <vector>

#include "layer/media/edge_mask.h"
#include "layer/media/font_record.h"

namespace layer {
namespace {

bool BitSet(const GlyphBitmap& glyph, int x, int y) {
    return (glyph.bits[y * glyph.stride + (x >> 3)] >> (7 - (x & 7)) & 1) != 0;
}

int Level(const GlyphBitmap& glyph, int x, int y) {
    return glyph.bits[y * glyph.stride + x];
}

void PlaceBits(const GlyphBitmap& glyph, std::uint8_t* cell, int pitch) {
    const int bytes = (glyph.width + 7) / 8;
    const int last_bits = (glyph.width - 1) % 8 + 1;
    const auto last_mask = static_cast<std::uint8_t>(0xFF << (8 - last_bits));
    for (int y = 0; y < glyph.height; ++y) {
        std::uint8_t* row = cell + y * pitch;
        std::memcpy(row, glyph.bits + y * glyph.stride, static_cast<std::size_t>(bytes));
        row[bytes - 1] &= last_mask;
    }
}

void PlaceLevels(const GlyphBitmap& glyph, std::uint8_t* cell, int pitch) {
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            const int level = Level(glyph, x, y);
            cell[y * pitch + x] = static_cast<std::uint8_t>(level > 0 ? level - 1 : 0);
        }
    }
}

void PlaceEdgedBits(const GlyphBitmap& glyph, int edge, std::uint8_t* cell, int pitch) {
    const std::vector<EdgeOffset> shape = EdgeShape(edge);
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            if (!BitSet(glyph, x, y)) {
                continue;
            }
            cell[(y + edge) * pitch + x + edge] = 1;
            for (const EdgeOffset& offset : shape) {
                std::uint8_t& pixel = cell[(y + edge + offset.dy) * pitch + x + edge + offset.dx];
                if (pixel != 1) {
                    pixel = 2;
                }
            }
        }
    }
}

void PlaceEdgedLevels(const GlyphBitmap& glyph, int edge, std::uint8_t* cell, int pitch) {
    const std::vector<EdgeOffset> shape = EdgeShape(edge);
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            const int level = Level(glyph, x, y);
            if (level == 0) {
                continue;
            }
            const int stored = level - 1;
            std::uint8_t& body = cell[(y + edge) * pitch + x + edge];
            body = static_cast<std::uint8_t>((body & 0xF0) | stored);
            for (const EdgeOffset& offset : shape) {
                std::uint8_t& pixel = cell[(y + edge + offset.dy) * pitch + x + edge + offset.dx];
                if ((pixel >> 4) < stored) {
                    pixel = static_cast<std::uint8_t>((stored << 4) | (pixel & 0x0F));
                }
            }
        }
    }
}

}  // namespace

void PlaceGlyphInCell(const GlyphBitmap& glyph, int type, int edge_size, std::uint8_t* cell,
                      int pitch) {
    if (glyph.width <= 0 || glyph.height <= 0) {
        return;
    }
    switch (type & (kFontTypeEdge | kFontTypeAntiAlias)) {
        case 0:
            PlaceBits(glyph, cell, pitch);
            break;
        case kFontTypeEdge:
            PlaceEdgedBits(glyph, edge_size, cell, pitch);
            break;
        case kFontTypeAntiAlias:
            PlaceLevels(glyph, cell, pitch);
            break;
        default:
            PlaceEdgedLevels(glyph, edge_size, cell, pitch);
            break;
    }
}

}  // namespace layer
