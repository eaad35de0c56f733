#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Character sets a font is asked for, by their system values.
constexpr int kDefaultCharsetValue = 1;
constexpr int kShiftJisCharsetValue = 128;
constexpr int kHangulCharsetValue = 129;

struct FontRequest {
    // CP932 family name, or null for the default fixed-pitch face.
    const char* face = nullptr;
    // Positive: the cell height in pixels; negative: the character height.
    int height = 16;
    // 100 x thickness: 400 regular, 700 bold.
    int weight = 400;
    int italic = 0;
    int charset = kShiftJisCharsetValue;
};

// A font made by a glyph source; only that source looks inside.
struct FontFace;

struct FaceMetrics {
    int height = 0;  // the cell: ascent + descent
    int ascent = 0;
    int descent = 0;
    int max_char_width = 0;
};

enum class GlyphFormat {
    // 1 bit per pixel, most significant bit first.
    kBitmap,
    // One byte per pixel, levels 0 to 16.
    kGray4,
};

struct GlyphMetrics {
    int box_width = 0;  // 1 x 1 for a glyph without pixels
    int box_height = 0;
    int origin_x = 0;  // from the pen to the box's left edge
    int origin_y = 0;  // from the base line up to the box's top edge
    int cell_increment_x = 0;
};

// Where fonts and their glyphs come from: FreeType over the font configuration, or a fake
// with fixed shapes for the layer's rule tests.
struct GlyphSource {
    // A font, or null when no face opens.
    FontFace* (*create_font)(const FontRequest& request);
    void (*delete_font)(FontFace* font);
    FaceMetrics (*read_metrics)(const FontFace* font);
    // A glyph by its code, (lead << 8) | trail for a two-byte character, else the byte:
    // returns the bitmap's size in bytes (rows padded to 4 bytes; 0 for a glyph without
    // pixels) and fills `metrics`; with a buffer of at least that size the bitmap is written
    // too. -1 when the glyph cannot be rendered.
    int (*read_glyph)(FontFace* font, unsigned code, GlyphFormat format, GlyphMetrics* metrics,
                      std::uint8_t* buffer, int buffer_size);
};

const GlyphSource& FreeTypeGlyphSource();
// The source the layer uses: FreeType unless a test chose another.
const GlyphSource& CurrentGlyphSource();
// Null goes back to FreeType.
void UseGlyphSource(const GlyphSource* source);

// Bytes from one bitmap row to the next.
int GlyphRowStride(GlyphFormat format, int width);

// A face the system lists: its family name in CP932 (at most 63 bytes).
struct InstalledFace {
    std::string name;
    bool truetype = false;
    bool japanese = false;
};
// The Windows face names whose stand-in is installed first, then every other family once.
std::vector<InstalledFace> ListInstalledFaces();

}  // namespace platform
