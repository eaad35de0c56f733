#include "game/program/program_entry.h"

#include <algorithm>

#include "game/core/command_line.h"
#include "game/core/common_event.h"
#include "game/core/database.h"
#include "game/core/database_files.h"
#include "game/core/database_name_maps.h"
#include "game/core/display_scale.h"
#include "game/core/error_box.h"
#include "game/core/exit_program.h"
#include "game/core/format_text.h"
#include "game/core/game_folder.h"
#include "game/core/game_info.h"
#include "game/core/game_ini.h"
#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/core/system_message_box.h"
#include "game/core/variable_store.h"
#include "game/interpreter/internet_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/graph_restore.h"
#include "game/map/image_cache.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/presentation/midi_binding.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/sound_manager.h"
#include "game/presentation/speech.h"
#include "game/presentation/text_resources.h"
#include "game/program/leftover_writes.h"
#include "game/program/map_scene.h"
#include "game/program/program_entry_texts.h"
#include "game/program/reset_loop.h"
#include "game/save/replay_recorder.h"
#include "game/save/save_cache.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr char kTestPlayWord[] = "Test_Of_Main";
constexpr int kWindowIcon = 101;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kRefreshRate = 60;
// The desktop is always reported as 32 bits, so a window is never forced to full screen.
constexpr int kDesktopColourBits = 32;
constexpr std::size_t kTileSizeFlag = 0;
constexpr std::size_t kMidiFlag = 3;
constexpr std::size_t kFrameRateFlag = 4;
constexpr std::size_t kMidiDeviceFlag = 6;
constexpr std::size_t kArchiveKeyString = 2;
constexpr int kAlternativeMidiDevice = -1000;
constexpr int kDefaultMidiDevice = -1;

std::int8_t Flag(std::size_t index) {
    const std::vector<std::int8_t>& flags = TheGameInfo.gameFlags;
    return index < flags.size() ? flags[index] : 0;
}

void AddFontFile(const char* name, void* prefix) {
    const std::string& folder = *static_cast<const std::string*>(prefix);
    if (layer::AddFontResourceFile(name) == 0)
        AddedFontFiles.push_back(folder + name);
}

// The "*.ttf" then the "*.ttc" files of the current folder, kept under `prefix` + name.
void AddFontFiles(const std::string& prefix) {
    for (const char* pattern : {"*.ttf", "*.ttc"})
        layer::ForEachMatchingFile(pattern, &AddFontFile, const_cast<std::string*>(&prefix));
}

void SetScreenFromGameInfo() {
    std::vector<std::int8_t>& flags = TheGameInfo.gameFlags;
    for (std::size_t index : {std::size_t{15}, std::size_t{16}}) {
        if (index < flags.size())
            flags[index] = std::max<std::int8_t>(flags[index], 4);
    }
    const int colourBits = kDesktopColourBits == 16 ? 16 : 32;
    if (Flag(kTileSizeFlag) == 32 || Flag(kTileSizeFlag) == 16) {
        TileSize = Flag(kTileSizeFlag);
        ZoomFactor = TileSize == 32 ? 1 : 2;
        layer::SetScreenMode(kScreenWidth, kScreenHeight, colourBits, kRefreshRate);
    }
    // A rate outside 1 to 60 would divide by zero or give no frames at all.
    const int rate = Flag(kFrameRateFlag);
    if (rate >= 1 && rate <= 60) {
        FramesPerUpdate = 60 / rate;
    } else {
        FramesPerUpdate = 1;
        WriteConsoleLine(
            FormatText("Game.dat: frame rate %d is outside 1 to 60; 60 is used", rate));
    }
}

void ChooseDrawing(int start) {
    if (start == 1 || SoftModeFlag == 1) {
        WriteGameIni(1, 1, 0);
        SoftModeFlag = 1;
        layer::EnableTextureDrawing(0);
        layer::SelectSoftwareRendering(0);
        TransparentDrawFlag = 1;
    } else {
        WriteGameIni(1, SoftModeFlag, 0);
    }
}

void SetUpMidiAndSpeech() {
    if (Flag(kMidiFlag) == 1 &&
        GGSSetDevice(Flag(kMidiDeviceFlag) != 0 ? kAlternativeMidiDevice : kDefaultMidiDevice, 0) !=
            0) {
        MidiEnabled = 0;
        GGSFree();
    }
    if (IsAquesTalkPresent())
        LoadAquesTalk();
}

