#pragma once

// The map and character scenes both routes draw: the software route makes their goldens, the
// OpenGL route is compared with them.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/database.h"
#include "game/core/game_info.h"
#include "game/map/event_character.h"
#include "game/map/party.h"
#include "game/map/screen_tone.h"
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

// The start map with its shake offset (6, -4), drawn from view (0, 0).
inline void DrawShakenMap(MapView& view) {
    TheMapState.shakeOffsetX = 6;
    TheMapState.shakeOffsetY = -4;
    ViewAt(view, 0, 0);
    DrawMap(view);
}

// The demo's panorama drawn once, then scrolled by (1600, 800) and drawn again.
inline void DrawPanoramaScrolledFar() {
    TheMainInterpreter.PanoramaImage = -2;
    TheMainInterpreter.PanoramaFile = tools::kDemoPanoramaImage;
    TheMainInterpreter.PanoramaScrollX = 0;
    TheMainInterpreter.PanoramaScrollY = 0;
    PanoramaState panorama;
    DrawPanorama(panorama, TheMapState);
    panorama.scrollX = 1600;
    panorama.scrollY = 800;
    layer::WipeDrawTarget();
    DrawPanorama(panorama, TheMapState);
}

// The start map's autotiles at the frame counter, the part of the screen they animate.
template <int kCounter>
test::RgbaImage AutotilesAt() {
    TheMapState.frameCounter = kCounter;
    MapView view;
    DrawMap(view);
    return ScreenPicture(64, 64, 192, 128);
}

// The start map under the demo's fog at opacity 160 in blend kinds 0 to 3, side by side.
inline test::RgbaImage FogInEachBlendKind() {
    TheMainInterpreter.FogFile = tools::kDemoFogImage;
    TheMainInterpreter.FogOpacity = 160;
    test::RgbaImage strip{640, 120, std::vector<std::uint8_t>(640 * 120 * 4)};
    for (int kind = 0; kind < 4; ++kind) {
        TheMainInterpreter.FogImage = -2;
        TheMainInterpreter.FogBlend = kind;
        MapView view;
        layer::WipeDrawTarget();
        DrawMap(view);
        const test::RgbaImage part = ScreenPicture(40, 40, 160, 120);
        for (int y = 0; y < 120; ++y)
            std::copy_n(part.pixels.begin() + y * 160 * 4, 160 * 4,
                        strip.pixels.begin() + (y * 640 + kind * 160) * 4);
    }
    return strip;
}

// The start map under the screen tone (red, green, blue), the top left quarter of the screen.
template <std::int16_t kRed, std::int16_t kGreen, std::int16_t kBlue>
test::RgbaImage TonedMap() {
    TheMainInterpreter.ToneCurrent = {kRed, kGreen, kBlue};
    MapView view;
    ApplyScreenTone(TheMainInterpreter, false, false);
    DrawMap(view);
    ApplyScreenTone(TheMainInterpreter, true, false);
    ApplyScreenTone(TheMainInterpreter, false, true);
    layer::ChangeBlendMode(0, 255);
    return ScreenPicture(0, 0, 320, 240);
}

// A scene drawn on a fresh screen after PrepareDemoCharacters, the picture its golden holds,
// and whether it is zoomed (every picture stretched by a fraction).
struct MapScene {
    const char* name;
    const char* golden;
    bool zoomed;
    test::RgbaImage (*picture)();
};

inline constexpr MapScene kMapScenes[] = {
    {"ViewFortySeventy", "map/view-40-70", false,
     [] {
         MapView view;
         ViewAt(view, 40, 70);
         DrawMap(view);
         return ScreenPicture();
     }},
    {"AutotilesAtZero", "map/autotile-counter-0", false, AutotilesAt<0>},
    {"AutotilesAtTwenty", "map/autotile-counter-20", false, AutotilesAt<20>},
    {"AutotilesAtForty", "map/autotile-counter-40", false, AutotilesAt<40>},
    {"PassesOneAndTwo", "map/passes-1-and-2", false,
     [] {
         MapView view;
         DrawTileLayer(view.tileView, TheMapState, 1, -1);
         for (int row = 0; row < 15; ++row)
             DrawTileLayer(view.tileView, TheMapState, 1, row);
         DrawTileLayer(view.tileView, TheMapState, 2);
         return ScreenPicture();
     }},
    {"Shaken", "map/shake-6-minus-4", false,
     [] {
         MapView view;
         DrawShakenMap(view);
         return ScreenPicture();
     }},
    {"PanoramaScrolledFar", "map/panorama-1600-800", false,
     [] {
         DrawPanoramaScrolledFar();
         return ScreenPicture(0, 0, 320, 240);
     }},
    {"FogInEachBlendKind", "map/fog-blend-kinds", false, FogInEachBlendKind},
    {"ToneDarkRedBrightBlue", "map/tone-minus-50-0-30", false, TonedMap<-50, 0, 30>},
    {"ToneBright", "map/tone-60-40-20", false, TonedMap<60, 40, 20>},
    {"Zoom", "map/zoom-150", true,
     [] {
         ZoomAboutTheCentre(150);
         MapView view;
         DrawMap(view);
         return ScreenPicture();
     }},
    {"LoopingMap", "map/loop-column-minus-one", false,
     [] {
         Load(tools::DemoLoopMap(), true);
         MapView view;
         ViewAt(view, -16, -16);
         DrawMap(view);
         return ScreenPicture();
     }},
    {"Characters", "map/sprites-demo-scene", false,
     [] {
         PlaceDemoSceneCharacters();
         MapView view;
         DrawMap(view);
         return ScreenPicture();
     }},
    {"CharactersZoomed", "map/sprites-zoom-150", true,
     [] {
         PlaceDemoSceneCharacters();
         MapView view;
         DrawMap(view);
         ZoomAboutTheCentre(150);
         layer::WipeDrawTarget();
         DrawMap(view);
         return ScreenPicture();
     }},
    {"CharactersAcrossTheSeam", "map/sprites-loop-seam", false,
     [] {
         Load(tools::DemoLoopMap(), true);
         AddSheetEvent(tools::kDemoNpcSheet, 9, 3, 2, 0);
         AddSheetEvent(tools::kDemoNpcSheet, 0, 3, 2, 0);
         MapView view;
         ViewAt(view, -16, -16);
         DrawMap(view);
         return ScreenPicture(0, 0, 400, 300);
     }},
};

}  // namespace game
