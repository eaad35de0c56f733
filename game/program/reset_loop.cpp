#include "game/program/reset_loop.h"

#include <string>

#include "game/core/command_line.h"
#include "game/core/common_event.h"
#include "game/core/common_event_files.h"
#include "game/core/database.h"
#include "game/core/database_files.h"
#include "game/core/database_name_maps.h"
#include "game/core/game_info.h"
#include "game/core/game_ini.h"
#include "game/core/game_random.h"
#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/common_event_prepass.h"
#include "game/interpreter/frame_skip.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "game/map/map_change.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/sound_manager.h"
#include "game/presentation/text_resources.h"
#include "game/program/frame_loop.h"
#include "game/program/map_scene.h"
#include "game/save/replay_recorder.h"
#include "game/save/save_cache.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr char kCommonEventFile[] = "BasicData\\CommonEvent.dat";
constexpr char kChangeableDataBase[] = "BasicData\\CDataBase";
constexpr int kSoundKinds = 3;
constexpr int kBackScreen = -2;
constexpr int kStartPositionType = 7;
constexpr int kHeroGraphicString = 7;

void ReloadCommonEvents() {
    CommonFileIndex.clear();
    CommonEventNames.clear();
    CommonEvents = CommonEventList();
    LoadCommonEventData(CommonEvents, kCommonEventFile);
    CommonEventNames.clear();
    // From the top down, so that the lowest number wins among equal names.
    for (int n = static_cast<int>(CommonEvents.events.size()) - 1; n >= 0; --n) {
        const std::string& name = CommonEvents.events[static_cast<std::size_t>(n)].name;
        if (!name.empty())
            CommonEventNames[name] = n;
    }
}

void SilenceSounds() {
    for (int kind = 0; kind < kSoundKinds; ++kind)
        TheSoundManager.PlaySoundByNumber(kind, -1, 0, 0);
    for (int i = 0; i < 3; ++i)
        TheSoundManager.UpdateSound();
    layer::RemoveAllSounds(0);
    TheSoundManager = SoundManager();
    TheSoundManager.ResetSoundFormatFlags();
    TheSoundManager.UpdateSound();
}

void RenewReplay() {
    if (ReplayActive == 0)
        TheReplayRecorder = ReplayRecorder();
    else if (!TheReplayRecorder.Values.empty())
        GameRandomControl(static_cast<int>(RandomMode::kSet),
                          static_cast<std::uint32_t>(TheReplayRecorder.Values[0]));
}

// The fresh ScreenState makes its own two screens: the pair just recreated for the old one
// is removed first, so that no return to the title leaks graphs.
void RenewScreenState() {
    ScreenState& screenState = TheScreenState;
    RecreateOffscreenScreens(screenState);
    layer::RemoveGraph(screenState.offscreen1, 0);
    layer::RemoveGraph(screenState.offscreen2, 0);
    screenState = ScreenState();
    KeepSoundListSizes(screenState);
    if (TestPlayMode != 0)
        screenState.overlayMode = 1;
}

void RenewGameState() {
    CDataBase = DataBase();
    LoadDataBaseFiles(CDataBase, kChangeableDataBase);
    TheVariableStore = VariableStore();
    TheMainInterpreter = MainInterpreter();
    TheParty = Party();
    if (TheGameInfo.gameStrings.size() > kHeroGraphicString)
        TheParty.graphicName = TheGameInfo.gameStrings[kHeroGraphicString];
    TheMapState = MapState();
    ResetMapState(TheMapState);
    ThePictureList = PictureList(false);
    ResetInputState(TheInputState);
    TheVariableStore.link = &TheMainInterpreter;
    ApplyCharacterSettings(TheParty);
}

void PlaceAtStart() {
    ScreenState& screenState = TheScreenState;
    screenState.SceneNumber = 1;
    TheMapState.mapNumber = -1;
    screenState.TransferPending = 0;
    screenState.transferMap = SysDataBase.ReadDBValue(kStartPositionType, 0, 0);
    screenState.transferX = 2 * SysDataBase.ReadDBValue(kStartPositionType, 0, 1);
    screenState.transferY = 2 * SysDataBase.ReadDBValue(kStartPositionType, 0, 2);
}

void LinkDataBases() {
    for (DataBase* db : {&SysDataBase, &UserDataBase, &CDataBase}) {
        db->sysDataBase = &SysDataBase;
        db->userDataBase = &UserDataBase;
        db->changeableDataBase = &CDataBase;
    }
}

void ApplyCommandLineOptions() {
    for (const CommandLineOption& option : ScanCommandLineOptions(CommandLineWords)) {
        switch (option.kind) {
            case CommandLineOption::Kind::kTestPlay:
                TestPlayMode = 1;
                break;
            case CommandLineOption::Kind::kNumber:
                TheVariableStore.StoreValueById(option.id, option.number);
                break;
            case CommandLineOption::Kind::kText:
                TheVariableStore.StoreStringById(option.id, option.text);
                break;
        }
    }
}

}  // namespace

void RunResetPass(MapScene&, bool firstPass) {
    layer::ShowMouseCursor(TheMainInterpreter.MouseCursorShown);
    ReloadCommonEvents();
    SilenceSounds();
    SaveLoadedThisFrame = 0;
    RenewReplay();
    if (!firstPass)
        LoadDataBases();
    SetupFonts(TheTextResources);
    RenewScreenState();
    RenewGameState();
    layer::ChangeDrawTarget(kBackScreen);
    TheMainInterpreter.FrameSkipLevel = FrameSkip;
    SetFrameSkip(FrameSkip);
    TheSaveCache = SaveCache();
    PlaceAtStart();
    if (TestPlayMode != 0)
        BuildDBNameMaps();
    LinkCommonEventCommands();
    TheMainInterpreter.SetUpInterpreter(0, true);
    LinkDataBases();
    ApplyCommandLineOptions();
}

void RunScenes(MapScene& mapScene) {
    bool firstPass = true;
    for (;;) {
        RunResetPass(mapScene, firstPass);
        firstPass = false;
        for (;;) {
            if (layer::PumpMessages() != 0)
                return;
            DispatchScene(mapScene);
            if (FrameLimitReached())
                return;
            const int scene = TheScreenState.SceneNumber;
            if (scene == -1)
                return;
            if (scene == 0)
                break;
        }
    }
}

}  // namespace game
