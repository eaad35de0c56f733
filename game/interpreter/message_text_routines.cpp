#include <array>
#include <string_view>

#include "game/interpreter/message_text.h"

namespace game {
namespace {

constexpr char kCodeStart = '\x01';

struct Reverted {
    char code;
    std::string_view escape;
};

// The codes without a parameter, and the two whose text follows them.
constexpr std::array<Reverted, 10> kReverted{{
    {'\x01', "\\\\"},
    {'\x05', "\\E"},
    {'\x06', "\\N"},
    {'\x09', "\\r["},
    {'\x0A', "\\>"},
    {'\x0B', "\\<"},
    {'\x0E', "\\."},
    {'\x0F', "\\!"},
    {'\x10', "\\^"},
    {'\x17', "\\img["},
}};

const Reverted* FindReverted(char code) {
    for (const Reverted& entry : kReverted) {
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}

// Replaces every non-overlapping occurrence, left to right.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = text.find(from); at != std::string_view::npos;
         at = text.find(from, start)) {
        out.append(text.substr(start, at - start));
        out.append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

}  // namespace

// The replacements never make a new pair, and only the pair of two code starts can overlap
// another, so one pass from the left gives what replacing the first occurrence of the first
// listed pair over and over gives.
std::string RevertControlCodes(const std::string& coded) {
    std::string out;
    out.reserve(coded.size());
    for (std::size_t i = 0; i < coded.size(); ++i) {
        const Reverted* entry =
            coded[i] == kCodeStart && i + 1 < coded.size() ? FindReverted(coded[i + 1]) : nullptr;
        if (entry == nullptr) {
            out.push_back(coded[i]);
            continue;
        }
        out.append(entry->escape);
        ++i;
    }
    return out;
}

// Through the code pair, so that pairs already in the text become two backslashes too.
std::string DoubleBackslashes(const std::string& text) {
    return ReplaceAll(ReplaceAll(text, "\\", "\x01\x01"), "\x01\x01", "\\\\");
}

std::string SplitMessagePage(int part, std::string text) {
    std::erase(text, '\r');
    const std::size_t at_break = text.size() > 1 ? text.find("\n@", 1) : std::string::npos;
    const std::size_t empty_line = text.find("\n\n");
    const std::size_t page_end = std::min(at_break, empty_line);
    if (part == 0)
        return page_end == std::string::npos ? text : text.substr(0, page_end);
    if (part != 1 || page_end == std::string::npos)
        return "";
    // The "@" of the next page stays; both line feeds of an empty line go.
    return text.substr(page_end == at_break ? page_end + 1 : page_end + 2);
}

}  // namespace game
