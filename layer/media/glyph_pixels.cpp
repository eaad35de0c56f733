#include "layer/media/glyph_pixels.h"

#include <cstring>

namespace layer {
namespace {

struct Channel {
    int shift;
    int mask;
};

constexpr Channel kWideChannels[] = {{16, 0xFF}, {8, 0xFF}, {0, 0xFF}};
constexpr Channel kNarrowChannels[] = {{11, 0x1F}, {5, 0x3F}, {0, 0x1F}};

int ReadCell(const FontRecord& record, const std::uint8_t* cell, int cx, int cy) {
    const std::uint8_t* row = cell + cy * record.cache_pitch;
    return record.cache_bits_per_pixel == 1 ? row[cx >> 3] >> (7 - (cx & 7)) & 1 : row[cx];
}

// The pixel for one non-empty cell value. Anti-aliased cells go into 32-bit pixels with the
// alpha above the colour: bits 24-31 on 32-bit screens, 16-23 beside R5G6B5 on 16-bit ones.
std::uint32_t PixelFor(int value, int type, int screen_bits, const GlyphColours& colours) {
    const bool wide = screen_bits != 16;
    const int alpha_shift = wide ? 24 : 16;
    const std::uint32_t colour_mask = wide ? 0xFFFFFFu : 0xFFFFu;
    switch (type & (kFontTypeEdge | kFontTypeAntiAlias)) {
        case 0:
            return colours.body;
        case kFontTypeEdge:
            return value == 1 ? colours.body
                              : colours.edge & (screen_bits == 32 ? colour_mask : ~0u);
        case kFontTypeAntiAlias:
            return (colours.body & colour_mask) | static_cast<std::uint32_t>(value * 16)
                                                      << alpha_shift;
        default:
            return ComposeEdgedPixel(static_cast<std::uint8_t>(value), colours.body, colours.edge,
                                     wide, alpha_shift);
    }
}

void WritePixel(std::uint8_t* at, int bytes, std::uint32_t pixel) {
    if (bytes == 1) {
        *at = static_cast<std::uint8_t>(pixel);
    } else if (bytes == 2) {
        const auto value = static_cast<std::uint16_t>(pixel);
        std::memcpy(at, &value, sizeof value);
    } else {
        std::memcpy(at, &pixel, sizeof pixel);
    }
}

}  // namespace

int GlyphTargetBytes(int screen_bits, int type) {
    const bool anti_alias = (type & kFontTypeAntiAlias) != 0;
    if (screen_bits == 8) {
        return anti_alias ? 0 : 1;
    }
    if (screen_bits == 16) {
        return anti_alias ? 4 : 2;
    }
    return 4;
}

std::uint32_t ComposeEdgedPixel(std::uint8_t cell, std::uint32_t body, std::uint32_t edge,
                                bool wide_channels, int alpha_shift) {
    const int b = cell & 0x0F;
    const int e = cell >> 4;
    const std::uint32_t colour_mask = wide_channels ? 0xFFFFFFu : 0xFFFFu;
    if (b == 15) {
        return (body & colour_mask) | 255u << alpha_shift;
    }
    if (b > 0) {
        const int alpha = 16 * b + (15 - b) * e;
        const int t = 4096 * b / alpha;
        std::uint32_t pixel = static_cast<std::uint32_t>(alpha) << alpha_shift;
        for (const Channel& channel : wide_channels ? kWideChannels : kNarrowChannels) {
            const int body_part = static_cast<int>(body >> channel.shift) & channel.mask;
            const int edge_part = static_cast<int>(edge >> channel.shift) & channel.mask;
            // An arithmetic shift floors the negative differences too.
            const int mixed = edge_part + (((body_part - edge_part) * t) >> 8);
            pixel |= static_cast<std::uint32_t>(mixed) << channel.shift;
        }
        return pixel;
    }
    if (e > 0) {
        return (edge & colour_mask) | static_cast<std::uint32_t>(16 * e) << alpha_shift;
    }
    return 0;
}

void DrawCachedGlyph(const FontRecord& record, const TextCacheEntry& entry,
                     const GlyphPlacement& placement, const GlyphColours& colours, MEMIMG& target,
                     const Rect& clip) {
    const int bytes = GlyphTargetBytes(placement.screen_bits, record.type);
    if (bytes == 0) {
        return;
    }
    Rect destination;
    if (placement.vertical == 0) {
        destination.left = placement.x + placement.pen + entry.origin_x;
        destination.top = placement.y + entry.top;
        destination.right = destination.left + entry.box_width;
        destination.bottom = destination.top + entry.box_height;
    } else {
        destination.right = placement.x + record.line_height - entry.top;
        destination.left = destination.right - entry.box_height;
        destination.top = placement.y + placement.pen + entry.origin_x;
        destination.bottom = destination.top + entry.box_width;
    }
    Rect visible = destination;
    ClipRect(&visible, clip);
    ClipRect(&visible, Rect{0, 0, target.Width, target.Height});
    const int row = entry.cell_index % record.cells_per_column;
    const std::uint8_t* cell =
        record.cache_memory + static_cast<std::size_t>(row) * record.cell_size * record.cache_pitch;
    const int pitch = target.Body->Pitch;
    for (int y = visible.top; y < visible.bottom; ++y) {
        std::uint8_t* line = target.Pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        for (int x = visible.left; x < visible.right; ++x) {
            // Turned glyphs: cell row r goes to column right - 1 - r, cell column c to row
            // top + c.
            const int value =
                placement.vertical == 0
                    ? ReadCell(record, cell, x - destination.left, y - destination.top)
                    : ReadCell(record, cell, y - destination.top, destination.right - 1 - x);
            if (value != 0) {
                WritePixel(line + x * bytes, bytes,
                           PixelFor(value, record.type, placement.screen_bits, colours));
            } else if (placement.transparent == 0) {
                WritePixel(line + x * bytes, bytes, 0);
            }
        }
    }
}

}  // namespace layer
