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

namespace game {
namespace {

// "[%d]★エラー！整数変数ではありません！！"
constexpr char kNumberExpected[] =
    "[%d]\x81\x9A\x83G\x83\x89\x81["
    "\x81I\x90\xAE\x90\x94\x95\xCF\x90\x94\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"
    "\x81I\x81I";
// "[%d]★エラー！文字変数ではありません！！"
constexpr char kTextExpected[] =
    "[%d]\x81\x9A\x83G\x83\x89\x81["
    "\x81I\x95\xB6\x8E\x9A\x95\xCF\x90\x94\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"
    "\x81I\x81I";
// "※指定不能・範囲ではありません"
constexpr char kLongError[] =
    "\x81\xA6\x8Ew\x92\xE8\x95s\x94\x5C\x81"
    "E\x94\xCD\x88\xCD\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
// "通常の整数値 %s"
constexpr char kLongLiteral[] = "\x92\xCA\x8F\xED\x82\xCC\x90\xAE\x90\x94\x92l %s";
// "このEvのｾﾙﾌ変数%d"
constexpr char kShortThisSelf[] =
    "\x82\xB1\x82\xCC"
    "Ev\x82\xCC\xBE\xD9\xCC\x95\xCF\x90\x94%d";
// "このEvのｾﾙﾌ変数%dの値"
constexpr char kLongThisSelf[] =
    "\x82\xB1\x82\xCC"
    "Ev\x82\xCC\xBE\xD9\xCC\x95\xCF\x90\x94%d\x82\xCC\x92l";
// "Ev%dのｾﾙﾌ%d"
constexpr char kShortEventSelf[] = "Ev%d\x82\xCC\xBE\xD9\xCC%d";
// "Ev%2dのｾﾙﾌ変数%dの値"
constexpr char kLongEventSelf[] = "Ev%2d\x82\xCC\xBE\xD9\xCC\x95\xCF\x90\x94%d\x82\xCC\x92l";
// "このｺﾓﾝEvｾﾙﾌ%d"
constexpr char kShortThisCommonSelf[] =
    "\x82\xB1\x82\xCC\xBA\xD3\xDD"
    "Ev\xBE\xD9\xCC%d";
// "このｺﾓﾝEvｾﾙﾌ%d<%s>"
constexpr char kShortThisCommonSelfNamed[] =
    "\x82\xB1\x82\xCC\xBA\xD3\xDD"
    "Ev\xBE\xD9\xCC%d<%s>";
// "★エラー！マップEvでは「このｺﾓﾝｾﾙﾌ」は動作しません！！"
constexpr char kShortNotInMapEvent[] =
    "\x81\x9A\x83G\x83\x89\x81[\x81I\x83}\x83"
    "b\x83vEv\x82\xC5\x82\xCD\x81u\x82\xB1\x82\xCC\xBA\xD3\xDD\xBE\xD9\xCC\x81v\x82\xCD\x93\xAE\x8D"
    "\xEC\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81I\x81I";
// "このコモンEvのｾﾙﾌ変数%d %s"
constexpr char kLongThisCommonSelf[] =
    "\x82\xB1\x82\xCC\x83R\x83\x82\x83\x93"
    "Ev\x82\xCC\xBE\xD9\xCC\x95\xCF\x90\x94%d %s";
// "ｺﾓﾝEv%dｾﾙﾌ%d"
constexpr char kShortCommonSelf[] =
    "\xBA\xD3\xDD"
    "Ev%d\xBE\xD9\xCC%d";
// "ｺﾓﾝEv%dｾﾙﾌ%d<%s>"
constexpr char kShortCommonSelfNamed[] =
    "\xBA\xD3\xDD"
    "Ev%d\xBE\xD9\xCC%d<%s>";
// "コモンEv%dｾﾙﾌ変数%d %s"
constexpr char kLongCommonSelf[] =
    "\x83R\x83\x82\x83\x93"
    "Ev%d\xBE\xD9\xCC\x95\xCF\x90\x94%d %s";
// "【通常変数】%2d：[%s]"
constexpr char kLongVariable[] =
    "\x81y\x92\xCA\x8F\xED\x95\xCF\x90\x94\x81z%2d\x81"
    "F[%s]";
// "【予備変数%d】%2d：[%s]"
constexpr char kLongReserve[] =
    "\x81y\x97\x5C\x94\xF5\x95\xCF\x90\x94%d\x81z%2d\x81"
    "F[%s]";
// "【文字列変数】%2d：[%s]:"
constexpr char kLongString[] =
    "\x81y\x95\xB6\x8E\x9A\x97\xF1\x95\xCF\x90\x94\x81z%2d\x81"
    "F[%s]:";
// "乱数[0～%d] "
constexpr char kShortRandom[] = "\x97\x90\x90\x94[0\x81`%d] ";
// "【乱数】0 ～ %d "
constexpr char kLongRandom[] = "\x81y\x97\x90\x90\x94\x81z0 \x81` %d ";
// "【システム変数】%2d:[%s] の値"
constexpr char kLongSystem[] =
    "\x81y\x83V\x83X\x83"
    "e\x83\x80\x95\xCF\x90\x94\x81z%2d:[%s] \x82\xCC\x92l";
// "Ev%dの%s座標%s"
constexpr char kShortEventXY[] = "Ev%d\x82\xCC%s\x8D\xC0\x95W%s";
// "Ev%dの高さ（ピクセル）"
constexpr char kShortEventHeight[] =
    "Ev%d\x82\xCC\x8D\x82\x82\xB3\x81i\x83s\x83N\x83Z\x83\x8B\x81j";
// "イベント%dの%s座標%s"
constexpr char kLongEventXY[] =
    "\x83"
    "C\x83x\x83\x93\x83g%d\x82\xCC%s\x8D\xC0\x95W%s";
// "イベント%dの高さ"
constexpr char kLongEventHeight[] =
    "\x83"
    "C\x83x\x83\x93\x83g%d\x82\xCC\x8D\x82\x82\xB3";
// "主人公の%s座標%s"
constexpr char kHeroXY[] = "\x8E\xE5\x90l\x8C\xF6\x82\xCC%s\x8D\xC0\x95W%s";
// "主人公の高さ(ピクセル)"
constexpr char kShortHeroHeight[] =
    "\x8E\xE5\x90l\x8C\xF6\x82\xCC\x8D\x82\x82\xB3(\x83s\x83N\x83Z\x83\x8B)";
// "主人公の高さ"
constexpr char kLongHeroHeight[] = "\x8E\xE5\x90l\x8C\xF6\x82\xCC\x8D\x82\x82\xB3";
// "仲間%dの%s座標%s"
constexpr char kMemberXY[] = "\x92\x87\x8A\xD4%d\x82\xCC%s\x8D\xC0\x95W%s";
// "仲間%dの高さ(ピクセル)"
constexpr char kShortMemberHeight[] =
    "\x92\x87\x8A\xD4%d\x82\xCC\x8D\x82\x82\xB3(\x83s\x83N\x83Z\x83\x8B)";
// "仲間%dの高さ"
constexpr char kLongMemberHeight[] = "\x92\x87\x8A\xD4%d\x82\xCC\x8D\x82\x82\xB3";
// "このEvの%s座標%s"
constexpr char kShortThisXY[] =
    "\x82\xB1\x82\xCC"
    "Ev\x82\xCC%s\x8D\xC0\x95W%s";
// "このEvの高さ（ピクセル）"
constexpr char kShortThisHeight[] =
    "\x82\xB1\x82\xCC"
    "Ev\x82\xCC\x8D\x82\x82\xB3\x81i\x83s\x83N\x83Z\x83\x8B\x81j";
// "このｷｬﾗの%s座標%s"
constexpr char kLongThisXY[] = "\x82\xB1\x82\xCC\xB7\xAC\xD7\x82\xCC%s\x8D\xC0\x95W%s";
// "このｷｬﾗの高さ"
constexpr char kLongThisHeight[] = "\x82\xB1\x82\xCC\xB7\xAC\xD7\x82\xCC\x8D\x82\x82\xB3";
// "【ｼｽﾃﾑ文字列】%2d：[%s]:"
constexpr char kLongSystemString[] =
    "\x81y\xBC\xBD\xC3\xD1\x95\xB6\x8E\x9A\x97\xF1\x81z%2d\x81"
    "F[%s]:";
// "ﾕｰｻﾞDB(%d,%d,%d)[%s %s ]"
constexpr char kShortUser[] =
    "\xD5\xB0\xBB\xDE"
    "DB(%d,%d,%d)[%s %s ]";
// "【ﾕｰｻﾞDB】タイプ%d:%s データ%d:%s 内容%d:%s の値"
constexpr char kLongUser[] =
    "\x81y\xD5\xB0\xBB\xDE"
    "DB\x81z\x83^\x83"
    "C\x83v%d:%s \x83"
    "f\x81[\x83^%d:%s \x93\xE0\x97"
    "e%d:%s \x82\xCC\x92l";
// "可変DB(%d,%d,%d)[%s %s ]"
constexpr char kShortChangeable[] =
    "\x89\xC2\x95\xCF"
    "DB(%d,%d,%d)[%s %s ]";
// "【可変DB】タイプ%d:%s データ%d:%s 内容%d:%s の値"
constexpr char kLongChangeable[] =
    "\x81y\x89\xC2\x95\xCF"
    "DB\x81z\x83^\x83"
    "C\x83v%d:%s \x83"
    "f\x81[\x83^%d:%s \x93\xE0\x97"
    "e%d:%s \x82\xCC\x92l";
// "ｼｽﾃﾑDB(%d,%d,%d)[%s %s ]"
constexpr char kShortSystemDb[] =
    "\xBC\xBD\xC3\xD1"
    "DB(%d,%d,%d)[%s %s ]";
// "【ｼｽﾃﾑDB】タイプ%d:%s データ%d:%s 内容%d:%s の値"
constexpr char kLongSystemDb[] =
    "\x81y\xBC\xBD\xC3\xD1"
    "DB\x81z\x83^\x83"
    "C\x83v%d:%s \x83"
    "f\x81[\x83^%d:%s \x93\xE0\x97"
    "e%d:%s \x82\xCC\x92l";
// "(ﾏｯﾌﾟ座標　1マスを+1にカウント)"
constexpr char kMapPrecision[] =
    "(\xCF\xAF\xCC\xDF\x8D\xC0\x95W\x81@1\x83}\x83X\x82\xF0+1\x82\xC9\x83J\x83"
    "E\x83\x93\x83g)";
// "(精密座標　1マスを+2にカウント)"
constexpr char kFinePrecision[] =
    "(\x90\xB8\x96\xA7\x8D\xC0\x95W\x81@1\x83}\x83X\x82\xF0+2\x82\xC9\x83J\x83"
    "E\x83\x93\x83g)";
// "(ﾏｯﾌﾟ)"
constexpr char kShortMap[] = "(\xCF\xAF\xCC\xDF)";
// "(精密)"
constexpr char kShortFine[] = "(\x90\xB8\x96\xA7)";
// "%s(変数)"
constexpr char kNumberContent[] = "%s(\x95\xCF\x90\x94)";
// "%s(文字)"
constexpr char kTextContent[] = "%s(\x95\xB6\x8E\x9A)";

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
