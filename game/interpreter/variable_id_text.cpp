#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>

#include "game/core/common_event.h"
#include "game/core/database.h"
#include "game/core/format_text.h"
#include "game/core/variable_ids.h"
#include "game/interpreter/variable_id_text.h"
#include "game/interpreter/variable_id_text_texts.h"

namespace game {
namespace {

constexpr std::int32_t kLowestId = -2000000000;
constexpr std::int32_t kHighestId = 2000000000;
constexpr int kFirstVariableNameType = 14;
constexpr int kStringNameType = 4;
constexpr int kSystemStringNameType = 5;
constexpr int kSystemNameType = 6;
constexpr int kHeightField = 4;
constexpr int kDataBaseNumber = 1;
constexpr int kDataBaseText = 2;

struct Context {
    const DataBase& user;
    const DataBase& system;
    const DataBase& changeable;
    int expectKind;
    int commonEvent;
    const CommonEventList* commonEvents;
    bool longForm;
};

using Text = std::optional<std::string>;

std::string SelfVariableName(const Context& context, int common, int slot) {
    if (context.commonEvents == nullptr || common < 0 ||
        static_cast<std::size_t>(common) >= context.commonEvents->events.size())
        return "";
    const auto& names =
        context.commonEvents->events[static_cast<std::size_t>(common)].selfVariableNames;
    return static_cast<std::size_t>(slot) < names.size() ? names[static_cast<std::size_t>(slot)]
                                                         : "";
}

Text Literal(std::int32_t id, const Context& context) {
    const std::string number = std::to_string(id);
    return context.longForm ? FormatText(kLongLiteral, number.c_str()) : number;
}

Text ThisEventSelf(std::int32_t id, const Context& context) {
    return FormatText(context.longForm ? kLongThisSelf : kShortThisSelf, id % 10);
}

Text EventSelf(std::int32_t id, const Context& context) {
    return FormatText(context.longForm ? kLongEventSelf : kShortEventSelf, (id % 100000) / 10,
                      id % 10);
}

Text ThisCommonSelf(std::int32_t id, const Context& context) {
    const int slot = id % 100;
    const std::string name = SelfVariableName(context, context.commonEvent, slot);
    if (context.longForm)
        return FormatText(kLongThisCommonSelf, slot, name.c_str());
    if (context.commonEvent < 0)
        return kShortNotInMapEvent;
    return name.empty() ? FormatText(kShortThisCommonSelf, slot)
                        : FormatText(kShortThisCommonSelfNamed, slot, name.c_str());
}

Text CommonSelf(std::int32_t id, const Context& context) {
    const int common = (id - 15000000) / 100;
    const int slot = id % 100;
    const std::string name = SelfVariableName(context, common, slot);
    if (context.longForm)
        return FormatText(kLongCommonSelf, common, slot, name.c_str());
    return name.empty() ? FormatText(kShortCommonSelf, common, slot)
                        : FormatText(kShortCommonSelfNamed, common, slot, name.c_str());
}

Text Variable(std::int32_t id, const Context& context) {
    const int set = (id - 2000000) / 100000;
    const int index = id % 100000;
    const std::string name = context.system.GetDBDataName(kFirstVariableNameType + set, index);
    if (set == 0)
        return FormatText(context.longForm ? kLongVariable : "V%d[%s]", index, name.c_str());
    return FormatText(context.longForm ? kLongReserve : "V%d-%d[%s]", set, index, name.c_str());
}

Text StringVariable(std::int32_t id, const Context& context) {
    const int index = id % 1000000;
    const std::string name = context.system.GetDBDataName(kStringNameType, index);
    return FormatText(context.longForm ? kLongString : "S%d[%s]", index, name.c_str());
}

Text Random(std::int32_t id, const Context& context) {
    return FormatText(context.longForm ? kLongRandom : kShortRandom, id - 8000000);
}

Text SystemVariable(std::int32_t id, const Context& context) {
    const int index = id % 1000000;
    const std::string name = context.system.GetDBDataName(kSystemNameType, index);
    return FormatText(context.longForm ? kLongSystem : "Sys%d:%s", index, name.c_str());
}

Text SystemString(std::int32_t id, const Context& context) {
    const int index = id % 100000;
    const std::string name = context.system.GetDBDataName(kSystemStringNameType, index);
    return FormatText(context.longForm ? kLongSystemString : "SysS%d[%s]", index, name.c_str());
}

// The position fields 0 to 3 of a character: the axis and whether whole or half tiles.
struct Coordinate {
    const char* axis;
    const char* precision;
};

Coordinate CoordinateOf(int field, bool longForm) {
    const char* axis = field % 2 == 0 ? "X" : "Y";
    if (field < 2)
        return {axis, longForm ? kMapPrecision : kShortMap};
    return {axis, longForm ? kFinePrecision : kShortFine};
}

// Formats for a character's coordinate and height in both forms, each taking the character's
// number first when it has one.
struct CharacterTexts {
    const char* shortCoordinate;
    const char* shortHeight;
    const char* longCoordinate;
    const char* longHeight;
};

Text Character(const CharacterTexts& texts, std::optional<int> number, int field, bool longForm) {
    if (field > kHeightField)
        return std::nullopt;
    if (field == kHeightField) {
        const char* format = longForm ? texts.longHeight : texts.shortHeight;
        return number ? FormatText(format, *number) : FormatText("%s", format);
    }
    const Coordinate coordinate = CoordinateOf(field, longForm);
    const char* format = longForm ? texts.longCoordinate : texts.shortCoordinate;
    return number ? FormatText(format, *number, coordinate.axis, coordinate.precision)
                  : FormatText(format, coordinate.axis, coordinate.precision);
}

Text EventData(std::int32_t id, const Context& context) {
    return Character({kShortEventXY, kShortEventHeight, kLongEventXY, kLongEventHeight},
                     (id - 9100000) / 10, id % 10, context.longForm);
}

Text HeroData(std::int32_t id, const Context& context) {
    return Character({kHeroXY, kShortHeroHeight, kHeroXY, kLongHeroHeight}, std::nullopt, id % 10,
                     context.longForm);
}

Text MemberData(std::int32_t id, const Context& context) {
    return Character({kMemberXY, kShortMemberHeight, kMemberXY, kLongMemberHeight},
                     (id - 9180000) / 10, id % 10, context.longForm);
}

Text ThisEventData(std::int32_t id, const Context& context) {
    return Character({kShortThisXY, kShortThisHeight, kLongThisXY, kLongThisHeight}, std::nullopt,
                     id % 10, context.longForm);
}

// A database row; it holds what its content holds, so it matches by the content's kind.
Text DataBaseEntry(std::int32_t id, const Context& context, const DataBase& db,
                   const char* shortFormat, const char* longFormat) {
    const DataBaseAddress at = DecodeDataBaseId(id);
    const int kind = db.GetDBContentKind(at.type, at.content);
    if ((context.expectKind == kExpectNumber && kind != kDataBaseNumber) ||
        (context.expectKind == kExpectText && kind != kDataBaseText))
        return std::nullopt;
    const auto expand = [&](const std::string& name) {
        return DescribeDatabaseRef(name, context.user, context.system, context.changeable, 0);
    };
    const std::string data = expand(db.GetDBDataName(at.type, at.data));
    const std::string content = expand(db.GetDBContentName(at.type, at.content));
    if (!context.longForm) {
        return FormatText(shortFormat, at.type, at.data, at.content, data.c_str(), content.c_str());
    }
    const std::string type = expand(db.GetDBTypeName(at.type));
    const std::string contentText =
        kind == kDataBaseNumber ? FormatText(kNumberContent, content.c_str())
        : kind == kDataBaseText ? FormatText(kTextContent, content.c_str())
                                : content;
    return FormatText(longFormat, at.type, type.c_str(), at.data, data.c_str(), at.content,
                      contentText.c_str());
}

Text UserDataBaseEntry(std::int32_t id, const Context& context) {
    return DataBaseEntry(id, context, context.user, kShortUser, kLongUser);
}

Text ChangeableDataBaseEntry(std::int32_t id, const Context& context) {
    return DataBaseEntry(id, context, context.changeable, kShortChangeable, kLongChangeable);
}

Text SystemDataBaseEntry(std::int32_t id, const Context& context) {
    return DataBaseEntry(id, context, context.system, kShortSystemDb, kLongSystemDb);
}

// What a row's IDs hold: number rows serve unless a text is expected, text rows unless a
// number is; the other rows decide for themselves.
enum class Holds { kNumber, kText, kAny };

struct Row {
    std::int32_t first;
    std::int32_t last;
    Holds holds;
    Text (*describe)(std::int32_t id, const Context& context);
};

// The first row that holds the ID and serves the expected kind describes it.
constexpr Row kRows[] = {
    {kLowestId, 999999, Holds::kNumber, Literal},
    {1100000, 1199999, Holds::kNumber, ThisEventSelf},
    {1000000, 1499999, Holds::kNumber, EventSelf},
    {1600000, 1699999, Holds::kAny, ThisCommonSelf},
    {15000000, 15999999, Holds::kAny, CommonSelf},
    {2000000, 2999999, Holds::kNumber, Variable},
    {3000000, 3999999, Holds::kText, StringVariable},
    {8000000, 8999999, Holds::kNumber, Random},
    {9000000, 9099999, Holds::kNumber, SystemVariable},
    {9100000, 9179999, Holds::kNumber, EventData},
    {9180000, 9180009, Holds::kNumber, HeroData},
    {9180010, 9180059, Holds::kNumber, MemberData},
    {9190000, 9199999, Holds::kNumber, ThisEventData},
    {9900000, 9999999, Holds::kText, SystemString},
    {1000000000, 1099999999, Holds::kAny, UserDataBaseEntry},
    {1100000000, 1199999999, Holds::kAny, ChangeableDataBaseEntry},
    {1300000000, 1399999999, Holds::kAny, SystemDataBaseEntry},
};

bool Serves(Holds holds, int expectKind) {
    return (holds != Holds::kNumber || expectKind != kExpectText) &&
           (holds != Holds::kText || expectKind != kExpectNumber);
}

std::string Describe(std::int32_t id, const Context& context) {
    id = std::clamp(id, kLowestId, kHighestId);
    for (const Row& row : kRows) {
        if (id < row.first || id > row.last || !Serves(row.holds, context.expectKind))
            continue;
        if (const Text text = row.describe(id, context))
            return *text;
        break;
    }
    if (context.longForm)
        return kLongError;
    if (context.expectKind == kExpectNumber)
        return FormatText(kNumberExpected, id);
    return context.expectKind == kExpectText ? FormatText(kTextExpected, id) : "";
}

}  // namespace

std::string DescribeVariableIdLong(std::int32_t id, const DataBase& userDB,
                                   const DataBase& systemDB, const DataBase& changeableDB,
                                   int expectKind, int commonEvent,
                                   const CommonEventList* commonEvents) {
    return Describe(id,
                    {userDB, systemDB, changeableDB, expectKind, commonEvent, commonEvents, true});
}

std::string DescribeVariableIdShort(std::int32_t id, const DataBase& userDB,
                                    const DataBase& systemDB, const DataBase& changeableDB,
                                    int expectKind, int commonEvent,
                                    const CommonEventList* commonEvents) {
    return Describe(id,
                    {userDB, systemDB, changeableDB, expectKind, commonEvent, commonEvents, false});
}

bool IsParameterCommand(std::int32_t code) {
    constexpr std::int32_t kWithout[] = {0, 104, 161, 162, 170, 171, 172, 174, 202};
    if (code >= 400 && code <= 499)
        return false;
    return std::find(std::begin(kWithout), std::end(kWithout), code) == std::end(kWithout);
}

}  // namespace game
