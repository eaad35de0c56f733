#include "platform/fonts/font_aliases.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>

#include "platform/fonts/japanese_aliases_conf.h"
#include "platform/text_encoding.h"

namespace platform {

int LoadJapaneseFontAliases() {
    FcConfig* config = FcConfigGetCurrent();
    if (config == nullptr ||
        !FcConfigParseAndLoadFromMemory(
            config, reinterpret_cast<const FcChar8*>(kJapaneseAliasesConf), FcTrue)) {
        std::fprintf(stderr, "japanese font aliases: fontconfig refused them\n");
        return -1;
    }
    return 0;
}

std::optional<FontFile> MatchFontFile(std::string_view cp932_family) {
    const std::optional<std::string> family = Cp932ToUtf8Strict(cp932_family);
    if (!family)
        return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr)
        return std::nullopt;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family->c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        return std::nullopt;

    std::optional<FontFile> found;
    FcChar8* file = nullptr;
    FcChar8* match_family = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        FcPatternGetString(match, FC_FAMILY, 0, &match_family) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        found = FontFile{reinterpret_cast<const char*>(file), index,
                         reinterpret_cast<const char*>(match_family)};
    }
    FcPatternDestroy(match);
    return found;
}

}  // namespace platform
