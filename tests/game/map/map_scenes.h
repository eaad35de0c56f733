#pragma once

// The map and character scenes both routes draw: the software route makes their goldens, the
// OpenGL route is compared with them.

#include <string>

#include "game/core/database.h"
#include "game/core/game_info.h"
#include "game/map/event_character.h"
#include "game/map/party.h"
#include "tests/game/map/map_screen_fixture.h"
#include "tools/lib/demo_characters.h"

namespace game {

// The demo's character sheets in the game folder, a new game's settings and the database's
// shadow picture; the start map loaded and an empty party.
inline void PrepareDemoCharacters(GameFolderScope& folder) {
    for (const tools::DemoFile& file : tools::DemoCharacterFiles())
        folder.Write(file.path, file.bytes);
    SetNewGameDefaults(TheGameInfo);
    SysDataBase = DataBase();
    SysDataBase.types.resize(10);
    SysDataBase.ResizeDBDataList(9, 1);
    SysDataBase.WriteDBString(9, 0, 0, tools::kDemoShadowImage);
    Load(tools::DemoStartMap());
    TheParty = Party();
}

inline void ForgetDemoCharacters() {
    TheParty = Party();
    SysDataBase = DataBase();
}

// An event at tile (x, y) showing `sheet`, facing `direction`, with shadow `shadow`.
inline EventCharacter& AddSheetEvent(const std::string& sheet, int x, int y, int direction,
                                     std::uint8_t shadow = 255) {
    MapEvent event(static_cast<int>(TheMapState.eventCharacters.size()));
    event.x = x;
    event.y = y;
    event.pages[0].graphic.graphicName = sheet;
    event.pages[0].graphic.direction = static_cast<std::uint8_t>(direction);
    event.pages[0].options = {shadow, 0, 0};
    TheMapState.mapData.events.push_back(event);
    TheMapState.eventCharacters.emplace_back(0, event);
    return TheMapState.eventCharacters.back();
}

// The party and a member, and events of every kind of sprite on the start map.
inline void PlaceDemoSceneCharacters() {
    PlaceCharacter(TheParty, 10, 7, 0);
    TheParty.graphicName = tools::kDemoHeroSheet;
    TheParty.pageBytes = {0};
    TheParty.members[0].graphicName = tools::kDemoPartySheet;
    PlaceCharacter(TheParty.members[0], 10, 6, 0);
    TheParty.members[0].pageBytes = {0};
    AddSheetEvent(tools::kDemoNpcSheet, 12, 7, 6, 0);
    AddSheetEvent(tools::kDemoStandColumnSheet, 14, 9, 2, 0);
    AddSheetEvent(tools::kDemoDoubleSheet, 16, 7, 4, 0);
    AddSheetEvent(tools::kDemoSingleImage, 8, 5, 2);
    // Feet in the bush; and one in mid-jump over it, drawn whole.
    AddSheetEvent(tools::kDemoNpcSheet, 7, 11, 2, 0);
    EventCharacter& jumper = AddSheetEvent(tools::kDemoNpcSheet, 6, 12, 2, 0);
    jumper.jumpHalfLength = 5;
    jumper.jumpRemaining = 5;
    // Behind and in front of the fence, under a tree top.
    AddSheetEvent(tools::kDemoNpcSheet, 5, 13, 8, 0);
    AddSheetEvent(tools::kDemoNpcSheet, 3, 14, 2, 0);
    AddSheetEvent(tools::kDemoNpcSheet, 4, 9, 2, 0);
    EventCharacter& flashing = AddSheetEvent(tools::kDemoNpcSheet, 10, 4, 2, 0);
    flashing.flashColour = 0xC86464;
    flashing.flashLength = 20;
    flashing.flashRemaining = 10;
    AddSheetEvent(tools::kDemoNpcSheet, 12, 4, 2, 0).opacity = 0;
}

// The map fixture with the demo's characters prepared, on the given route's screens.
template <class Screens>
class CharacterScreenOn : public MapScreenOn<Screens> {
  protected:
    void SetUp() override {
        MapScreenOn<Screens>::SetUp();
        PrepareDemoCharacters(this->folder_);
    }
    void TearDown() override {
        ForgetDemoCharacters();
        MapScreenOn<Screens>::TearDown();
    }
};

inline void ZoomAboutTheCentre(int percent) {
    TheMapState.zoomPercent = percent;
    TheMapState.zoomCentreX = 320;
    TheMapState.zoomCentreY = 240;
}

// A scene drawn on a fresh screen after PrepareDemoCharacters, the part of the screen its
// golden holds, and whether it is zoomed (every picture stretched by a fraction).
struct MapScene {
    const char* name;
    const char* golden;
    int width;
    int height;
    bool zoomed;
    void (*draw)();
};

inline constexpr MapScene kMapScenes[] = {
    {"ViewFortySeventy", "map/view-40-70", 640, 480, false,
     [] {
         MapView view;
         ViewAt(view, 40, 70);
         DrawMap(view);
     }},
    {"Zoom", "map/zoom-150", 640, 480, true,
     [] {
         ZoomAboutTheCentre(150);
         MapView view;
         DrawMap(view);
     }},
    {"LoopingMap", "map/loop-column-minus-one", 640, 480, false,
     [] {
         Load(tools::DemoLoopMap(), true);
         MapView view;
         ViewAt(view, -16, -16);
         DrawMap(view);
     }},
    {"Characters", "map/sprites-demo-scene", 640, 480, false,
     [] {
         PlaceDemoSceneCharacters();
         MapView view;
         DrawMap(view);
     }},
    {"CharactersZoomed", "map/sprites-zoom-150", 640, 480, true,
     [] {
         PlaceDemoSceneCharacters();
         MapView view;
         DrawMap(view);
         ZoomAboutTheCentre(150);
         layer::WipeDrawTarget();
         DrawMap(view);
     }},
    {"CharactersAcrossTheSeam", "map/sprites-loop-seam", 400, 300, false,
     [] {
         Load(tools::DemoLoopMap(), true);
         AddSheetEvent(tools::kDemoNpcSheet, 9, 3, 2, 0);
         AddSheetEvent(tools::kDemoNpcSheet, 0, 3, 2, 0);
         MapView view;
         ViewAt(view, -16, -16);
         DrawMap(view);
     }},
};

}  // namespace game
