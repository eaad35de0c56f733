#include "layer/media/string_layout.h"

#include <cstring>

#include "layer/core/double_byte_text.h"
#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/font_table.h"
#include "layer/media/font_texts.h"
#include "layer/media/glyph_cache.h"
#include "layer/media/glyph_pixels.h"
#include "layer/media/text_draw_services.h"
#include "layer/media/texture_glyph_draw.h"

namespace layer {
namespace {

constexpr int kShortStringBytes = 256;

// A screen pixel times the bright colour: as a pixel, without the bits every pixel of the
// format has, and as 0x00RRGGBB.
struct BrightenedColour {
    std::uint32_t pixel;
    std::uint32_t rgb;
};

BrightenedColour Brightened(int colour) {
    int red = 0;
    int green = 0;
    int blue = 0;
    text_draw_services.pixel_to_rgb(colour, &red, &green, &blue);
    const std::uint32_t bright = draw_settings.bright_colour;
    red = red * static_cast<int>(bright >> 16 & 0xFF) / 255;
    green = green * static_cast<int>(bright >> 8 & 0xFF) / 255;
    blue = blue * static_cast<int>(bright & 0xFF) / 255;
    const auto pixel =
        static_cast<std::uint32_t>(text_draw_services.rgb_to_pixel(red, green, blue) &
                                   ~text_draw_services.rgb_to_pixel(0, 0, 0));
    return {pixel, static_cast<std::uint32_t>(red << 16 | green << 8 | blue)};
}

// The list of a string's characters: fixed for short strings, allocated for long ones.
class CellList {
  public:
    explicit CellList(int length) {
        if (length > kShortStringBytes) {
            cells_ = static_cast<CharacterCell*>(AllocTracked(
                sizeof(CharacterCell) * static_cast<std::size_t>(length), __FILE__, __LINE__));
        }
    }
    ~CellList() {
        if (cells_ != fixed_) {
            FreeTracked(cells_);
        }
    }
    CellList(const CellList&) = delete;
    CellList& operator=(const CellList&) = delete;

    CharacterCell* cells() { return cells_; }

  private:
    CharacterCell fixed_[kShortStringBytes];
    CharacterCell* cells_ = fixed_;
};

int Truncated(double pen) {
    return static_cast<int>(pen);
}

}  // namespace

int DrawStringThroughCache(int draw, int x, int y, int scaled, double scale_x, double scale_y,
                           const char* text, int colour, MEMIMG* target, const Rect* clip,
                           int transparent, int handle, int edge_colour, int length, int vertical,
                           int* size) {
    FontRecord* record = GetFontRecord(handle);
    if (GraphicsNotReady() != 0 || record == nullptr) {
        return -1;
    }
    const bool texture = record->texture_cache != 0;
    // The scales count only for texture caches, and when drawing only with the scaled flag.
    if ((draw != 0 && (scaled & 0xFF) == 0) || !texture) {
        scale_x = 1.0;
        scale_y = 1.0;
        scaled = 0;
    }
    const bool stretched = (scaled & 0xFF) != 0;
    const double advance_scale = vertical != 0 ? scale_y : scale_x;
    const BrightenedColour body = Brightened(colour);
    const BrightenedColour edge = Brightened(edge_colour);
    const GlyphColours colours{body.pixel, edge.pixel};
    if (text == nullptr || text[0] == '\0') {
        return 0;
    }
    const int text_length = static_cast<int>(std::strlen(text));
    if (length == -1 || length > text_length) {
        length = text_length;
    }
    const bool drawing = draw == 1;
    // Memory caches need a target image laid out for the screen depth and font type.
    const int target_bytes = GlyphTargetBytes(text_draw_services.screen_bits(), record->type);
    if (drawing && !texture &&
        (target == nullptr || clip == nullptr || TestMemImgValid(target) == 0 ||
         (target_bytes != 0 && MemImgBytesPerPixel(*target) != target_bytes))) {
        return -1;
    }
    CellList list(length);
    if (list.cells() == nullptr) {
        return -1;
    }
    int count = 0;
    if (PrepareStringGlyphs(length, text, handle, list.cells(), &count) != 0) {
        return -1;
    }
    const GlyphPlacement base{0, x, y, vertical, transparent, text_draw_services.screen_bits()};
    double pen = 0.0;
    int consumed = 0;
    for (int i = 0; i < count && (drawing || consumed < length); ++i) {
        const CharacterCell& cell = list.cells()[i];
        const TextCacheEntry* entry = FindOrRenderGlyph(handle, *record, cell);
        if (entry == nullptr) {
            return WriteLog(kTextCacheFailedText);
        }
        consumed += IsDoubleByteLead(cell.bytes[0], record->charset_index) != 0 ? 2 : 1;
        if (drawing && !IsSpaceCharacter(cell) &&
            (entry->box_width != 0 || entry->box_height != 0)) {
            if (texture) {
                DrawTextureGlyph(
                    *record, *entry,
                    {x, y, stretched ? pen : Truncated(pen), stretched, scale_x, scale_y, vertical},
                    body.rgb, edge.rgb);
            } else {
                GlyphPlacement placement = base;
                placement.pen = Truncated(pen);
                DrawCachedGlyph(*record, *entry, placement, colours, *target, *clip);
            }
        }
        pen += (entry->advance + record->character_gap) * advance_scale;
    }
    if (size != nullptr) {
        size[0] = vertical != 0 ? record->line_height : Truncated(pen);
        size[1] = vertical != 0 ? Truncated(pen) : record->line_height;
    }
    return Truncated(pen);
}

}  // namespace layer
