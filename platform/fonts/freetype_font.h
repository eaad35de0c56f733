#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include <iconv.h>

#include <cstdint>
#include <optional>

#include "platform/fonts/glyph_source.h"

namespace platform {

// A font of the FreeType glyph source.
struct FreeTypeFont {
    FT_Face face = nullptr;
    FaceMetrics metrics;
    // 1 when a bold weight was asked of a lighter face: glyphs are widened by a pixel.
    int embolden = 0;
    // The font's code page (CP932, or CP949 for Hangul) to UTF-32.
    iconv_t converter = reinterpret_cast<iconv_t>(-1);
    // The face stands in for a Windows Japanese face, which shows 0x5C as the yen sign.
    bool yen_for_backslash = false;
};

// The process's FreeType library, made on first use; null when FreeType cannot start.
FT_Library FreeTypeLibrary();

FontFace* CreateFreeTypeFont(const FontRequest& request);
void DeleteFreeTypeFont(FontFace* font);
FaceMetrics ReadFreeTypeMetrics(const FontFace* font);
int ReadFreeTypeGlyph(FontFace* font, unsigned code, GlyphFormat format, GlyphMetrics* metrics,
                      std::uint8_t* buffer, int buffer_size);

// The character a glyph code stands for, one character converted at a time; nullopt for
// bytes the code page cannot convert (a lone lead byte, a bad trail byte, 0x80, 0xA0, 0xFD-0xFF).
std::optional<char32_t> GlyphCodeToUnicode(const FreeTypeFont& font, unsigned code);

inline FreeTypeFont* AsFreeTypeFont(FontFace* font) {
    return static_cast<FreeTypeFont*>(static_cast<void*>(font));
}
inline const FreeTypeFont* AsFreeTypeFont(const FontFace* font) {
    return static_cast<const FreeTypeFont*>(static_cast<const void*>(font));
}

}  // namespace platform
