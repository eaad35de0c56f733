#include "platform/display_name.h"

#include <cstdint>
#include <cstdio>

#include "platform/name_bytes.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

constexpr std::string_view kEscapeStart = "&#x";
constexpr std::size_t kMaxEscapeDigits = 6;

std::string EscapeCodePoint(std::uint32_t code_point) {
    char text[16];
    std::snprintf(text, sizeof text, "&#x%04X;", static_cast<unsigned>(code_point));
    return text;
}

void AppendUtf8(std::string& out, std::uint32_t code_point) {
    if (code_point < 0x80) {
        out += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        out += static_cast<char>(0xC0 | (code_point >> 6));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        out += static_cast<char>(0xE0 | (code_point >> 12));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code_point >> 18));
        out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    }
}

// Length of the UTF-8 sequence starting with `lead` in text already known to be valid.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return 4;
}

std::uint32_t DecodeUtf8Sequence(std::string_view sequence) {
    static constexpr unsigned char kLeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    std::uint32_t value = static_cast<unsigned char>(sequence[0]) & kLeadMask[sequence.size()];
    for (std::size_t k = 1; k < sequence.size(); ++k) {
        value = (value << 6) | (static_cast<unsigned char>(sequence[k]) & 0x3F);
    }
    return value;
}

// The CP932 form of one UTF-8 character when it converts there and back unchanged.
std::optional<std::string> ReversibleCp932(std::string_view character) {
    if (character == "\\")
        return std::nullopt;
    std::optional<std::string> cp932 = Utf8ToCp932Strict(character);
    if (!cp932)
        return std::nullopt;
    const std::optional<std::string> back = Cp932ToUtf8Strict(*cp932);
    if (!back || *back != character)
        return std::nullopt;
    return cp932;
}

// Parses "&#xHHHH;" at `index`; gives the code point and the escape's length, or nothing when
// the text there is no escape of a character allowed in a name.
std::optional<std::pair<std::uint32_t, std::size_t>> ParseEscape(std::string_view text,
                                                                 std::size_t index) {
    if (text.substr(index, kEscapeStart.size()) != kEscapeStart)
        return std::nullopt;
    std::uint32_t value = 0;
    std::size_t i = index + kEscapeStart.size();
    const std::size_t digits_start = i;
    for (; i < text.size() && i - digits_start < kMaxEscapeDigits; ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            break;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    if (i == digits_start || i >= text.size() || text[i] != ';')
        return std::nullopt;
    if (value == 0 || value == '/' || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    return std::make_pair(value, i + 1 - index);
}

}  // namespace

std::string DisplayName(std::string_view disk_name) {
    if (!IsValidUtf8(disk_name))
        return std::string(disk_name);
    if (disk_name.find('\\') == std::string_view::npos) {
        if (std::optional<std::string> whole = Utf8ToCp932Strict(disk_name)) {
            const std::optional<std::string> back = Cp932ToUtf8Strict(*whole);
            if (back && *back == disk_name)
                return *whole;
        }
    }
    std::string shown;
    for (std::size_t i = 0; i < disk_name.size();) {
        const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(disk_name[i]));
        const std::string_view character = disk_name.substr(i, length);
        if (std::optional<std::string> cp932 = ReversibleCp932(character)) {
            shown += *cp932;
        } else {
            shown += EscapeCodePoint(DecodeUtf8Sequence(character));
        }
        i += length;
    }
    return shown;
}

std::optional<std::string> GameNameToUtf8(std::string_view cp932_name) {
    std::string utf8;
    std::size_t run_start = 0;
    auto flush_run = [&](std::size_t end) {
        if (end == run_start)
            return true;
        std::optional<std::string> converted =
            Cp932ToUtf8Strict(cp932_name.substr(run_start, end - run_start));
        if (!converted)
            return false;
        utf8 += *converted;
        return true;
    };
    for (std::size_t i = 0; i < cp932_name.size();) {
        if (const auto escape = ParseEscape(cp932_name, i)) {
            if (!flush_run(i))
                return std::nullopt;
            AppendUtf8(utf8, escape->first);
            i += escape->second;
            run_start = i;
            continue;
        }
        i += Cp932CharLength(cp932_name, i);
    }
    if (!flush_run(cp932_name.size()))
        return std::nullopt;
    if (utf8.empty() || utf8 == "." || utf8 == ".." ||
        utf8.find_first_of(std::string_view("/\0", 2)) != std::string::npos) {
        return std::nullopt;
    }
    return utf8;
}

}  // namespace platform
