// Glyph bitmaps of the FreeType glyph source, in the two layouts the glyph cache reads.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/fonts/freetype_font.h"

namespace platform {
namespace {

constexpr int kGrayLevels = 16;

// The rendered glyph as one level byte per pixel: 0/1 for bitmaps, 0..16 for grey.
struct Levels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

Levels ReadLevels(const FT_Bitmap& bitmap, GlyphFormat format) {
    Levels levels{static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows), {}};
    levels.pixels.resize(static_cast<std::size_t>(levels.width) * levels.height);
    for (int y = 0; y < levels.height; ++y) {
        const std::uint8_t* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        std::uint8_t* out = levels.pixels.data() + static_cast<std::size_t>(y) * levels.width;
        for (int x = 0; x < levels.width; ++x) {
            if (format == GlyphFormat::kBitmap) {
                out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
            } else {
                out[x] = static_cast<std::uint8_t>((row[x] * kGrayLevels + 127) / 255);
            }
        }
    }
    return levels;
}

// The system's bold of a light face: every row smeared one pixel to the right.
void Embolden(Levels& levels) {
    if (levels.width == 0 || levels.height == 0) {
        return;
    }
    const int width = levels.width + 1;
    std::vector<std::uint8_t> wider(static_cast<std::size_t>(width) * levels.height);
    for (int y = 0; y < levels.height; ++y) {
        const std::uint8_t* row = levels.pixels.data() + static_cast<std::size_t>(y) * levels.width;
        std::uint8_t* out = wider.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t here = x < levels.width ? row[x] : 0;
            const std::uint8_t left = x > 0 ? row[x - 1] : 0;
            out[x] = std::max(here, left);
        }
    }
    levels.width = width;
    levels.pixels = std::move(wider);
}

void Pack(const Levels& levels, GlyphFormat format, std::uint8_t* buffer) {
    const int stride = GlyphRowStride(format, levels.width);
    std::memset(buffer, 0, static_cast<std::size_t>(stride) * levels.height);
    for (int y = 0; y < levels.height; ++y) {
        const std::uint8_t* row = levels.pixels.data() + static_cast<std::size_t>(y) * levels.width;
        std::uint8_t* out = buffer + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < levels.width; ++x) {
            if (format == GlyphFormat::kGray4) {
                out[x] = row[x];
            } else if (row[x] != 0) {
                out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            }
        }
    }
}

}  // namespace

int ReadFreeTypeGlyph(FontFace* handle, unsigned code, GlyphFormat format, GlyphMetrics* metrics,
                      std::uint8_t* buffer, int buffer_size) {
    FreeTypeFont* font = AsFreeTypeFont(handle);
    const std::optional<char32_t> unicode = GlyphCodeToUnicode(*font, code);
    // A code the code page cannot convert shows the face's missing glyph.
    const FT_UInt index = unicode ? FT_Get_Char_Index(font->face, *unicode) : 0;
    const bool mono = format == GlyphFormat::kBitmap;
    const FT_Int32 load = FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    FT_GlyphSlot slot = font->face->glyph;
    if (FT_Load_Glyph(font->face, index, load) != 0 ||
        FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) {
        return -1;
    }
    Levels levels = ReadLevels(slot->bitmap, format);
    if (font->embolden != 0) {
        Embolden(levels);
    }
    // Mono rendering can leave a blank pixel for an empty outline; it counts as no pixels.
    const bool empty = std::all_of(levels.pixels.begin(), levels.pixels.end(),
                                   [](std::uint8_t level) { return level == 0; });
    const int size = empty ? 0 : GlyphRowStride(format, levels.width) * levels.height;
    *metrics = GlyphMetrics{empty ? 1 : levels.width, empty ? 1 : levels.height, slot->bitmap_left,
                            slot->bitmap_top,
                            static_cast<int>((slot->advance.x + 32) >> 6) + font->embolden};
    if (buffer != nullptr && buffer_size >= size && size > 0) {
        Pack(levels, format, buffer);
    }
    return size;
}

}  // namespace platform
