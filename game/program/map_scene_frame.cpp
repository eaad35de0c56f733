// One frame of the map scene. The orders of the updates and of the drawing are the game's:
// events, windows and pictures see each other's changes in exactly this sequence.
#include "game/core/common_event.h"
#include "game/core/common_event_files.h"
#include "game/core/database.h"
#include "game/core/screen_state.h"
#include "game/interpreter/common_event_prepass.h"
#include "game/interpreter/internet_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "game/interpreter/screen_commands.h"
#include "game/map/image_cache.h"
#include "game/map/map_state.h"
#include "game/map/map_update.h"
#include "game/map/map_view.h"
#include "game/map/party.h"
#include "game/map/screen_tone.h"
#include "game/presentation/sound_manager.h"
#include "game/presentation/picture_list.h"
#include "game/program/debug_overlay.h"
#include "game/program/frame_loop.h"
#include "game/program/key_input_drawing.h"
#include "game/program/map_scene.h"
#include "game/program/screen_effects.h"
#include "game/save/save_file.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kFrameCounterWrap = 10000000;

void RestartAfterLoad(MapScene& mapScene) {
    TheImageCache.ReleaseAllGraphics();
    BuildMapSprites(mapScene.mapView);
    LoadChoiceWindowSkin(mapScene.choiceWindow);
    LoadMessageWaitCursor(mapScene.messageWindow);
    TheScreenState.RestartPending = 0;
    SaveLoadedThisFrame = 0;
    TheSoundManager.ResumeSavedSounds();
    CommonEvents = CommonEventList();
    LoadCommonEventData(CommonEvents, "BasicData\\CommonEvent.dat");
    LinkCommonEventCommands();
    CDataBase.sysDataBase = &SysDataBase;
    CDataBase.userDataBase = &UserDataBase;
    CDataBase.changeableDataBase = &CDataBase;
    TheMainInterpreter.SetUpInterpreter(0, true);
}

void DrawMapSceneFrame(MapScene& mapScene) {
    MainInterpreter& mainInterpreter = TheMainInterpreter;
    ScreenState& screenState = TheScreenState;
    const int start = layer::GetMilliseconds();
    layer::WipeDrawTarget();
    mapScene.pacing.drawAccumulator = 0.0f;
    layer::SetDrawSampling(0);
    ApplyScreenTone(mainInterpreter, false, false);
    if (mainInterpreter.LiveMapView != 0)
        DrawMap(mapScene.mapView);
    else
        DrawFrozenScreen(screenState);
    ApplyScreenTone(mainInterpreter, true, false);
    ApplyScreenTone(mainInterpreter, false, true);
    layer::SetDrawSampling(0);
    DrawPictureLayer(ThePictureList, 0);
    layer::ChangeBrightRgb(255, 255, 255);
    DrawMessageWindow(mapScene.messageWindow);
    DrawChoiceWindow(mapScene.choiceWindow);
    DrawPictureLayer(ThePictureList, 1);
    layer::SetDrawSampling(0);
    DrawScreenFlash(mainInterpreter);
    DrawScreenTransition(screenState);
    DrawKeyInputText(mainInterpreter);
    for (EventCharacter& eventCharacter : TheMapState.eventCharacters)
        DrawEventKeyInput(eventCharacter);
    for (ParallelCommonEvent& parallelCommonEvent : TheMapState.parallelCommonEvents)
        DrawParallelKeyInput(parallelCommonEvent);
    DrawDebugOverlay();
    screenState.drawTime = layer::GetMilliseconds() - start;
    layer::ShowFrame();
    screenState.tileSetChanged = 0;
}

}  // namespace

void RunMapSceneFrame(MapScene& mapScene) {
    MainInterpreter& mainInterpreter = TheMainInterpreter;
    ScreenState& screenState = TheScreenState;
    MapState& mapState = TheMapState;
    if (mapState.mapNumber == -1)
        ApplyPendingTransfer(mapScene.mapView);
    if (screenState.SceneNumber == -1)
        return;
    if (screenState.RestartPending != 0)
        RestartAfterLoad(mapScene);
    mainInterpreter.FrameCounter = (mainInterpreter.FrameCounter + 1) % kFrameCounterWrap;
    if (screenState.tileAttributesChanged != 0) {
        screenState.tileAttributesChanged = 0;
        ClassifyTileAttributes(mapScene.mapView);
    }
    UpdateMap(mapState);
    RunInterpreter(mainInterpreter);
    // A load checked this frame replaces the running game now and shows it through the
    // transition; nothing else moves or draws this frame.
    if (ApplyPendingLoad())
        ExecuteTransition(TheMainInterpreter);
    if (SaveLoadedThisFrame != 0 || screenState.RestartPending != 0)
        return;
    UpdateHero(TheParty);
    if (screenState.TransferPending != 0)
        ApplyPendingTransfer(mapScene.mapView);
    UpdateChoiceWindow(mapScene.choiceWindow);
    UpdateMessageWindow(mapScene.messageWindow);
    UpdatePictures(ThePictureList);
    TheSoundManager.UpdateSound();
    CountDownTransition(screenState);
    UpdateScreenToneAndFlash(mainInterpreter);
    ScrollPanoramaAndFog(mapScene.mapView);
    IdleScene(&TheInternetState);
    screenState.frameTimes[0] = layer::GetMilliseconds() - screenState.frameTimes[0];
    mapScene.mapView.tileView.viewPixelX = mapState.scrollX / 4;
    mapScene.mapView.tileView.viewPixelY = mapState.scrollY / 4;
    if (IsDrawDue(mapScene.pacing, screenState.TransitionPrepared != 0, IsFinalFrame()))
        DrawMapSceneFrame(mapScene);
}

}  // namespace game
