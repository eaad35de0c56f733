#pragma once

#include <string>
#include <string_view>
#include <vector>

typedef struct _FcConfig FcConfig;
typedef struct _FcPattern FcPattern;

namespace platform {

// The one fontconfig configuration every font match and face list uses: the system's fonts
// and configuration, the Japanese aliases on top, and the font files a game added. Made on
// first use, so that start-up can add a game's fonts before the layer starts.
FcConfig* FontConfig();

// Drops the configuration and the added files; the next use reads the system's configuration
// again (FONTCONFIG_FILE included). For tests that need a configuration of their own.
void ReloadFontConfig();

// The face of the configuration that best matches a pattern, after the configuration's and
// the default substitutions; null when none matches or there is no configuration. Takes the
// pattern and destroys it; the caller destroys the match.
FcPattern* MatchFontPattern(FcPattern* pattern);

// A Windows face name games ask for and the free faces that stand in for it, best first
// (UTF-8), in the order of the alias file.
struct FontAlias {
    std::string name;
    std::vector<std::string> substitutes;
};
const std::vector<FontAlias>& FontAliases();
// The alias of that name (UTF-8, compared as fontconfig compares families), or null.
const FontAlias* FindFontAlias(std::string_view utf8_name);

// Adds the faces of a font file named by a game path (CP932) so that they can be matched and
// listed: 1, or 0 when the file is missing or holds no face fontconfig accepts.
int AddFontFile(std::string_view game_path);
// Takes back a file added before: 1, or 0 when it was not added.
int RemoveFontFile(std::string_view game_path);

// The code page of the system's text: game text is always Japanese here.
int GetOemCodePage();

}  // namespace platform
