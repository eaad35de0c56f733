#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/interpreter/event_interpreter.h"

namespace game {

// The one interpreter that picks events by itself, followed by the game-wide system state
// that the system variables and strings, the map, windows, sound and input read. Copies
// carry every field, the unsaved ones too.
class MainInterpreter : public EventInterpreter {
  public:
    // The global is built before the common events are read: it takes the automatic events
    // when the reset loop sets it up.
    enum class AutomaticEvents { kTake, kLater };
    explicit MainInterpreter(AutomaticEvents automaticEvents = AutomaticEvents::kTake);

    // The values that follow the tile size: font size, page cursor and key-input text
    // positions; also the frame counter and the master volumes.
    void ApplyTileSizeDefaults();

    std::uint8_t SpareFlag1 = 0;
    std::uint8_t SpareFlag2 = 0;
    std::uint8_t SpareFlag3 = 0;
    int PlaySeconds = 0;
    int SpareValue = 0;
    int PlayMilliseconds = 0;
    // System database type 1 and 2 entries playing; -1 none.
    int CurrentMusicNumber = -1;
    int CurrentBgsNumber = -1;
    // The draw accumulator's step per frame: 1.0, 0.5, 0.25 for frame-skip level 0, 1, 2.
    float DrawStep = 1.0f;
    int MeasuredFps = 0;
    // The draw rate the debug overlay counts per second.
    int DebugSecondCount = 0;
    int SystemValue0 = 0;
    // -1: the default place.
    int MessageWindowX = -1;
    int MessageWindowY = -1;
    int ChoiceWindowX = -1;
    int ChoiceWindowY = -1;
    int ChoiceDecideSound = -1;
    int ChoiceCursorSound = -1;
    int ChoiceCancelSound = -1;
    // Taken and reset to 0 by the next choice window.
    int ChoiceInitialCursor = 0;
    // Screen tone now, aimed at and at the start of the change: red, green, blue.
    std::array<std::int16_t, 3> ToneCurrent{};
    std::array<std::int16_t, 3> ToneTarget{};
    std::array<std::int16_t, 3> ToneStart{};
    std::int16_t ToneFramesLeft = -1;
    std::int16_t ToneFrames = -1;
    std::array<std::int16_t, 3> ScreenFlashColour{};
    std::int16_t FlashFramesLeft = -1;
    std::int16_t FlashFrames = -1;
    // 1 in a cached save slot written to or read from its file; not saved.
    int SaveDataFlag = 0;
    int FrameSkipLevel = 0;
    int DefaultFontSize = 22;
    // System database type 13 entries (-1 none, -2 the file named below) and their motion.
    int PanoramaImage = -1;
    int PanoramaScrollX = 0;
    int PanoramaScrollY = 0;
    int FogImage = -1;
    int FogScrollX = 0;
    int FogScrollY = 0;
    int FogBlend = 0;
    int FogOpacity = 255;
    std::int16_t DefaultShadow = 0;
    // Frames before a held key repeats and between repeats; at least 1.
    int KeyRepeatDelay = 16;
    int KeyRepeatInterval = 5;
    // Last slot saved or loaded into the running game; not saved.
    int LastSaveSlot = -1;
    std::uint8_t MoveDuringEvents = 0;
    std::int16_t PageCursorX = 320;
    std::int16_t PageCursorOffsetY = 137;
    // 0 while the map view shows a frozen capture; not saved.
    std::uint8_t LiveMapView = 1;
    std::int16_t PartySpacing = 2;
    // 1 while a text entry of the string command runs, 0 when it ended, -1 when cancelled;
    // not saved.
    int TextInputState = 0;
    std::int16_t KeyInputTextX = 150;
    std::int16_t KeyInputTextY = 400;
    int MessageSpeed = 120;
    int StringPictureSpeed = 1000000;
    int WindowOpenDelay = 1;
    std::uint8_t ChoiceFadeMode = 1;
    int ScrollLocked = 0;
    // Non-zero: text is drawn with a black shadow.
    int TextDrawSwitch = 0;
    // 1: the mouse works in the message and choice windows.
    int MouseWindowControl = 0;
    int TransitionGraphic = -1;
    int TransitionLength = 20;
    std::uint8_t TransitionFlag = 0;
    std::vector<std::string> StoredGraphics;
    // Shadow per party member: -1 the default shadow, below -1 none.
    std::vector<int> MemberShadows = std::vector<int>(5, -1);
    // Stored clamped to 0 to 3.
    int ChoiceCursorBlend = 0;
    int PanoramaParallax = 0;
    int FogParallax = 0;
    int KeyInputConfirmOption = 0;
    int KeyInputCancelOption = 0;
    // Keyboard codes (100 + key code) and pad bits of the confirm, cancel and sub actions.
    int ConfirmKey = 144;
    int CancelKey = 145;
    int SubKey = 146;
    int ConfirmPadMask = 16;
    int CancelPadMask = 32;
    int SubPadMask = 64;
    // +1 every frame, wrapping to 0 at 10,000,000.
    int FrameCounter = 0;
    // Put before and after the text of every message.
    std::string MessageExtraTextA;
    std::string MessageExtraTextB;
    int MusicMasterVolume = 100;
    int BgsMasterVolume = 100;
    int SeMasterVolume = 100;
    std::string CurrentMusicName;
    std::string CurrentBgsName;
    int CurrentMusicVolume = 0;
    int CurrentMusicTempo = 0;
    int CurrentMusicLoopMs = 0;
    int CurrentBgsVolume = 0;
    int CurrentBgsFrequency = 0;
    int CurrentBgsLoopMs = 0;
    std::string PanoramaFile;
    std::string FogFile;
    std::uint8_t MouseCursorShown = 1;
    std::uint8_t PartyFollows = 1;
};

extern MainInterpreter TheMainInterpreter;

}  // namespace game
