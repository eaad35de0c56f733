#include "layer/media/glyph_cache.h"

#include <algorithm>
#include <cstring>

#include "layer/core/double_byte_text.h"
#include "layer/core/fatal_stop.h"
#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"
#include "layer/media/font_table.h"
#include "layer/media/font_texts.h"
#include "layer/media/font_texture_cache.h"
#include "layer/media/glyph_placement.h"
#include "layer/media/text_draw_services.h"

namespace layer {
namespace {

constexpr int kShortStringBytes = 256;

unsigned GlyphCode(const CharacterCell& cell, int charset_index) {
    return IsDoubleByteLead(cell.bytes[0], charset_index) != 0
               ? static_cast<unsigned>(cell.bytes[0] << 8 | cell.bytes[1])
               : cell.bytes[0];
}

// Takes the next entry for the character, unlinking the one it held.
TextCacheEntry& TakeEntry(FontRecord& record, const CharacterCell& cell) {
    TextCacheEntry& entry = record.entries[record.next_entry];
    if (entry.in_use != 0) {
        *entry.map_slot = CharacterMapSlot{0, nullptr};
        entry.in_use = 0;
    }
    CharacterMapSlot& slot = record.character_map[CharacterCode(cell)];
    slot = CharacterMapSlot{1, &entry};
    entry.map_slot = &slot;
    entry.in_use = 1;
    return entry;
}

// A glyph the source cannot render shows as nothing with the space's advance.
void StoreFailedGlyph(FontRecord& record, TextCacheEntry& entry, platform::GlyphFormat format) {
    WriteLog(kGlyphOutlineFailedText);
    platform::GlyphMetrics space{};
    platform::CurrentGlyphSource().read_glyph(record.face, 0x20, format, &space, nullptr, 0);
    entry.origin_x = 0;
    entry.top = 0;
    entry.advance = static_cast<std::int16_t>(space.cell_increment_x);
    entry.box_width = 0;
    entry.box_height = 0;
}

void RenderOne(FontRecord& record, const CharacterCell& cell) {
    TextCacheEntry& entry = TakeEntry(record, cell);
    const bool texture = record.texture_cache != 0;
    std::uint8_t* cell_memory = nullptr;
    if (texture) {
        ClearGlyphWorkImage(record);
    } else {
        const int row = entry.cell_index % record.cells_per_column;
        cell_memory = record.cache_memory +
                      static_cast<std::size_t>(row) * record.cell_size * record.cache_pitch;
        std::memset(cell_memory, 0,
                    static_cast<std::size_t>(record.cell_size) * record.cache_pitch);
    }

    const platform::GlyphSource& source = platform::CurrentGlyphSource();
    const platform::GlyphFormat format = (record.type & kFontTypeAntiAlias) != 0
                                             ? platform::GlyphFormat::kGray4
                                             : platform::GlyphFormat::kBitmap;
    const unsigned code = GlyphCode(cell, record.charset_index);
    platform::GlyphMetrics metrics{};
    const int size = source.read_glyph(record.face, code, format, &metrics, nullptr, 0);
    if (size < 0) {
        StoreFailedGlyph(record, entry, format);
    } else if (IsSpaceCharacter(cell)) {
        entry.advance = static_cast<std::int16_t>(metrics.cell_increment_x);
        entry.box_width = 0;
        entry.box_height = 0;
    } else {
        // A glyph larger than its cell is cut to the cell less the edge margin.
        const int room =
            record.cell_size - ((record.type & kFontTypeEdge) != 0 ? 2 * record.edge_size : 0);
        const int width = std::clamp(metrics.box_width, 0, std::max(room, 0));
        const int height = std::clamp(metrics.box_height, 0, std::max(room, 0));
        entry.origin_x = static_cast<std::int16_t>(metrics.origin_x);
        entry.top = static_cast<std::int16_t>(record.ascent - metrics.origin_y);
        entry.advance = static_cast<std::int16_t>(metrics.cell_increment_x);
        entry.box_width = static_cast<std::int16_t>(width);
        entry.box_height = static_cast<std::int16_t>(height);
        if (size > 0) {
            auto* bits = static_cast<std::uint8_t*>(AllocTracked(size, __FILE__, __LINE__));
            if (bits == nullptr) {
                AbortWithError(kGlyphBufferNoMemoryText);
            }
            if (source.read_glyph(record.face, code, format, &metrics, bits, size) != size) {
                StoreFailedGlyph(record, entry, format);
            } else {
                const GlyphBitmap glyph{bits, platform::GlyphRowStride(format, metrics.box_width),
                                        width, height};
                if (texture) {
                    PlaceGlyphInTexture(record, glyph, format == platform::GlyphFormat::kGray4,
                                        entry.cell_index);
                } else {
                    PlaceGlyphInCell(glyph, record.type, record.edge_size, cell_memory,
                                     record.cache_pitch);
                }
            }
            FreeTracked(bits);
        }
    }
    if ((record.type & kFontTypeEdge) != 0) {
        const int edges = 2 * record.edge_size;
        entry.advance = static_cast<std::int16_t>(entry.advance + edges);
        entry.box_width = static_cast<std::int16_t>(entry.box_width + edges);
        entry.box_height = static_cast<std::int16_t>(entry.box_height + edges);
    }
    record.next_entry = (record.next_entry + 1) % record.cell_count;
}

}  // namespace

int ClearTextCache(int handle) {
    FontRecord* record = GetFontRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    std::memset(record->character_map, 0, sizeof record->character_map);
    std::memset(record->entries, 0, sizeof record->entries);
    for (int i = 0; i < record->cell_count; ++i) {
        record->entries[i].cell_index = i;
    }
    record->entries[record->cell_count].cell_index = -1;
    record->next_entry = 0;
    return 0;
}

int RestoreFontCacheSurfaces(int handle) {
    FontRecord* record = GetFontRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    if (record->work_surface_lost == 1) {
        record->work_surface_lost = 0;
        record->work_surface = text_draw_services.add_work_surface(
            (record->type & kFontTypeAntiAlias) != 0 ? 1 : 0, &record->work_surface_lost);
        if (record->work_surface == -1) {
            return -1;
        }
    }
    if (record->texture_cache != 0 && record->texture_lost == 1) {
        if (RestoreFontTexture(*record) != 0) {
            return -1;
        }
        ClearTextCache(handle);
    }
    return 0;
}

TextCacheEntry* RenderGlyphsToCache(int handle, int count, const CharacterCell* cells) {
    FontRecord* record = GetFontRecord(handle);
    if (GraphicsNotReady() != 0 || record == nullptr) {
        return nullptr;
    }
    TextCacheEntry* last = nullptr;
    for (int i = 0; i < count; ++i) {
        RenderOne(*record, cells[i]);
        last = record->character_map[CharacterCode(cells[i])].entry;
    }
    return last;
}

TextCacheEntry* FindOrRenderGlyph(int handle, FontRecord& record, const CharacterCell& cell) {
    const CharacterMapSlot& slot = record.character_map[CharacterCode(cell)];
    if (slot.cached != 0) {
        return slot.entry;
    }
    return RenderGlyphsToCache(handle, 1, &cell);
}

int PrepareStringGlyphs(int max_length, const char* text, int handle, CharacterCell* cells,
                        int* count) {
    const FontRecord* record = GetFontRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    int length = static_cast<int>(std::strlen(text));
    if (max_length != -1 && max_length < length) {
        length = max_length;
    }
    CharacterCell fixed_missing[kShortStringBytes];
    CharacterCell* missing = fixed_missing;
    if (length > kShortStringBytes) {
        missing = static_cast<CharacterCell*>(AllocTracked(
            sizeof(CharacterCell) * static_cast<std::size_t>(length), __FILE__, __LINE__));
        if (missing == nullptr) {
            return -1;
        }
    }
    // Codes collected in this walk, so that a repeated character is rendered once.
    const auto collected = [&](int code, int found) {
        return std::any_of(missing, missing + found,
                           [&](const CharacterCell& cell) { return CharacterCode(cell) == code; });
    };
    int characters = 0;
    int missing_count = 0;
    for (int i = 0; i < length;) {
        CharacterCell cell{};
        cell.bytes[0] = static_cast<unsigned char>(text[i]);
        if (IsDoubleByteLead(cell.bytes[0], record->charset_index) != 0) {
            // A lead byte at the end takes the byte after it, the terminator at most.
            cell.bytes[1] = static_cast<unsigned char>(text[i + 1]);
            i += cell.bytes[1] != 0 ? 2 : 1;
        } else {
            ++i;
        }
        if (cells != nullptr) {
            cells[characters] = cell;
        }
        ++characters;
        const int code = CharacterCode(cell);
        if (record->character_map[code].cached == 0 && missing_count < record->cell_count &&
            !collected(code, missing_count)) {
            missing[missing_count++] = cell;
        }
    }
    if (missing_count > 0) {
        RenderGlyphsToCache(handle, missing_count, missing);
    }
    if (count != nullptr) {
        *count = characters;
    }
    if (missing != fixed_missing) {
        FreeTracked(missing);
    }
    return 0;
}

}  // namespace layer
