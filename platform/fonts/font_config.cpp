#include "platform/fonts/font_config.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>

#include "platform/file_system.h"
#include "platform/fonts/font_aliases.h"
#include "platform/fonts/japanese_aliases_conf.h"
#include "platform/game_path.h"

namespace platform {
namespace {

constexpr int kJapaneseCodePage = 932;

struct FontConfigState {
    FcConfig* config = nullptr;
    // Disk paths of the added font files, in the order they were added.
    std::vector<std::string> added_files;
};

FontConfigState state;

const FcChar8* AsFc(const std::string& text) {
    return reinterpret_cast<const FcChar8*>(text.c_str());
}

FcConfig* LoadConfig() {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        std::fprintf(stderr, "fonts: fontconfig has no configuration\n");
        return nullptr;
    }
    if (!FcConfigParseAndLoadFromMemory(
            config, reinterpret_cast<const FcChar8*>(kJapaneseAliasesConf), FcTrue)) {
        std::fprintf(stderr, "fonts: fontconfig refused the Japanese aliases\n");
    }
    // Matches made without naming a configuration see the same fonts.
    FcConfigSetCurrent(config);
    return config;
}

}  // namespace

FcConfig* FontConfig() {
    if (state.config == nullptr) {
        state.config = LoadConfig();
    }
    return state.config;
}

void ReloadFontConfig() {
    if (state.config != nullptr) {
        FcConfigDestroy(state.config);
    }
    state = FontConfigState{};
}

FcPattern* MatchFontPattern(FcPattern* pattern) {
    FcConfig* config = FontConfig();
    if (config == nullptr) {
        FcPatternDestroy(pattern);
        return nullptr;
    }
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    return match;
}

const std::vector<FontAlias>& FontAliases() {
    static const std::vector<FontAlias> aliases = ParseFontAliases(kJapaneseAliasesConf);
    return aliases;
}

const FontAlias* FindFontAlias(std::string_view utf8_name) {
    const std::string name(utf8_name);
    for (const FontAlias& alias : FontAliases()) {
        if (FcStrCmpIgnoreCase(AsFc(alias.name), AsFc(name)) == 0) {
            return &alias;
        }
    }
    return nullptr;
}

int AddFontFile(std::string_view game_path) {
    const std::optional<std::string> file = ResolveGamePath(game_path);
    FcConfig* config = FontConfig();
    // A FIFO or a device would block the font scan's read, so only regular files are offered.
    if (!file || !IsRegularFile(game_path) || config == nullptr ||
        !FcConfigAppFontAddFile(config, AsFc(*file))) {
        return 0;
    }
    state.added_files.push_back(*file);
    return 1;
}

// fontconfig cannot take back one file, so the added fonts are cleared and the others added
// again.
int RemoveFontFile(std::string_view game_path) {
    const std::optional<std::string> file = ResolveGamePath(game_path);
    const auto found = file ? std::find(state.added_files.begin(), state.added_files.end(), *file)
                            : state.added_files.end();
    if (found == state.added_files.end()) {
        return 0;
    }
    state.added_files.erase(found);
    FcConfigAppFontClear(state.config);
    for (const std::string& other : state.added_files) {
        FcConfigAppFontAddFile(state.config, AsFc(other));
    }
    return 1;
}

int GetOemCodePage() {
    return kJapaneseCodePage;
}

}  // namespace platform
