#pragma once

// A font: its system font, its metrics and the glyph cache its strings are drawn from. Each
// lives in one of the font table's 40 slots, one zero-filled tracked block per record.

#include <cstdint>

#include "layer/media/graph_image.h"
#include "platform/fonts/glyph_source.h"

namespace layer {

constexpr int kFontSlotCount = 40;
// At most 2,024 cells, and one entry behind the last.
constexpr int kTextCacheEntryCount = 2025;
constexpr int kMaxTextCacheCells = 2024;
constexpr int kCharacterMapSize = 65536;
constexpr int kFontRecordFaceSize = 256;

// Type bits.
constexpr int kFontTypeEdge = 1;
constexpr int kFontTypeAntiAlias = 2;

struct CharacterMapSlot;

// One cell of the glyph cache and the glyph it holds. Offsets are from the pen on the line's
// top edge; an edged font's box and advance include the edge on both sides.
struct TextCacheEntry {
    std::uint16_t in_use;
    std::int16_t origin_x;
    std::int16_t top;
    std::int16_t advance;
    // The entry's fixed cell, -1 behind the last.
    int cell_index;
    std::int16_t box_width;
    std::int16_t box_height;
    CharacterMapSlot* map_slot;
};

// Indexed by a character's code: its first byte low, its second byte high.
struct CharacterMapSlot {
    int cached;
    TextCacheEntry* entry;
};

// One character of a string as the walkers hold it: first byte, second byte (0 for a
// one-byte character), NUL.
struct CharacterCell {
    unsigned char bytes[3];
};

inline int CharacterCode(const CharacterCell& cell) {
    return cell.bytes[0] | cell.bytes[1] << 8;
}

struct FontRecord {
    int check_number;
    // An owner's int, set to 1 when the font is freed.
    int* delete_notice;
    TextCacheEntry entries[kTextCacheEntryCount];
    CharacterMapSlot character_map[kCharacterMapSize];
    // Round-robin position of the next rendered glyph.
    int next_entry;
    int cell_count;
    // The cells, one column of cell_size-square cells, cache_pitch bytes a row.
    std::uint8_t* cache_memory;
    int cache_pitch;
    int cache_bits_per_pixel;
    // Empty when the font was made with the default face.
    char face_name[kFontRecordFaceSize];
    int thickness;
    int size;
    // Text metric height, with the edges of an edged font, raised to even.
    int line_height;
    int italic;
    int character_gap;
    int cell_size;
    platform::FontFace* face;
    int ascent;
    int type;
    int charset_index;
    int edge_size;
    int cache_width;
    int cache_height;
    int cells_per_column;
    // The 2D surface whole strings are drawn into before they go onto the target, or -1.
    int work_surface;
    // 1 while the work surface must be made (its delete notice).
    int work_surface_lost;
    // Texture caches: the graph holding the cells (bodies left, edges right for an edged
    // font), the graph of its right half, or -1 each.
    int texture_graph;
    int edge_texture_graph;
    // 1 while the texture graph must be made (its delete notice).
    int texture_lost;
    // One cell (two side by side with an edge) in the texture's 16-bit format, where a glyph
    // is drawn before it goes into the texture.
    GraphImage glyph_work_image;
    // 1 when the glyph cache lives in the texture graph and strings are drawn with Direct3D.
    int texture_cache;
};

}  // namespace layer
