#include "tools/lib/demo_game.h"

#include <array>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/core/common_event.h"
#include "game/core/database.h"
#include "game/core/game_info.h"
#include "platform/text_encoding.h"
#include "tools/lib/command_list_builder.h"
#include "tools/lib/common_event_writer.h"
#include "tools/lib/database_writer.h"
#include "tools/lib/demo_characters.h"
#include "tools/lib/demo_map.h"
#include "tools/lib/demo_movie.h"
#include "tools/lib/demo_pictures.h"
#include "tools/lib/demo_sounds.h"
#include "tools/lib/demo_window.h"
#include "tools/lib/game_dat_writer.h"

namespace tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kSystemTypes = 24;
constexpr int kMapType = 0;
constexpr int kPanoramaType = 13;
constexpr int kShadowType = 9;
constexpr int kHeroGraphicString = 7;
constexpr int kStartPositionType = 7;
constexpr int kColourType = 12;
constexpr int kWindowGraphicsType = 10;
constexpr int kRuleImageType = 11;
constexpr int kFirstVariableSetType = 14;
constexpr int kStringVariableType = 4;
constexpr int kVariableSetSize = 100;
constexpr std::int32_t kNumberContent = 1000;
constexpr std::int32_t kTextContent = 2000;
// Variable operation options: operand A literal; assignment operators in bits 8 to 11.
constexpr std::int32_t kLiteralA = 4;
constexpr std::int32_t kAssign = 0 << 8;
constexpr std::int32_t kAdd = 1 << 8;
constexpr std::int32_t kVariable0 = 2000000;
// The choice window's decide and cursor sounds.
constexpr std::int32_t kChoiceDecideSound = 9000017;
constexpr std::int32_t kChoiceCursorSound = 9000018;
constexpr std::int32_t kVariable1 = 2000001;
constexpr std::int32_t kStringVariable0 = 3000000;
constexpr std::int32_t kStringVariable2 = 3000002;
constexpr std::int32_t kStringVariable3 = 3000003;
// The save command's load mode.
constexpr std::int32_t kLoadMode = 1;
// The string command's key input: Esc cancels, the field starts with the variable's text.
constexpr std::int32_t kKeyInput = 3;
constexpr std::int32_t kEscapeCancels = 0x1000;
constexpr std::int32_t kPresetFromTarget = 0x2000;
constexpr std::int32_t kNameLength = 16;
// The called event's own number and text slots (self variables of common event c).
constexpr std::int32_t kSelfBase = 15000000;

std::string Sjis(std::string_view utf8) {
    return platform::Utf8ToCp932(utf8);
}

game::DataBaseType NumberType(int contents, int records) {
    game::DataBaseType type;
    type.contentCodes.clear();
    for (int c = 0; c < contents; ++c)
        type.contentCodes.push_back(kNumberContent + c);
    type.records.assign(static_cast<std::size_t>(records), game::DataBaseRecord{});
    for (game::DataBaseRecord& record : type.records) {
        record.numbers.assign(static_cast<std::size_t>(contents), 0);
        record.strings.clear();
    }
    return type;
}

game::DataBaseTypeDesc Describe(std::string_view name, int records, int contents) {
    game::DataBaseTypeDesc desc;
    desc.typeName = Sjis(name);
    desc.dataNames.assign(static_cast<std::size_t>(records), std::string());
    desc.contentNames.assign(static_cast<std::size_t>(contents), std::string());
    desc.contentDefaults.assign(static_cast<std::size_t>(contents), 0);
    return desc;
}

