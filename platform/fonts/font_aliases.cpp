#include "platform/fonts/font_aliases.h"

#include <fontconfig/fontconfig.h>

#include "platform/text_encoding.h"

namespace platform {
namespace {

// The text between the next `open` and its `close` at or after `from`; `from` moves past it.
std::optional<std::string_view> NextElement(std::string_view text, std::string_view open,
                                            std::string_view close, std::size_t& from) {
    const std::size_t start = text.find(open, from);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t body = start + open.size();
    const std::size_t end = text.find(close, body);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    from = end + close.size();
    return text.substr(body, end - body);
}

std::vector<std::string> Families(std::string_view text) {
    std::vector<std::string> families;
    std::size_t from = 0;
    while (const auto family = NextElement(text, "<family>", "</family>", from)) {
        families.emplace_back(*family);
    }
    return families;
}

}  // namespace

std::vector<FontAlias> ParseFontAliases(std::string_view conf_text) {
    std::vector<FontAlias> aliases;
    std::size_t from = 0;
    while (const auto alias = NextElement(conf_text, "<alias", "</alias>", from)) {
        std::size_t prefer_from = 0;
        const std::vector<std::string> families = Families(*alias);
        const auto prefer = NextElement(*alias, "<prefer>", "</prefer>", prefer_from);
        if (families.empty() || !prefer) {
            continue;
        }
        aliases.push_back({families.front(), Families(*prefer)});
    }
    return aliases;
}

std::optional<FontFile> MatchFontFile(std::string_view cp932_family) {
    const std::optional<std::string> family = Cp932ToUtf8Strict(cp932_family);
    if (!family) {
        return std::nullopt;
    }
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return std::nullopt;
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family->c_str()));
    FcPattern* match = MatchFontPattern(pattern);
    if (match == nullptr) {
        return std::nullopt;
    }

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
