// Fonts of the FreeType glyph source: the face fontconfig matches for the request, sized as
// the system sizes a cell height.
#include "platform/fonts/freetype_font.h"

#include <fontconfig/fontconfig.h>
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/fonts/font_config.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

// What a name no installed face answers to falls back to: a Japanese face, never a
// Latin-only one.
constexpr const char* kFallbackFamily = "ＭＳ ゴシック";  // UTF-8, as fontconfig names faces
constexpr int kBoldWeight = 600;

struct MatchedFile {
    std::string path;
    int index = 0;
    // The asked name is one of the face's families or a Windows alias.
    bool name_found = false;
};

bool HasFamily(FcPattern* match, const std::string& name) {
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(name.c_str())) == 0) {
            return true;
        }
    }
    return false;
}

std::optional<MatchedFile> MatchFace(const std::string* family, const FontRequest& request) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return std::nullopt;
    }
    if (family != nullptr) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family->c_str()));
    } else {
        FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
    }
    const bool hangul = request.charset == kHangulCharsetValue;
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(hangul ? "ko" : "ja"));
    const double weight = FcWeightFromOpenTypeDouble(std::clamp(request.weight, 1, 1000));
    if (weight >= 0) {
        FcPatternAddDouble(pattern, FC_WEIGHT, weight);
    }
    FcPatternAddInteger(pattern, FC_SLANT, request.italic != 0 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPattern* match = MatchFontPattern(pattern);
    if (match == nullptr) {
        return std::nullopt;
    }
    std::optional<MatchedFile> found;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        found = MatchedFile{
            reinterpret_cast<const char*>(file), 0,
            family == nullptr || HasFamily(match, *family) || FindFontAlias(*family) != nullptr};
        FcPatternGetInteger(match, FC_INDEX, 0, &found->index);
    }
    FcPatternDestroy(match);
    return found;
}

FT_Face OpenFace(const MatchedFile& file) {
    FT_Library library = FreeTypeLibrary();
    FT_Face face = nullptr;
    if (library == nullptr || FT_New_Face(library, file.path.c_str(), file.index, &face) != 0) {
        return nullptr;
    }
    return face;
}

// The face's cell in font units: the Windows ascent and descent of the OS/2 table, or the
// horizontal header's without one.
void CellUnits(FT_Face face, double* ascent, double* descent) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        *ascent = os2->usWinAscent;
        *descent = os2->usWinDescent;
    } else if (hhea != nullptr && hhea->Ascender - hhea->Descender > 0) {
        *ascent = hhea->Ascender;
        *descent = -hhea->Descender;
    } else {
        *ascent = face->ascender;
        *descent = face->ascender - face->descender > 0 ? -face->descender : face->units_per_EM;
    }
}

bool FaceIsBold(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF) {
        return os2->usWeightClass >= kBoldWeight;
    }
    return (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
}

// Sizes the face: a positive height is the whole cell (ascent + descent), a negative one the
// em. Glyphs use whole pixels per em, since fractional sizes change the hinting.
bool SizeFace(FreeTypeFont& font, int height) {
    FT_Face face = font.face;
    double ascent_units = 0;
    double descent_units = 0;
    CellUnits(face, &ascent_units, &descent_units);
    const double upem = face->units_per_EM;
    if (upem <= 0) {
        return false;
    }
    const double cell_units = ascent_units + descent_units;
    const double scale = height > 0 ? height / cell_units : -height / upem;
    const int ppem = std::max(1L, std::lround(upem * scale));
    if (FT_Set_Pixel_Sizes(face, 0, ppem) != 0) {
        return false;
    }
    FaceMetrics& metrics = font.metrics;
    metrics.height = height > 0 ? height : static_cast<int>(std::lround(cell_units * scale));
    metrics.ascent = static_cast<int>(std::lround(ascent_units * scale));
    metrics.descent = metrics.height - metrics.ascent;
    metrics.max_char_width =
        static_cast<int>(std::lround(face->max_advance_width * ppem / upem)) + font.embolden;
    return true;
}

}  // namespace

FT_Library FreeTypeLibrary() {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        if (FT_Init_FreeType(&made) != 0) {
            std::fprintf(stderr, "fonts: FreeType did not start\n");
            return static_cast<FT_Library>(nullptr);
        }
        return made;
    }();
    return library;
}

FontFace* CreateFreeTypeFont(const FontRequest& request) {
    if (request.height == 0) {
        return nullptr;
    }
    std::optional<std::string> family;
    if (request.face != nullptr) {
        family = Cp932ToUtf8(request.face);
    }
    std::optional<MatchedFile> file = MatchFace(family ? &*family : nullptr, request);
    bool yen = family && FindFontAlias(*family) != nullptr;
    FT_Face face = file && file->name_found ? OpenFace(*file) : nullptr;
    if (face == nullptr) {
        const std::string fallback = kFallbackFamily;
        file = MatchFace(&fallback, request);
        face = file ? OpenFace(*file) : nullptr;
        yen = true;
    }
    if (face == nullptr) {
        return nullptr;
    }
    auto* font = new FreeTypeFont;
    font->face = face;
    font->yen_for_backslash = yen;
    font->embolden = request.weight >= kBoldWeight && !FaceIsBold(face) ? 1 : 0;
    font->converter =
        iconv_open("WCHAR_T", request.charset == kHangulCharsetValue ? "CP949" : "CP932");
    if (font->converter == reinterpret_cast<iconv_t>(-1) || !SizeFace(*font, request.height)) {
        DeleteFreeTypeFont(static_cast<FontFace*>(static_cast<void*>(font)));
        return nullptr;
    }
    return static_cast<FontFace*>(static_cast<void*>(font));
}

void DeleteFreeTypeFont(FontFace* handle) {
    FreeTypeFont* font = AsFreeTypeFont(handle);
    if (font == nullptr) {
        return;
    }
    if (font->converter != reinterpret_cast<iconv_t>(-1)) {
        iconv_close(font->converter);
    }
    FT_Done_Face(font->face);
    delete font;
}

FaceMetrics ReadFreeTypeMetrics(const FontFace* font) {
    return AsFreeTypeFont(font)->metrics;
}

const GlyphSource& FreeTypeGlyphSource() {
    static constexpr GlyphSource source{CreateFreeTypeFont, DeleteFreeTypeFont, ReadFreeTypeMetrics,
                                        ReadFreeTypeGlyph};
    return source;
}

}  // namespace platform
