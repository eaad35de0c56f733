#include "game/interpreter/string_edit.h"

#include <algorithm>

namespace game {
namespace {

bool IsLeadByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC);
}

// Length of the character at position: a lead byte takes the byte after it along.
std::size_t CharacterLength(std::string_view text, std::size_t position) {
    return IsLeadByte(text[position]) && position + 1 < text.size() ? 2 : 1;
}

}  // namespace

std::string FirstLineOf(std::string_view text) {
    std::string line(text.substr(0, text.find('\n')));
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    return line;
}

std::string AfterFirstLine(std::string_view text) {
    const std::size_t feed = text.find('\n');
    return feed == std::string_view::npos ? std::string() : std::string(text.substr(feed + 1));
}

std::size_t FirstCharacterLength(std::string_view text) {
    return text.empty() ? 0 : CharacterLength(text, 0);
}

std::string RemoveOccurrences(std::string target, std::string_view part) {
    if (part.size() == 1) {
        for (std::size_t i = 0; i < target.size();) {
            const std::size_t length = CharacterLength(target, i);
            if (length == 1 && target[i] == part[0])
                target.erase(i, 1);
            else
                i += length;
        }
        return target;
    }
    if (part.empty())
        return target;
    for (std::size_t found = target.find(part); found != std::string::npos;
         found = target.find(part))
        target.erase(found, part.size());
    return target;
}

std::string ReplaceOccurrences(std::string target, std::string_view part,
                               std::string_view replacement) {
    if (part.size() == 1) {
        for (std::size_t i = 0; i < target.size();) {
            const std::size_t length = CharacterLength(target, i);
            if (length == 1 && target[i] == part[0]) {
                target.replace(i, 1, replacement);
                i += replacement.size();
            } else {
                i += length;
            }
        }
        return target;
    }
    if (part.empty())
        return target;
    for (std::size_t found = target.find(part); found != std::string::npos;
         found = target.find(part, found + replacement.size())) {
        target.replace(found, part.size(), replacement);
    }
    return target;
}

}  // namespace game