// Type 0, a row per map: file, music, background sound, loop kind, panorama, music file,
// sound file and panorama file setting. Map 0 is the start map with its tune and rain, map 1
// loops both ways with panorama 0 behind it and plays the MIDI tune.
void AddMapRows(game::DataBase& db) {
    game::DataBaseType& maps = db.types[kMapType];
    maps.contentCodes = {kTextContent,       kNumberContent,     kNumberContent + 1,
                         kNumberContent + 2, kNumberContent + 3, kTextContent + 1,
                         kTextContent + 2,   kTextContent + 3};
    maps.records.assign(2, game::DataBaseRecord{});
    maps.records[0] = {{kDemoStartMusic, kDemoRainSound, 0, -1},
                       {"MapData\\Start.mps", "", "", ""}};
    maps.records[1] = {{kDemoLoopMusic, -1, 3, 0}, {"MapData\\Loop.mps", "", "", ""}};
    db.typeDescs[kMapType] = Describe("マップ", 2, 8);
    // Type 13: image, scroll speed x and y, parallax divisor; 0 the panorama, 1 the fog.
    game::DataBaseType& images = db.types[kPanoramaType];
    images.contentCodes = {kTextContent, kNumberContent, kNumberContent + 1, kNumberContent + 2};
    images.records.assign(2, game::DataBaseRecord{});
    images.records[0] = {{8, 4, 2}, {tools::kDemoPanoramaImage}};
    images.records[1] = {{-8, 4, 1}, {tools::kDemoFogImage}};
    db.typeDescs[kPanoramaType] = Describe("遠景", 2, 4);
}

// Type 10, the window pictures (file, frame count): the page-wait cursor, the choice frame and
// the choice cursor; type 12, the text colours (red, green, blue).
void AddWindowTypes(game::DataBase& db) {
    game::DataBaseType& windows = db.types[kWindowGraphicsType];
    windows.contentCodes = {kTextContent, kNumberContent};
    windows.records = {{{kDemoPageCursorFrames}, {kDemoPageCursorImage}},
                       {{1}, {kDemoWindowFrameImage}},
                       {{1}, {kDemoChoiceCursorImage}}};
    db.typeDescs[kWindowGraphicsType] = Describe("ウィンドウ", 3, 2);
    const std::vector<std::array<int, 3>> colours = DemoTextColours();
    const int count = static_cast<int>(colours.size());
    db.types[kColourType] = NumberType(3, count);
    for (int n = 0; n < count; ++n) {
        const auto& colour = colours[static_cast<std::size_t>(n)];
        db.types[kColourType].records[static_cast<std::size_t>(n)].numbers = {colour[0], colour[1],
                                                                              colour[2]};
    }
    db.typeDescs[kColourType] = Describe("文字色", count, 3);
}

game::DataBase SystemDataBase() {
    game::DataBase db;
    db.types.clear();
    db.typeDescs.clear();
    for (int t = 0; t < kSystemTypes; ++t) {
        db.types.push_back(NumberType(1, 1));
        db.typeDescs.push_back(Describe("", 1, 1));
    }
    // The start: map 0, tile (10, 7); the location row of the transfer event: map 1, (2, 4).
    db.types[kStartPositionType] = NumberType(3, 2);
    db.types[kStartPositionType].records[0].numbers = {0, 10, 7};
    db.types[kStartPositionType].records[1].numbers = {1, 2, 4};
    db.typeDescs[kStartPositionType] = Describe("初期位置", 2, 3);
    AddWindowTypes(db);
    // Type 11, the transitions' rule images.
    db.types[kRuleImageType].contentCodes = {kTextContent};
    db.types[kRuleImageType].records[0] = {{}, {kDemoRuleImage}};
    db.typeDescs[kRuleImageType] = Describe("トランジション", 1, 1);
    db.types[kStringVariableType] = NumberType(1, 20);
    db.typeDescs[kStringVariableType] = Describe("文字列変数名", 20, 1);
    for (int set = 0; set < 10; ++set) {
        const int type = kFirstVariableSetType + set;
        db.types[static_cast<std::size_t>(type)] = NumberType(1, kVariableSetSize);
        db.typeDescs[static_cast<std::size_t>(type)] = Describe("変数名", kVariableSetSize, 1);
    }
    AddMapRows(db);
    AddDemoSoundLists(db);
    // Shadow 0 under every character.
    db.types[kShadowType].contentCodes = {2000};
    db.types[kShadowType].records[0] = {{}, {tools::kDemoShadowImage}};
    db.typeDescs[kShadowType] = Describe("影", 1, 1);
    return db;
}

