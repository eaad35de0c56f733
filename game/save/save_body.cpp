#include "game/save/save_body.h"

#include "game/core/database.h"
#include "game/core/save_buffer.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/image_cache.h"
#include "game/map/map_change.h"
#include "game/map/map_state.h"
#include "game/map/map_state_save.h"
#include "game/map/party.h"
#include "game/presentation/sound_manager.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/screen_effect_setters.h"
#include "game/presentation/text_resources.h"
#include "game/save/save_database.h"
#include "game/save/save_pictures.h"
#include "game/save/save_state.h"
#include "game/save/system_state_record.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kMusic = 0;
constexpr int kBackgroundSound = 1;

// Stops the sounds and lets go of every graph the running game holds, then rebuilds the
// screens and the text resources; the next frame restarts the rest.
void ReleaseRunningGame() {
    TheSoundManager.PlaySoundByNumber(kMusic, -1, 0, 0);
    TheSoundManager.PlaySoundByNumber(kBackgroundSound, -1, 0, 0);
    TheImageCache.ReleaseAllGraphics();
    layer::RemoveAllGraphs(0);
    RecreateOffscreenScreens(TheScreenState);
    TheScreenState.RestartPending = 1;
    ResetMapState(TheMapState);
    ClearFontCache(TheTextResources);
    LoadIcons(TheTextResources);
    TheMainInterpreter = MainInterpreter();
    TheVariableStore = VariableStore();
    TheParty = Party();
    ThePictureList.ClearPictureList(true);
    CDataBase = DataBase();
}

}  // namespace

void WriteSaveBody(SaveBuffer& save, SaveState& state) {
    WriteMapState(save, state.mapState);
    WriteSystemState(save, state.mainInterpreter);
    state.variableStore.SaveVariableStore(save);
    WriteParty(save, state.party);
    WritePictureList(save, state.pictureList);
    WriteSaveDataBase(save, state.changeableDataBase);
    TheReplayRecorder.WriteReplayPart(save);
    state.mainInterpreter.SaveDataFlag = 1;
}

void ReadSaveBody(SaveBuffer& save, SaveState& state) {
    ReadMapState(save, state.mapState, false);
    ReadSystemState(save, state.mainInterpreter);
    state.variableStore.LoadVariableStore(save, false);
    ReadParty(save, state.party);
    ReadPictureList(save, state.pictureList, false);
    ReadSaveDataBase(save, state.changeableDataBase);
    state.replayRecorder.ReadReplayPart(save);
}

void ApplySaveBody(SaveBuffer& save) {
    ReleaseRunningGame();
    MainInterpreter& mainInterpreter = TheMainInterpreter;
    ReadMapState(save, TheMapState, true);
    ReadSystemState(save, mainInterpreter);
    TheVariableStore.LoadVariableStore(save, true);
    TheVariableStore.link = &mainInterpreter;
    ReadParty(save, TheParty);
    ReadPictureList(save, ThePictureList, true);
    ReadSaveDataBase(save, CDataBase);
    TheMapState.pageRefreshRequest = 1;
    if (!TheParty.pageBytes.empty())
        TheParty.pageBytes[0] = static_cast<std::uint8_t>(mainInterpreter.DefaultShadow);
    SetScreenTransition(TheScreenState, mainInterpreter.TransitionGraphic,
                        mainInterpreter.TransitionLength, mainInterpreter.TransitionFlag);
    TheReplayRecorder.ReadReplayPart(save);
}

}  // namespace game