int InterpreterFontSize() {
    return TheMainInterpreter.DefaultFontSize;
}

void EnableArchives() {
    layer::EnableArchiveFiles(1);
    layer::ChooseArchiveExtension("qent");
    const std::vector<std::string>& strings = TheGameInfo.gameStrings;
    layer::ChooseArchiveKey(kArchiveKeyString < strings.size() ? strings[kArchiveKeyString].c_str()
                                                               : "");
    layer::ChooseTransparentColour(254, 0, 254);
}

}  // namespace

std::string DataFolder;
std::vector<std::string> AddedFontFiles;

void BuildGameGlobals() {
    TheReplayRecorder = ReplayRecorder();
    TheVariableStore = VariableStore(VariableStore::Contents::kEmpty);
    TheGameInfo = GameInfo();
    TheInputState = InputState();
    SysDataBase = DataBase();
    UserDataBase = DataBase();
    CDataBase = DataBase();
    CommonEvents = CommonEventList();
    TheMapState = MapState();
    TheParty = Party();
    TheMainInterpreter = MainInterpreter(MainInterpreter::AutomaticEvents::kLater);
    TheScreenState = ScreenState(ScreenState::Screens::kLater);
    TheSoundManager = SoundManager();
    TheTextResources = TextResources();
    ThePictureList = PictureList(false);
    TheInternetState = InternetState();
    TheSaveCache = SaveCache();
    TheImageCache = ImageCache();
}

int StartGame(const std::string& commandLine) {
    if (commandLine == kTestPlayWord)
        TestPlayMode = 1;
    CommandLine = commandLine;
    CommandLineWords = SplitCommandLine(commandLine);
    layer::ChooseWindowIcon(kWindowIcon);
    layer::EnableTextureDrawing(1);
    TransparentDrawFlag = 1;
    DataFolder = GameFolder + "\\" + "Data\\";
    if (!LoadGameInfo(TheGameInfo, GameFolder + "Game.dat"))
        return kFailedStart;
    AddFontFiles("");
    if (layer::ChangeCurrentFolder(DataFolder.c_str()) == 0)
        AddFontFiles("Data\\");
    layer::ChangeCurrentFolder(GameFolder.c_str());
    layer::SetRunWhileInactive(1);
    MidiEnabled = 1;
    layer::SetLogEnabled(TestPlayMode);
    SetScreenFromGameInfo();
    TheMainInterpreter.ApplyTileSizeDefaults();
    layer::SetWindowCaption(kLoadingCaption);
    int start = 0;
    ReadGameIni(start, SoftModeFlag, WindowModeFlag, SEandBGM, FrameSkip);
    layer::RequestWindowMode(WindowModeFlag);
    if (layer::InitializeLayer() == -1)
        return -1;
    LayerRunning = true;
    // The layer holds the one-instance lock now: no other copy is writing these folders.
    RemoveLeftoverWrites();
    TheErrorBoxServices = {&InterpreterFontSize, &ShutdownGame};
    ChooseDrawing(start);
    SetUpMidiAndSpeech();
    WriteGameIni(0, SoftModeFlag, 0);
    EnableArchives();
    LoadDataBases();
    BuildDBNameMaps();
    return kStartedGame;
}

int WinMain(const std::string& commandLine) {
    if (const int result = StartGame(commandLine); result != kStartedGame)
        return result;
    MapScene mapScene;
    LoadIcons(TheTextResources);
    layer::InstallGraphRestoreHandler(&RestoreGraphics);
    RunScenes(mapScene);
    ShutdownGame();
}

void ShutdownGame() {
    layer::RemoveAllGraphs(0);
    layer::RemoveAllSounds(0);
    layer::ResetFonts();
    layer::ShutdownLayer();
    LayerRunning = false;
    if (Flag(kMidiFlag) == 1)
        GGSFree();
    WriteGameIni(0, SoftModeFlag, TheMainInterpreter.FrameSkipLevel);
    layer::ChangeCurrentFolder(GameFolder.c_str());
    for (const std::string& file : AddedFontFiles)
        layer::RemoveFontResourceFile(file.c_str());
    AddedFontFiles.clear();
    UnloadAquesTalk();
    ExitProgram(TheMapState.mapFileFailed ? kFailedStart : 0);
}

}  // namespace game