// A database of one named type: one record with a number and a text.
game::DataBase NamedDataBase(std::string_view typeName, std::string_view dataName) {
    game::DataBase db;
    game::DataBaseType type;
    type.contentCodes = {kNumberContent, kTextContent};
    type.records.assign(3, game::DataBaseRecord{});
    for (std::size_t r = 0; r < type.records.size(); ++r) {
        type.records[r].numbers = {static_cast<std::int32_t>(10 * (r + 1))};
        type.records[r].strings = {Sjis(dataName) + std::to_string(r)};
    }
    db.types = {type};
    game::DataBaseTypeDesc desc = Describe(typeName, 3, 2);
    desc.dataNames = {Sjis(dataName), std::string(), std::string()};
    desc.contentNames = {Sjis("値"), Sjis("名前")};
    db.typeDescs = {desc};
    return db;
}

game::CommonEvent Event(int number, std::string_view name, std::uint8_t trigger,
                        std::vector<game::EventCommand> commands) {
    game::CommonEvent event;
    event.number = number;
    event.name = Sjis(name);
    event.trigger = trigger;
    event.conditionVariable = kVariable0;
    event.conditionValue = 0;
    event.commands = std::move(commands);
    return event;
}

// The title's message: an outline, a larger first line with an icon, colours and a reading.
constexpr char kTitleMessage[] =
    "\\E\\f[26]デモゲームへ\\c[4]ようこそ\\c[0]\\i[1]\n"
    "\\f[22]\\r[遊,あそ]び方：\\c[2]決定キー\\c[0]で\\c[1]選びます\\c[0]\\i[3]";

// One more play in the counter that "Save\System.sav" keeps in its V30: read into V30 through
// the file named by S3, counted up and written back.
void CountPlay(CommandListBuilder& list, std::int8_t indent) {
    list.Add(122, {kStringVariable3, 0, 0}, {kDemoPlayCounterFile}, indent)
        .Add(221, {kDemoPlayCounterVariable, kStringVariable3, kDemoPlayCounterVariable}, {},
             indent)
        .Add(121, {kDemoPlayCounterVariable, 1, 0, kLiteralA | kAdd}, {}, indent)
        .Add(222, {kDemoPlayCounterVariable, kStringVariable3, kDemoPlayCounterVariable}, {},
             indent);
}

// Automatic while V0 == 0 (comparison 2 in the high nibble, start kind 1). The title's
// pictures fade in under its message; the game starts through a rule transition. "つづきから"
// loads slot 1; when there is none the title comes again.
game::CommonEvent TitleEvent() {
    CommandListBuilder list;
    AddTitlePictures(list);
    list.Add(121, {kChoiceDecideSound, kDemoDecideEffect, 0, kLiteralA | kAssign})
        .Add(121, {kChoiceCursorSound, kDemoCursorEffect, 0, kLiteralA | kAssign})
        .Add(101, {}, {Sjis(kTitleMessage)})
        .Add(102, {3}, {Sjis("はじめから"), Sjis("つづきから"), Sjis("おわる")})
        .Add(402, {2});
    CountPlay(list, 1);
    list.Add(121, {kVariable0, 1, 0, kLiteralA | kAssign}, {}, 1)
        .Add(122, {kStringVariable2, 0, 0}, {Sjis("ゆうしゃ")}, 1)
        .Add(122, {kStringVariable2, kKeyInput | kEscapeCancels | kPresetFromTarget, kNameLength},
             {}, 1)
        .Add(101, {}, {Sjis("ようこそ、\\s[2]さん！")}, 1);
    AddTitleTransition(list);
    list.Add(122, {kStringVariable0, 0, 0}, {Sjis("表")}, 1)
        .Add(300, {0, 2 | (1 << 4), 7, 5, kStringVariable0}, {Sjis("ゲーム開始")}, 1)
        .Add(402, {3});
    CountPlay(list, 1);
    list.Add(220, {kLoadMode, 1}, {}, 1)
        .Add(101, {}, {Sjis("セーブデータがありません")}, 1)
        .Add(402, {4})
        .Add(175, {}, {}, 1)
        .Add(499);
    return Event(0, "タイトル", 0x21, list.Build());
}

// Parallel always (start kind 3): one more in V1 every frame.
game::CommonEvent ClockEvent() {
    CommandListBuilder list;
    list.Add(121, {kVariable1, 1, 0, kLiteralA | kAdd});
    return Event(1, "時計", 0x03, list.Build());
}

