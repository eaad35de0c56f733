// The first stage of message text expansion: references to game values become the values.
#include <string>
#include <string_view>

#include "game/core/error_box.h"
#include "game/core/processing_point.h"
#include "game/core/variable_ids.h"
#include "game/core/variable_store.h"
#include "game/interpreter/message_substitutions_texts.h"
#include "game/interpreter/message_text_internal.h"

namespace game {
namespace {

// A text that keeps bringing its own references back is cut off: a kind stops after this
// many replacements or once the text has grown this long.
constexpr int kMaxReplacements = 100000;
constexpr std::size_t kMaxTextBytes = 1 << 20;

struct Replacement {
    std::size_t end;  // one past the last byte replaced
    std::string value;
};

std::int32_t NumberAt(std::string_view text, std::size_t position) {
    return ReadTextNumber(text, position, [](std::size_t) { return false; });
}

// IDs are sums of a base and numbers from the text; they wrap like the game's ints.
std::int32_t IdOf(std::int64_t base, std::int64_t scaled, std::int32_t number) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(base) +
                                     static_cast<std::uint32_t>(scaled) +
                                     static_cast<std::uint32_t>(number));
}

// The closing bracket of a reference at start; a missing one shows the error and is taken to
// lie right after the backslash.
std::size_t ClosingBracket(std::string_view text, std::size_t start, const char* error) {
    const std::size_t close = text.find(']', start);
    if (close != std::string_view::npos)
        return close;
    ShowErrorBox(error, GetProcessingPointText(), "");
    return start + 1;
}

// Replaces the first occurrence of pattern, from the start of the text, until none is left.
template <typename Replace>
void SubstituteAll(std::string& text, std::string_view pattern, Replace replace) {
    int count = 0;
    for (std::size_t at = text.find(pattern); at != std::string::npos;) {
        if (++count > kMaxReplacements || text.size() > kMaxTextBytes) {
            ShowErrorBox(kSubstitutionLoop, GetProcessingPointText(), "");
            return;
        }
        const Replacement replacement = replace(std::string_view(text), at);
        text.replace(at, replacement.end - at, replacement.value);
        // Nothing before the replaced range changed, so the next first occurrence cannot
        // start earlier than one that reaches into it.
        at = text.find(pattern, at >= pattern.size() ? at - (pattern.size() - 1) : 0);
    }
}

// A reference of the form pattern, number, "]" whose value is number-dependent.
template <typename Value>
void SubstituteNumbered(std::string& text, std::string_view pattern, const char* error,
                        Value value) {
    SubstituteAll(text, pattern, [&](std::string_view current, std::size_t at) {
        const std::int32_t number = NumberAt(current, at + pattern.size());
        const std::size_t close = ClosingBracket(current, at, error);
        return Replacement{close + 1, value(number)};
    });
}

std::string NumberText(std::int32_t value) {
    return std::to_string(value);
}

std::string UpToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

// Database references: type ":" data ":" content "]". A missing ":" is taken right after the
// separator before it, a missing "]" right after the second ":".
void SubstituteDataBase(std::string& text, std::string_view pattern, std::int32_t base) {
    SubstituteAll(text, pattern, [&](std::string_view current, std::size_t at) {
        auto separator = [&](std::size_t previous) {
            const std::size_t found = current.find(':', previous + 1);
            if (found != std::string_view::npos)
                return found;
            ShowErrorBox(kDataBaseColon, GetProcessingPointText(), "");
            return previous + 1;
        };
        const std::size_t first = separator(at);
        const std::size_t second = separator(first);
        std::size_t close = current.find(']', at);
        if (close == std::string_view::npos) {
            ShowErrorBox(kDataBaseBracket, GetProcessingPointText(), "");
            close = second + 1;
        }
        const std::int32_t id =
            IdOf(base, std::int64_t{NumberAt(current, at + pattern.size())} * 1000000,
                 IdOf(0, std::int64_t{NumberAt(current, first + 1)} * 100,
                      NumberAt(current, second + 1)));
        std::string value = TheVariableStore.ReadStringById(id);
        if (value == "<<ERROR>>")
            value = NumberText(TheVariableStore.ReadValueById(id));
        return Replacement{close + 1, value};
    });
}

}  // namespace

void SubstituteReferences(std::string& text, int eventNumber, int commonNumber, int mapId) {
    VariableStore& store = TheVariableStore;
    SubstituteNumbered(text, "\\v[", kVariableBracket, [&](std::int32_t n) {
        return NumberText(store.ReadValueById(IdOf(2000000, 0, n)));
    });
    for (int set = 1; set <= 9; ++set) {
        const std::string pattern = std::string("\\v") + static_cast<char>('0' + set) + "[";
        SubstituteNumbered(text, pattern, kReserveBracket, [&](std::int32_t n) {
            return NumberText(store.ReadValueById(IdOf(2000000, set * 100000, n)));
        });
    }
    SubstituteNumbered(text, "\\self[", kSelfBracket, [&](std::int32_t n) {
        store.mapOverride = mapId;
        return NumberText(store.ReadValueById(IdOf(1000000, std::int64_t{eventNumber} * 10, n)));
    });
    SubstituteNumbered(text, "\\cself[", kCommonSelfBracket, [&](std::int32_t n) {
        const std::int32_t id = IdOf(15000000, std::int64_t{commonNumber} * 100, n);
        return IsCommonStringSlot(n) ? store.ReadStringById(id)
                                     : NumberText(store.ReadValueById(id));
    });
    SubstituteDataBase(text, "\\udb[", 1000000000);
    SubstituteDataBase(text, "\\cdb[", 1100000000);
    SubstituteDataBase(text, "\\sdb[", 1300000000);
    SubstituteNumbered(text, "\\s[", kStringBracket, [&](std::int32_t n) {
        return UpToNul(store.ReadStringById(IdOf(3000000, 0, n)));
    });
}

}  // namespace game
