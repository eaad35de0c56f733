// The second stage of message text expansion: escapes become control codes.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/processing_point.h"
#include "game/interpreter/message_control_codes_texts.h"
#include "game/interpreter/message_text_internal.h"

namespace game {
namespace {

// What a byte of the text being converted is. Bytes of control codes already written are
// opaque: never part of an escape, a two-byte character or a closing bracket.
enum class ByteKind : std::uint8_t { kSingle, kLead, kTrail, kCode };

struct CodedText {
    std::string bytes;
    std::vector<ByteKind> kinds;

    void Append(char byte, ByteKind kind) {
        bytes.push_back(byte);
        kinds.push_back(kind);
    }
    void AppendCode(std::string_view code) {
        for (char byte : code)
            Append(byte, ByteKind::kCode);
    }
};

constexpr char kCodeStart = '\x01';
constexpr std::int64_t kPackOffset = 14;

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The kind of every byte, by the same rule as GetShiftJisByteKind: a lead byte pairs with a
// valid trail byte, and everything from the first NUL on is single.
std::vector<ByteKind> ShiftJisKinds(std::string_view text) {
    std::vector<ByteKind> kinds(text.size(), ByteKind::kSingle);
    ByteKind state = ByteKind::kSingle;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == 0)
            break;
        if (state == ByteKind::kLead)
            state = IsTrailByte(byte) ? ByteKind::kTrail : ByteKind::kSingle;
        else
            state = IsLeadByte(byte) ? ByteKind::kLead : ByteKind::kSingle;
        kinds[i] = state;
    }
    return kinds;
}

// A packed byte holds a digit as (digit + 14) mod 256.
char Packed(std::int64_t digit) {
    return static_cast<char>(static_cast<std::uint8_t>(digit + kPackOffset));
}

std::string PackBase(std::int64_t value, std::int64_t base) {
    return {Packed(value / base), Packed(value % base)};
}

std::string Colour(std::int64_t n) {
    return PackBase(std::clamp<std::int64_t>(n, 0, 26768), 112);
}
std::string FontSlot(std::int64_t n) {
    return {Packed(n)};
}
std::string FontSize(std::int64_t n) {
    return {static_cast<char>(std::clamp<std::int64_t>(n + kPackOffset, 15, 128))};
}
std::string LineHeight(std::int64_t n) {
    return {static_cast<char>(std::clamp<std::int64_t>(n + kPackOffset, 15, 254))};
}
std::string Spacing(std::int64_t n) {
    const std::int64_t raw = n == 0 ? 255 : n == 13 ? 12 : n;
    return {static_cast<char>(static_cast<std::uint8_t>(raw))};
}
// 65535 stands for the default.
std::string Wide(std::int64_t value) {
    return PackBase(value <= 0 ? 65535 : value, 256);
}
std::string Speed(std::int64_t n) {
    return Wide(std::min<std::int64_t>(n, 60000));
}
std::string LineSpace(std::int64_t n) {
    return Wide(std::min<std::int64_t>(n + 32000, 60000));
}
// Icons and offsets: a negative number is written as 10000.
std::string Icon(std::int64_t n) {
    const std::int64_t value = std::min<std::int64_t>(n, 9999);
    return PackBase(value < 0 ? 10000 : value, 256);
}

// Shows the error of a number the escape cannot take; true when the escape then ends right
// after its first two bytes.
bool CheckColour(std::int32_t n) {
    if (n <= 9999)
        return false;
    ShowErrorBox(kColourLimit, FormatText(kColourDetail, n), GetProcessingPointText());
    return true;
}
bool CheckFontSlot(std::int32_t n) {
    if (n < 0 || n > 3)
        ShowErrorBox(kFontRange, "", "");
    return false;
}

struct Escape {
    std::string_view pattern;
    char code;
    std::string (*encode)(std::int64_t);  // null: no number
    const char* bracketError;
    bool (*check)(std::int32_t);  // may be null
};