// Called with two numbers (self slots 0 and 1) and one text (slot 5). Its results: V2 = the
// sum of the numbers counted up in a loop, V3 = 1 after a label jump skipped V3 = 99, V4 =
// the user database's value of data 1, S1 = the text with "の中身" added.
game::CommonEvent StartEvent(int number) {
    const std::int32_t self = kSelfBase + number * 100;
    CommandListBuilder list;
    list.Add(179, {self + 0})
        .Add(121, {2000002, 1, 0, kLiteralA | kAdd}, {}, 1)
        .Add(498, {}, {}, 0)
        .Add(179, {self + 1})
        .Add(121, {2000002, 1, 0, kLiteralA | kAdd}, {}, 1)
        .Add(498, {}, {}, 0)
        .Add(213, {}, {Sjis("先へ")})
        .Add(121, {2000003, 99, 0, kLiteralA | kAssign})
        .Add(212, {}, {Sjis("先へ")})
        .Add(121, {2000003, 1, 0, kLiteralA | kAssign})
        // Read the user database: type 0, data 1, content 0 into V4 (direction 1, database 2).
        .Add(250, {0, 1, 0, (1 << 12) | (2 << 8), 2000004})
        .Add(122, {3000001, 1, self + 5})
        .Add(122, {3000001, 1 << 8, 0}, {Sjis("の中身")});
    return Event(number, "ゲーム開始", 0x00, list.Build());
}

bool WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteDataBase(const std::filesystem::path& basicData, std::string_view name,
                   const game::DataBase& db) {
    const DataBaseFileOptions options;
    return WriteFile(basicData / (std::string(name) + ".dat"), WriteDataBaseDat(db, options)) &&
           WriteFile(basicData / (std::string(name) + ".project"),
                     WriteDataBaseProject(db, options));
}

Bytes GameDat() {
    game::GameInfo info;
    GameDatContents contents;
    contents.flags = info.gameFlags;
    contents.flags[0] = 32;
    contents.flags[3] = 1;
    contents.flags[4] = 60;
    contents.strings = info.gameStrings;
    contents.strings[0] = Sjis("デモゲーム");
    contents.strings[kHeroGraphicString] = tools::kDemoHeroSheet;
    contents.values16 = info.gameValues16;
    return WriteGameDat(contents, game::ScrambleSeeds{});
}

bool WriteMapFiles(const std::filesystem::path& folder) {
    std::vector<DemoFile> files = DemoMapFiles();
    for (DemoFile& file : DemoCharacterFiles())
        files.push_back(std::move(file));
    for (DemoFile& file : DemoWindowFiles())
        files.push_back(std::move(file));
    for (DemoFile& file : DemoPictureFiles())
        files.push_back(std::move(file));
    for (DemoFile& file : DemoMovieFiles())
        files.push_back(std::move(file));
    for (DemoFile& file : DemoSoundFiles())
        files.push_back(std::move(file));
    for (const DemoFile& file : files) {
        if (!WriteFile(folder / file.path, file.bytes))
            return false;
    }
    return true;
}

}  // namespace

bool WriteDemoGame(const std::filesystem::path& folder,
                   const std::vector<game::CommonEvent>& extraCommonEvents) {
    const std::filesystem::path basicData = folder / "Data" / "BasicData";
    std::vector<game::CommonEvent> events = {TitleEvent(), ClockEvent(), StartEvent(2),
                                             DemoGalleryEvent()};
    events.insert(events.end(), extraCommonEvents.begin(), extraCommonEvents.end());
    return WriteFile(folder / "Game.dat", GameDat()) && WriteMapFiles(folder) &&
           WriteDataBase(basicData, "SysDataBase", SystemDataBase()) &&
           WriteDataBase(basicData, "DataBase", NamedDataBase("表", "りんご")) &&
           WriteDataBase(basicData, "CDataBase", NamedDataBase("持ち物", "鍵")) &&
           WriteFile(
               basicData / "CommonEvent.dat",
               WriteCommonEventData(events, CommonEventLayout::kNames, game::ScrambleSeeds{}));
}

}  // namespace tools
