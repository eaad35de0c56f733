// Making a font: its system font, its cell and its glyph cache.
#include <cstring>
#include <iterator>
#include <new>

#include "layer/core/double_byte_text.h"
#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/font_cache_geometry.h"
#include "layer/media/font_table.h"
#include "layer/media/font_texts.h"
#include "layer/media/font_texture_cache.h"
#include "layer/media/glyph_cache.h"
#include "layer/media/media_services.h"
#include "layer/media/text_draw_services.h"
#include "platform/fonts/font_config.h"

namespace layer {
namespace {

constexpr int kDefaultSize = 16;
constexpr int kDefaultThickness = 6;
constexpr int kHangulCodePage = 949;

// The system character set of each charset index.
constexpr int kCharsetTable[] = {platform::kDefaultCharsetValue, platform::kShiftJisCharsetValue,
                                 platform::kHangulCharsetValue};

int FirstEmptySlot() {
    for (int slot = 0; slot < kFontSlotCount; ++slot) {
        if (font_table.slots[slot] == nullptr) {
            return slot;
        }
    }
    return -1;
}

// The system font, trying the character sets (and for the default face, the faces) the
// system may refuse one by one.
platform::FontFace* MakeSystemFont(const FontRecord& record, int charset) {
    const platform::GlyphSource& source = platform::CurrentGlyphSource();
    const int weight = record.thickness * 100;
    const bool named = record.face_name[0] != '\0';
    struct Attempt {
        const char* face;
        int italic;
        int charset;
    };
    const Attempt named_attempts[] = {
        {record.face_name, record.italic, charset},
        {record.face_name, record.italic, platform::kDefaultCharsetValue},
        {record.face_name, record.italic, platform::kShiftJisCharsetValue},
    };
    const Attempt default_attempts[] = {
        {kDefaultFaceName, record.italic, charset},
        {kDefaultFaceName, 0, platform::kDefaultCharsetValue},
        {nullptr, 0, platform::kDefaultCharsetValue},
    };
    for (const Attempt& attempt : named ? named_attempts : default_attempts) {
        platform::FontFace* face = source.create_font(
            {attempt.face, record.size, weight, attempt.italic, attempt.charset});
        if (face != nullptr) {
            return face;
        }
    }
    WriteLog(named ? kNamedFontFailedText : kDefaultFontFailedText);
    return nullptr;
}

// Undoes a creation that failed after the record was placed.
int Abandon(int handle) {
    FreeFontHandle(handle);
    return -1;
}

int SetUpMemoryCache(FontRecord& record) {
    record.cache_bits_per_pixel = record.type == 0 ? 1 : 8;
    record.cell_count = MemoryCacheCellCount(record.cell_size);
    record.cache_width = record.cell_size;
    record.cache_height = record.cell_count * record.cell_size;
    record.cells_per_column = record.cell_count;
    record.cache_pitch = (record.cell_size * record.cache_bits_per_pixel + 7) / 8;
    record.cache_memory = static_cast<std::uint8_t*>(AllocTracked(
        static_cast<std::size_t>(record.cache_pitch) * record.cache_height, __FILE__, __LINE__));
    if (record.cache_memory == nullptr) {
        WriteLog(kFontCacheNoMemoryText);
        return -1;
    }
    return 0;
}

}  // namespace

int DefaultCharsetIndex() {
    return platform::GetOemCodePage() == kHangulCodePage ? kHangulCharset : kShiftJisCharset;
}

int CreateFontToHandle(const char* face, int size, int thickness, int type, int charset_index,
                       int edge_size, int italic, int slot, int check_number) {
    if (GraphicsNotReady() != 0) {
        return -1;
    }
    if (type == -1) {
        type = 0;
    }
    if (edge_size > 1) {
        type |= kFontTypeEdge;
    }
    edge_size = edge_size == -1 ? 1 : edge_size;
    size = size == -1 ? kDefaultSize : size;
    thickness = thickness == -1 ? kDefaultThickness : thickness;
    charset_index = charset_index == -1 ? DefaultCharsetIndex() : charset_index;

    if (slot == -1) {
        slot = FirstEmptySlot();
        if (slot == -1) {
            return WriteLogFormat(kFontTableFullText, kFontSlotCount);
        }
    } else if (slot < 0 || slot >= kFontSlotCount || font_table.slots[slot] != nullptr) {
        return -1;
    }

    auto* record =
        static_cast<FontRecord*>(AllocTrackedZeroed(sizeof(FontRecord), __FILE__, __LINE__));
    if (record == nullptr) {
        return WriteLog(kFontRecordNoMemoryText);
    }
    record->work_surface = -1;
    record->texture_graph = -1;
    record->edge_texture_graph = -1;
    if (text_draw_services.screen_bits() == 8) {
        type &= ~kFontTypeAntiAlias;
    }
    record->edge_size = edge_size;
    record->type = type;
    record->size = size;
    record->thickness = thickness;
    record->italic = italic;
    if (check_number == -1) {
        check_number = font_table.check_counter;
        font_table.check_counter = (font_table.check_counter + 1) % kFontCheckNumberCount;
    }
    record->check_number = check_number;
    font_table.slots[slot] = record;
    const int handle = MakeFontHandle(slot, check_number);

    record->texture_cache = TextureCacheAvailable();
    const char* name = face != nullptr ? face : "";
    const std::size_t length = TrimToCharBoundary(name, strnlen(name, kFontRecordFaceSize - 1));
    std::memcpy(record->face_name, name, length);

    // An index outside the table asks for the default character set.
    const bool known_charset = charset_index >= 0 && charset_index < std::ssize(kCharsetTable);
    record->face = MakeSystemFont(
        *record, known_charset ? kCharsetTable[charset_index] : platform::kDefaultCharsetValue);
    if (record->face == nullptr) {
        return Abandon(handle);
    }
    const platform::FaceMetrics metrics = platform::CurrentGlyphSource().read_metrics(record->face);
    const FontCellSize cell =
        MeasureFontCell(metrics.max_char_width, metrics.height, type, edge_size);
    record->cell_size = cell.cell_size;
    record->line_height = cell.line_height;
    record->ascent = metrics.ascent;

    if (record->texture_cache != 0) {
        SetUpTextureCache(*record);
        record->texture_lost = 1;
        if (RestoreFontCacheSurfaces(handle) != 0) {
            WriteLog(kTextureCacheFailedText);
            record->texture_cache = 0;
        } else if (SetUpGlyphWorkImage(*record) != 0) {
            WriteLog(kGlyphWorkNoMemoryText);
            return Abandon(handle);
        }
    }
    if (record->texture_cache == 0) {
        if (SetUpMemoryCache(*record) != 0) {
            return Abandon(handle);
        }
        record->work_surface_lost = 1;
        if (RestoreFontCacheSurfaces(handle) != 0) {
            WriteLog(kFontWorkSurfaceFailedText);
            return Abandon(handle);
        }
    }
    ClearTextCache(handle);
    record->charset_index = charset_index;
    record->delete_notice = nullptr;
    return handle;
}

}  // namespace layer
