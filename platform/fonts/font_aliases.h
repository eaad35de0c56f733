#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts/font_config.h"

namespace platform {

// The aliases of the Japanese system faces read from the alias file's text: each <alias>
// element's first family is the name, the families of its <prefer> the substitutes.
std::vector<FontAlias> ParseFontAliases(std::string_view conf_text);

struct FontFile {
    std::string path;    // file of the face, UTF-8 as on disk
    int index = 0;       // face index inside a collection
    std::string family;  // family of the face found, UTF-8 as fontconfig names it
};

// The face the font configuration picks for a CP932 family name: always some face when any
// font is installed, so callers compare `family` when they need the asked one. Empty when the
// name is not valid CP932 or fontconfig finds nothing.
std::optional<FontFile> MatchFontFile(std::string_view cp932_family);

}  // namespace platform
