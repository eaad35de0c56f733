#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Adds the aliases of the Japanese system faces games name ("ＭＳ ゴシック", "MS Gothic", ...)
// to fontconfig's current configuration. Call once at start-up; returns 0, or -1 after a log
// line. A later FcInitBringUptoDate that rebuilds the configuration drops them.
int LoadJapaneseFontAliases();

struct FontFile {
    std::string path;    // file of the face, UTF-8 as on disk
    int index = 0;       // face index inside a collection
    std::string family;  // family of the face found, UTF-8 as fontconfig names it
};

// The face fontconfig picks for a CP932 family name: always some face when any font is
// installed, so callers compare `family` when they need the asked one. Empty when the
// name is not valid CP932 or fontconfig finds nothing.
std::optional<FontFile> MatchFontFile(std::string_view cp932_family);

}  // namespace platform
