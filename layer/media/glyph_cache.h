#pragma once

// A font's glyph cache: glyphs rendered once into cells, found through the CharacterMap by
// their code, cells reused round robin.

#include "layer/media/font_record.h"

namespace layer {

// Empties the map and the entries; the cells' pixels stay. 0, or -1 for a dead handle.
int ClearTextCache(int handle);

// Makes the font's targets that were lost (the 2D work surface). 0, or -1.
int RestoreFontCacheSurfaces(int handle);

// Renders the characters into the next entries, the missing set of a string in one batch:
// the entry of the last, or null when the handle is dead or graphics are not ready.
TextCacheEntry* RenderGlyphsToCache(int handle, int count, const CharacterCell* cells);

// Cuts the first `max_length` bytes (all with -1) into characters, stored into `cells` when
// given, counts them, and renders the ones not cached (at most the cell count). 0, or -1.
int PrepareStringGlyphs(int max_length, const char* text, int handle, CharacterCell* cells,
                        int* count);

// The entry of a cached character, or the character rendered alone; null on failure.
TextCacheEntry* FindOrRenderGlyph(int handle, FontRecord& record, const CharacterCell& cell);

inline bool IsSpaceCharacter(const CharacterCell& cell) {
    return (cell.bytes[0] == 0x20 && cell.bytes[1] == 0) ||
           (cell.bytes[0] == 0x81 && cell.bytes[1] == 0x40);
}

}  // namespace layer
