#include "tools/lib/demo_events.h"

#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "tools/lib/command_list_builder.h"
#include "tools/lib/demo_characters.h"
#include "tools/lib/demo_map.h"
#include "tools/lib/demo_pictures.h"
#include "tools/lib/demo_sounds.h"

namespace tools {
namespace {

constexpr int kSetVariable = 121;
constexpr int kMessage = 101;
constexpr int kSetString = 122;
constexpr int kChoice = 102;
constexpr int kChoiceCase = 402;
constexpr int kBranchEnd = 499;
constexpr int kSaveOrLoad = 220;
constexpr int kReadSlotVariable = 221;
constexpr std::int32_t kSaveMode = 0;
constexpr std::int32_t kLoadMode = 1;
// V21 to V23 take the play seconds (system variable 29) of slots 1 to 3.
constexpr std::int32_t kSlotTimeVariable = 2000020;
constexpr std::int32_t kPlaySeconds = 9000029;
constexpr int kCallEvent = 210;
constexpr int kKeyInput = 123;
constexpr int kPlacement = 130;
constexpr int kSound = 140;
constexpr int kWait = 180;
constexpr int kMoveRoute = 201;
constexpr int kWaitForMoves = 202;
constexpr int kChangeTiles = 242;
constexpr int kCharacterOperation = 270;
constexpr int kShake = 280;
constexpr int kScroll = 281;
// Options of the map-side commands.
constexpr std::int32_t kKeyboardWait = 0x180;
constexpr std::int32_t kEffectByFileName = (2 << 24) | 0x20;
constexpr std::int32_t kVerticalShake = 0x022;
constexpr std::int32_t kStopShakes = 0x200;
constexpr std::int32_t kScrollByTilesAndWait = 0x140;
constexpr std::int32_t kScrollToHeroAndWait = 0x141;
constexpr std::int32_t kStoreGraphics = 0x75;
constexpr std::int32_t kClearGraphics = 0x15;
constexpr std::int32_t kRestoreGraphics = 0x85;
constexpr std::int32_t kSetGraphic = 2;
constexpr std::int32_t kLocationRow = -10001;
constexpr std::int32_t kTheHero = -1;
constexpr std::int32_t kRouteHero = -2;
constexpr std::uint8_t kTurnClockwise = 22;
constexpr std::uint8_t kPlayEffectStep = 46;
// The water autotile, and the base tiles of the tile command from 8 on.
constexpr std::int32_t kWaterAutotile = 1;
constexpr std::int32_t kGrassTile = 8 + kGrass;
constexpr std::int32_t kFirstCommonEventId = 500000;
constexpr std::int32_t kLiteralAssign = 4;
constexpr std::int32_t kLiteralAdd = 4 | (1 << 8);
// The event's own self variable 0, and the comparison "equals" of a page condition in use.
constexpr std::int32_t kOwnSelfVariable0 = 1100000;
// System strings 11 and 12: the graphic files of party members 1 and 2.
constexpr std::int32_t kFirstMemberGraphic = 9900011;
constexpr std::int32_t kSecondMemberGraphic = 9900012;
constexpr std::uint8_t kEqualsInUse = 0x21;
constexpr std::uint8_t kNoShadow = 255;
constexpr std::uint8_t kWalking = 0x02;
constexpr std::uint8_t kPassThrough = 0x08;

std::string Sjis(const std::string& utf8) {
    return platform::Utf8ToCp932(utf8);
}

std::vector<game::EventCommand> Sets(std::int32_t variable, std::int32_t mode) {
    CommandListBuilder list;
    list.Add(kSetVariable, {variable, 1, 0, mode});
    return list.Build();
}

game::EventPage Page(const std::string& sheet, int startKind,
                     std::vector<game::EventCommand> commands, std::uint8_t shadow = 0) {
    game::EventPage page;
    page.graphic.graphicName = sheet;
    page.conditions.startKind = static_cast<std::uint8_t>(startKind);
    page.movement.characterOptions = kWalking;
    page.commands = std::move(commands);
    page.commandCount = static_cast<std::int32_t>(page.commands.size());
    page.options = {shadow, 0, 0};
    return page;
}

// A second page that holds once the event's own self variable 0 is 1.
game::EventPage SwitchedOffPage() {
    game::EventPage page = Page("", 0, CommandListBuilder().Build(), kNoShadow);
    page.conditions.operators[0] = kEqualsInUse;
    page.conditions.variableIds[0] = kOwnSelfVariable0;
    page.conditions.references[0] = 1;
    page.movement.characterOptions = kPassThrough;
    return page;
}

// An invisible event the hero stands on and confirms.
game::EventPage StandOnPage(const CommandListBuilder& commands) {
    game::EventPage page = Page("", 0, commands.Build(), kNoShadow);
    page.movement.characterOptions = kPassThrough;
    return page;
}

// Its second page, which holds once the event's own self variable 0 is 1: the event toggles.
game::EventPage SecondStandOnPage(const CommandListBuilder& commands) {
    game::EventPage page = SwitchedOffPage();
    page.commands = commands.Build();
    page.commandCount = static_cast<std::int32_t>(page.commands.size());
    return page;
}

void Put(game::MapData& map, const std::string& name, int x, int y,
         std::vector<game::EventPage> pages) {
    game::MapEvent event(static_cast<std::int32_t>(map.events.size()));
    event.name = Sjis(name);
    event.x = x;
    event.y = y;
    event.pages = std::move(pages);
    event.pageCount = static_cast<std::int32_t>(event.pages.size());
    map.events.push_back(std::move(event));
    map.header.eventCount = static_cast<std::int32_t>(map.events.size());
}

// The save stone's menu: the play time of slots 1 to 3 (their system variable 29, read into V21
// to V23), then the save or load command `mode` on the slot chosen; "やめる" does nothing. A load
// that finds no good slot says so and the event goes on.
void AddSlotMenu(CommandListBuilder& list, std::int32_t mode, std::int8_t indent) {
    for (std::int32_t slot = 1; slot <= 3; ++slot)
        list.Add(kReadSlotVariable, {kSlotTimeVariable + slot, slot, kPlaySeconds}, {}, indent);
    list.Add(kChoice, {4},
             {Sjis("1: \\v[21]秒"), Sjis("2: \\v[22]秒"), Sjis("3: \\v[23]秒"), Sjis("やめる")},
             indent);
    const auto inner = static_cast<std::int8_t>(indent + 1);
    for (std::int32_t slot = 1; slot <= 3; ++slot) {
        list.Add(kChoiceCase, {slot + 1}, {}, indent).Add(kSaveOrLoad, {mode, slot}, {}, inner);
        if (mode == kLoadMode)
            list.Add(kMessage, {}, {Sjis("そのデータはロードできません")}, inner);
    }
    list.Add(kBranchEnd, {}, {}, indent);
}

std::vector<game::EventCommand> SaveStoneCommands() {
    CommandListBuilder list;
    list.Add(kChoice, {3}, {Sjis("セーブする"), Sjis("ロードする"), Sjis("やめる")})
        .Add(kChoiceCase, {2});
    AddSlotMenu(list, kSaveMode, 1);
    list.Add(kChoiceCase, {3});
    AddSlotMenu(list, kLoadMode, 1);
    list.Add(kBranchEnd);
    return list.Build();
}

void AddMapSideEvents(game::MapData& map) {
    const auto fill = [](std::int32_t tile) {
        CommandListBuilder list;
        list.Add(kChangeTiles, {1, kDemoWaterBlock.x, kDemoWaterBlock.y, 3, 3, tile});
        return list;
    };
    CommandListBuilder water = fill(kWaterAutotile);
    water.Add(kSetVariable, {kOwnSelfVariable0, 1, 0, kLiteralAssign});
    CommandListBuilder dry = fill(kGrassTile);
    dry.Add(kSetVariable, {kOwnSelfVariable0, 0, 0, kLiteralAssign});
    Put(map, "水門", kDemoWaterEvent.x, kDemoWaterEvent.y,
        {StandOnPage(water), SecondStandOnPage(dry)});

    CommandListBuilder shake;
    shake.Add(kShake, {kVerticalShake, 90}).Add(kWait, {45}).Add(kShake, {kStopShakes});
    Put(map, "地震", kDemoShakeEvent.x, kDemoShakeEvent.y, {StandOnPage(shake)});

    CommandListBuilder dressUp;
    dressUp.Add(kCharacterOperation, {kStoreGraphics})
        .Add(kCharacterOperation, {kClearGraphics})
        .Add(kCharacterOperation, {kSetGraphic, 1}, {kDemoSecondPartySheet})
        .Add(kSetVariable, {kOwnSelfVariable0, 1, 0, kLiteralAssign});
    CommandListBuilder dressBack;
    dressBack.Add(kCharacterOperation, {kRestoreGraphics})
        .Add(kSetVariable, {kOwnSelfVariable0, 0, 0, kLiteralAssign});
    Put(map, "衣装", kDemoCostumeEvent.x, kDemoCostumeEvent.y,
        {StandOnPage(dressUp), SecondStandOnPage(dressBack)});

    CommandListBuilder key;
    key.Add(kKeyInput, {kDemoKeyVariable, kKeyboardWait})
        .Add(kMessage, {}, {Sjis("押したキーの番号：\\v[24]")});
    Put(map, "鍵", kDemoKeyEvent.x, kDemoKeyEvent.y, {StandOnPage(key)});

    CommandListBuilder transfer;
    transfer.Add(kPlacement, {kLocationRow, 1});
    Put(map, "案内", kDemoTransferEvent.x, kDemoTransferEvent.y, {StandOnPage(transfer)});

    game::MoveRoute turnAbout;
    for (int turn = 0; turn < 4; ++turn) {
        game::MoveRouteStep step;
        step.code = kTurnClockwise;
        turnAbout.steps.push_back(step);
    }
    CommandListBuilder route;
    route.AddRoute(kMoveRoute, {kRouteHero}, turnAbout).Add(kWaitForMoves);
    Put(map, "回転", kDemoRouteEvent.x, kDemoRouteEvent.y, {StandOnPage(route)});

    // A file in the data folder itself: a backslash in the text would start an escape.
    CommandListBuilder chime;
    chime.Add(kSound, {kEffectByFileName, 0, 0, 0, 80, 100}, {kDemoChimeFile});
    Put(map, "鐘", kDemoChimeEvent.x, kDemoChimeEvent.y, {StandOnPage(chime)});
}

}  // namespace

void AddDemoEvents(game::MapData& map) {
    CommandListBuilder sign;
    sign.Add(kMessage, {}, {Sjis("ようこそ、デモの村へ")})
        .Add(kSetVariable, {kDemoSignVariable, 1, 0, kLiteralAssign});
    Put(map, "看板", 8, 5, {Page(kDemoSingleImage, 0, sign.Build(), kNoShadow)});
    Put(map, "店員", 14, 9,
        {Page(kDemoStandColumnSheet, 0, Sets(kDemoClerkVariable, kLiteralAssign))});

    CommandListBuilder plate;
    plate.Add(kSetVariable, {kOwnSelfVariable0, 1, 0, kLiteralAssign})
        .Add(kSetVariable, {kDemoPlateVariable, 1, 0, kLiteralAdd});
    game::EventPage plateFirst = Page("", 3, plate.Build(), kNoShadow);
    plateFirst.movement.characterOptions = kPassThrough;
    Put(map, "床", 5, 8, {plateFirst, SwitchedOffPage()});

    game::EventPage touch = Page(kDemoNpcSheet, 4, Sets(kDemoTouchVariable, kLiteralAdd));
    touch.options = {0, 2, 0};
    Put(map, "見張り", 17, 12, {touch});

    game::EventPage wanderer = Page(kDemoNpcSheet, 0, Sets(kDemoWandererVariable, kLiteralAssign));
    wanderer.movement.moveKind = 2;
    wanderer.movement.moveFrequency = 3;
    Put(map, "散歩", 3, 6, {wanderer});

    game::EventPage patrol = Page(kDemoDoubleSheet, 0, Sets(kDemoPatrolVariable, kLiteralAssign));
    patrol.movement.moveKind = 1;
    patrol.movement.moveFrequency = 1;
    patrol.movement.routeOptions = 0x03;
    // A step sound at the top of each lap: a setting step, so the lap takes no longer.
    patrol.movement.steps.push_back({kPlayEffectStep, {kDemoStepEffect}, {}});
    for (std::uint8_t code : {1, 1, 2, 2}) {
        game::MoveRouteStep step;
        step.code = code;
        patrol.movement.steps.push_back(step);
    }
    Put(map, "巡回", 17, 3, {patrol});

    CommandListBuilder automatic;
    automatic.Add(kSetVariable, {kDemoAutomaticVariable, 1, 0, kLiteralAssign})
        .Add(kSetString, {kFirstMemberGraphic, 0, 0}, {kDemoPartySheet})
        .Add(kSetString, {kSecondMemberGraphic, 0, 0}, {kDemoSecondPartySheet})
        .Add(kSetVariable, {kOwnSelfVariable0, 1, 0, kLiteralAssign});
    Put(map, "自動", 0, 14, {Page("", 1, automatic.Build(), kNoShadow), SwitchedOffPage()});

    Put(map, "時計", 19, 14, {Page("", 2, Sets(kDemoParallelVariable, kLiteralAdd), kNoShadow)});

    Put(map, "記録の石", kDemoSaveStoneX, kDemoSaveStoneY,
        {Page(kDemoSingleImage, 0, SaveStoneCommands(), kNoShadow)});

    CommandListBuilder gallery;
    gallery.Add(kCallEvent, {kFirstCommonEventId + kDemoGalleryEvent});
    Put(map, "ギャラリー", 12, 12, {Page(kDemoSingleImage, 0, gallery.Build(), kNoShadow)});
    AddMapSideEvents(map);
}

void AddDemoLoopEvents(game::MapData& map) {
    CommandListBuilder scroll;
    scroll.Add(kScroll, {kScrollByTilesAndWait, 6, 0})
        .Add(kWait, {30})
        .Add(kScroll, {kScrollToHeroAndWait});
    Put(map, "遠見", kDemoScrollEvent.x, kDemoScrollEvent.y, {StandOnPage(scroll)});
    CommandListBuilder back;
    back.Add(kPlacement, {kTheHero, 10, 7, 0, 0});
    Put(map, "帰り道", kDemoReturnEvent.x, kDemoReturnEvent.y, {StandOnPage(back)});
}

}  // namespace tools
