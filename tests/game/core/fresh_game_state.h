#pragma once

#include "game/core/common_event.h"
#include "game/core/database.h"
#include "game/core/display_scale.h"
#include "game/core/input_state.h"
#include "game/core/processing_point.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/internet_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/sound_manager.h"

namespace game {

// Gives the game's global state fresh values for a test, as the reset loop does, with ten
// empty common events, empty databases, no map and 32-pixel tiles.
inline void FreshGameState() {
    TileSize = 32;
    ZoomFactor = 1;
    CommonEvents = CommonEventList();
    SysDataBase = DataBase();
    UserDataBase = DataBase();
    CDataBase = DataBase();
    TheScreenState = ScreenState(ScreenState::Screens::kLater);
    TheMapState = MapState();
    TheParty = Party();
    TheInputState = InputState();
    TheInternetState = InternetState();
    TheSoundManager = SoundManager();
    ThePictureList = PictureList();
    TheMainInterpreter = MainInterpreter();
    TheVariableStore = VariableStore();
    TheProcessingPoint = {};
}

}  // namespace game
