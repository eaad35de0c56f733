// The faces the system lists, in place of the system's family enumeration.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/fonts/font_config.h"
#include "platform/fonts/glyph_source.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

constexpr std::size_t kLongestFaceName = 63;

struct FamilyFacts {
    bool truetype = false;
    bool japanese = false;
};

std::string StringOf(const FcChar8* text) {
    return reinterpret_cast<const char*>(text);
}

// The family's Japanese name when it has one, else its first.
std::string ShownFamily(FcPattern* font) {
    FcChar8* family = nullptr;
    FcChar8* language = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        if (FcPatternGetString(font, FC_FAMILYLANG, i, &language) == FcResultMatch &&
            std::strcmp(reinterpret_cast<const char*>(language), "ja") == 0) {
            return StringOf(family);
        }
    }
    return FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch ? StringOf(family)
                                                                            : std::string();
}

FamilyFacts FactsOf(FcPattern* font) {
    FamilyFacts facts;
    FcChar8* format = nullptr;
    if (FcPatternGetString(font, FC_FONTFORMAT, 0, &format) == FcResultMatch) {
        const std::string name = StringOf(format);
        facts.truetype = name == "TrueType" || name == "CFF";
    }
    FcLangSet* languages = nullptr;
    if (FcPatternGetLangSet(font, FC_LANG, 0, &languages) == FcResultMatch) {
        facts.japanese = FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("ja")) !=
                         FcLangDifferentLang;
    }
    return facts;
}

void AddFace(std::vector<InstalledFace>& faces, const std::string& utf8, FamilyFacts facts) {
    const std::optional<std::string> name = Utf8ToCp932Strict(utf8);
    if (!name || name->empty() || name->size() > kLongestFaceName) {
        return;
    }
    const bool listed = std::any_of(faces.begin(), faces.end(),
                                    [&](const InstalledFace& face) { return face.name == *name; });
    if (!listed) {
        faces.push_back({*name, facts.truetype, facts.japanese});
    }
}

}  // namespace

std::vector<InstalledFace> ListInstalledFaces() {
    std::vector<InstalledFace> faces;
    FcConfig* config = FontConfig();
    FcPattern* any = FcPatternCreate();
    FcObjectSet* objects =
        FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_FONTFORMAT, FC_LANG, nullptr);
    FcFontSet* fonts = config != nullptr && any != nullptr && objects != nullptr
                           ? FcFontList(config, any, objects)
                           : nullptr;
    // Every family name of every font (so that an alias finds its stand-in under any of its
    // names), and the shown name of each family.
    std::map<std::string, FamilyFacts> by_any_name;
    std::map<std::string, FamilyFacts> shown;
    for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
        FcPattern* font = fonts->fonts[i];
        const FamilyFacts facts = FactsOf(font);
        FcChar8* family = nullptr;
        for (int j = 0; FcPatternGetString(font, FC_FAMILY, j, &family) == FcResultMatch; ++j) {
            FamilyFacts& known = by_any_name[StringOf(family)];
            known.truetype |= facts.truetype;
            known.japanese |= facts.japanese;
        }
        FamilyFacts& known = shown[ShownFamily(font)];
        known.truetype |= facts.truetype;
        known.japanese |= facts.japanese;
    }
    for (const FontAlias& alias : FontAliases()) {
        for (const std::string& substitute : alias.substitutes) {
            const auto found = by_any_name.find(substitute);
            if (found != by_any_name.end()) {
                AddFace(faces, alias.name, found->second);
                break;
            }
        }
    }
    for (const auto& [name, facts] : shown) {
        AddFace(faces, name, facts);
    }
    if (fonts != nullptr) {
        FcFontSetDestroy(fonts);
    }
    if (objects != nullptr) {
        FcObjectSetDestroy(objects);
    }
    if (any != nullptr) {
        FcPatternDestroy(any);
    }
    return faces;
}

}  // namespace platform
