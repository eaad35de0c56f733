#include "platform/wildcard_match.h"

#include <string>
#include <vector>

#include "platform/name_bytes.h"

namespace platform {
namespace {

// The characters of CP932 text, ASCII letters upper-cased.
std::vector<std::string_view> Characters(const std::string& folded) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < folded.size();) {
        const std::size_t length = Cp932CharLength(folded, i);
        characters.push_back(std::string_view(folded).substr(i, length));
        i += length;
    }
    return characters;
}

// Matches with backtracking to the last "*" seen, so each "*" is retried at most once per
// name position.
bool MatchCharacters(const std::vector<std::string_view>& pattern, std::size_t pattern_size,
                     const std::vector<std::string_view>& name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = pattern_size;
    std::size_t star_name = 0;
    while (n < name.size()) {
        if (p < pattern_size && (pattern[p] == "?" || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern_size && pattern[p] == "*") {
            star = p++;
            star_name = n;
        } else if (star != pattern_size) {
            p = star + 1;
            n = ++star_name;
        } else {
            return false;
        }
    }
    while (p < pattern_size && pattern[p] == "*")
        ++p;
    return p == pattern_size;
}

}  // namespace

bool MatchFileWildcard(std::string_view pattern, std::string_view name) {
    const std::string folded_pattern = FoldCp932(pattern);
    const std::string folded_name = FoldCp932(name);
    const std::vector<std::string_view> pattern_characters = Characters(folded_pattern);
    const std::vector<std::string_view> name_characters = Characters(folded_name);
    const std::size_t size = pattern_characters.size();
    if (MatchCharacters(pattern_characters, size, name_characters))
        return true;
    return size >= 2 && pattern_characters[size - 2] == "." &&
           pattern_characters[size - 1] == "*" &&
           MatchCharacters(pattern_characters, size - 2, name_characters);
}

}  // namespace platform