// In the order they are converted.
constexpr std::array<Escape, 22> kEscapes{{
    {"\\c[", '\x02', Colour, kColourBracket, CheckColour},
    {"\\font[", '\x11', FontSlot, kFontBracket, CheckFontSlot},
    {"\\f[", '\x03', FontSize, kSizeBracket, nullptr},
    {"\\m[", '\x04', LineHeight, kHeightBracket, nullptr},
    {"\\E", '\x05', nullptr, nullptr, nullptr},
    {"\\N", '\x06', nullptr, nullptr, nullptr},
    {"\\-[", '\x07', Spacing, kSpacingBracket, nullptr},
    {"\\r[", '\x09', nullptr, nullptr, nullptr},
    {"\\>", '\x0A', nullptr, nullptr, nullptr},
    {"\\<", '\x0B', nullptr, nullptr, nullptr},
    {"\\sp[", '\x0C', Speed, kSpeedBracket, nullptr},
    {"\\.", '\x0E', nullptr, nullptr, nullptr},
    {"\\!", '\x0F', nullptr, nullptr, nullptr},
    {"\\^", '\x10', nullptr, nullptr, nullptr},
    {"\\space[", '\x12', LineSpace, kLineSpaceBracket, nullptr},
    {"<L>", '\x13', nullptr, nullptr, nullptr},
    {"<C>", '\x14', nullptr, nullptr, nullptr},
    {"<R>", '\x15', nullptr, nullptr, nullptr},
    {"\\i[", '\x16', Icon, kIconBracket, nullptr},
    {"\\img[", '\x17', nullptr, nullptr, nullptr},
    {"\\mx[", '\x18', Icon, kOffsetXBracket, nullptr},
    {"\\my[", '\x19', Icon, kOffsetYBracket, nullptr},
}};

bool MatchesAt(const CodedText& text, std::size_t at, std::string_view pattern) {
    if (text.kinds[at] != ByteKind::kSingle || text.bytes.size() - at < pattern.size())
        return false;
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        if (text.bytes[at + k] != pattern[k] || text.kinds[at + k] == ByteKind::kCode)
            return false;
    }
    return true;
}

std::size_t FindClosingBracket(const CodedText& text, std::size_t from) {
    for (std::size_t i = from; i < text.bytes.size(); ++i) {
        if (text.bytes[i] == ']' && text.kinds[i] != ByteKind::kCode)
            return i;
    }
    return std::string::npos;
}

// Converts the escape at position at into out; returns the position after the bytes it used.
std::size_t ConvertOne(const CodedText& text, std::size_t at, const Escape& escape,
                       CodedText& out) {
    std::string code{kCodeStart, escape.code};
    if (escape.encode == nullptr) {
        out.AppendCode(code);
        return at + escape.pattern.size();
    }
    const std::int32_t n =
        ReadTextNumber(text.bytes, at + escape.pattern.size(),
                       [&](std::size_t i) { return text.kinds[i] == ByteKind::kCode; });
    std::size_t end = FindClosingBracket(text, at + escape.pattern.size());
    if (end == std::string::npos) {
        ShowErrorBox(escape.bracketError, GetProcessingPointText(), "");
        end = at + 1;  // the rest of the escape stays as plain text
    }
    if (escape.check != nullptr && escape.check(n))
        end = at + 1;
    out.AppendCode(code + escape.encode(n));
    return end + 1;
}

CodedText ConvertKind(const CodedText& text, const Escape& escape) {
    CodedText out;
    out.bytes.reserve(text.bytes.size());
    out.kinds.reserve(text.kinds.size());
    std::size_t i = 0;
    while (i < text.bytes.size()) {
        if (MatchesAt(text, i, escape.pattern)) {
            i = ConvertOne(text, i, escape, out);
            continue;
        }
        out.Append(text.bytes[i], text.kinds[i]);
        ++i;
    }
    return out;
}

// Backslash pairs whose first backslash is a character of its own become code 1; carriage
// returns go.
CodedText PairBackslashes(const std::string& text) {
    const std::vector<ByteKind> kinds = ShiftJisKinds(text);
    CodedText out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (kinds[i] == ByteKind::kSingle && text[i] == '\\' && i + 1 < text.size() &&
            text[i + 1] == '\\') {
            out.AppendCode(std::string{kCodeStart, kCodeStart});
            ++i;
        } else if (text[i] != '\r') {
            out.Append(text[i], kinds[i]);
        }
    }
    return out;
}

}  // namespace

std::string ConvertEscapes(const std::string& text) {
    CodedText coded = PairBackslashes(text);
    for (const Escape& escape : kEscapes)
        coded = ConvertKind(coded, escape);
    return std::move(coded.bytes);
}

}  // namespace game
