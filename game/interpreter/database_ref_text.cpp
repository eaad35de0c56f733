#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/core/database.h"
#include "game/interpreter/variable_id_text.h"

namespace game {
namespace {

// A name may refer to itself or to a name that refers back: the expansion stops after this
// many references instead of looping without end.
constexpr int kMaxReferences = 100;

constexpr std::string_view kNumberMarker = "\\d[";
constexpr int kNumberKind = 1;
constexpr int kTextKind = 2;

bool IsLeadByte(char c) {
    const auto value = static_cast<unsigned char>(c);
    return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC);
}

// The first whole-character match of an ASCII marker at or after `from`, a character start.
std::size_t FindMarker(const std::string& text, std::string_view marker, std::size_t from) {
    for (std::size_t i = from; i < text.size(); i += IsLeadByte(text[i]) ? 2 : 1) {
        if (text.compare(i, marker.size(), marker) == 0)
            return i;
    }
    return std::string::npos;
}

// A leading signed decimal, as far as it goes; 0 when there is none.
std::int32_t ParseNumber(std::string_view text) {
    std::int32_t value = 0;
    const char* first = text.data();
    if (!text.empty() && text.front() == '+')
        ++first;
    std::from_chars(first, text.data() + text.size(), value);
    return value;
}

// The text of a content, or the decimal text of a number content; "0" where there is none.
std::string ContentText(const DataBase& db, int type, int data, int content) {
    if (data < 0 || data >= db.GetDBDataCount(type) || db.GetDBContentKind(type, content) < 0)
        return "0";
    const DataBaseType& kind = db.types[static_cast<std::size_t>(type)];
    const std::int32_t code = kind.contentCodes[static_cast<std::size_t>(content)];
    const DataBaseRecord& record = kind.records[static_cast<std::size_t>(data)];
    const int slot = code % 1000;
    if (code / 1000 == kTextKind && slot >= 0 &&
        static_cast<std::size_t>(slot) < record.strings.size())
        return record.strings[static_cast<std::size_t>(slot)];
    if (code / 1000 == kNumberKind && slot >= 0 &&
        static_cast<std::size_t>(slot) < record.numbers.size())
        return std::to_string(record.numbers[static_cast<std::size_t>(slot)]);
    return "0";
}

bool ExpandNumberReference(std::string& text, int offset) {
    const std::size_t at = FindMarker(text, kNumberMarker, 0);
    if (at == std::string::npos)
        return false;
    const std::size_t body = at + kNumberMarker.size();
    const std::size_t close = FindMarker(text, "]", body);
    if (close == std::string::npos) {
        text.erase(at, 2);
        return true;
    }
    const std::int64_t n = ParseNumber(std::string_view(text).substr(body, close - body));
    text.replace(at, close + 1 - at, std::to_string(n + offset));
    return true;
}

// Replaces the first well-formed reference of one database's marker.
bool ExpandDataBaseReference(std::string& text, std::string_view marker, const DataBase& db) {
    for (std::size_t at = FindMarker(text, marker, 0); at != std::string::npos;
         at = FindMarker(text, marker, at + marker.size())) {
        const std::size_t body = at + marker.size();
        const std::size_t close = FindMarker(text, "]", body);
        const std::size_t colon = FindMarker(text, ":", body);
        if (close == std::string::npos || colon == std::string::npos || colon > close)
            continue;
        const std::string_view view(text);
        const int type = ParseNumber(view.substr(body, colon - body));
        const std::size_t second = FindMarker(text, ":", colon + 1);
        std::string replacement;
        if (second < close) {
            const int data = ParseNumber(view.substr(colon + 1, second - colon - 1));
            const int content = ParseNumber(view.substr(second + 1, close - second - 1));
            replacement = ContentText(db, type, data, content);
        } else {
            replacement =
                db.GetDBDataName(type, ParseNumber(view.substr(colon + 1, close - colon - 1)));
        }
        text.replace(at, close + 1 - at, replacement);
        return true;
    }
    return false;
}

}  // namespace

std::string DescribeDatabaseRef(std::string text, const DataBase& userDB, const DataBase& systemDB,
                                const DataBase& changeableDB, int offset) {
    const std::array<std::pair<std::string_view, const DataBase*>, 3> markers{{
        {"\\udb[", &userDB},
        {"\\cdb[", &changeableDB},
        {"\\sdb[", &systemDB},
    }};
    for (int references = 0; references < kMaxReferences; ++references) {
        if (ExpandNumberReference(text, offset))
            continue;
        const bool expanded = std::any_of(markers.begin(), markers.end(), [&](const auto& entry) {
            return ExpandDataBaseReference(text, entry.first, *entry.second);
        });
        if (!expanded)
            break;
    }
    return text;
}

}  // namespace game
