#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace game {

class EventInterpreter;

// The operating-system version the game may ask about; the player always reports an NT
// system, so no pre-NT path is ever taken.
struct OsVersion {
    std::uint32_t recordSize = 148;
    std::uint32_t majorVersion = 6;
    std::uint32_t minorVersion = 1;
    std::uint32_t buildNumber = 7601;
    std::uint32_t platformId = 2;
    std::array<char, 128> servicePack{};
};

// The running game's system and screen state that saves do not carry: the scene, the links
// between the message and choice commands and their windows, the pending transfer, the
// screen transition with its two off-screen screens, frame timings, the system strings and
// the sound-list bookkeeping. Graph handles are not owned: copies share them and nothing
// here deletes them.
class ScreenState {
  public:
    // The static instance is built before the layer starts: it makes no screens and keeps
    // failure handles until the reset loop makes them.
    enum class Screens { kCreate, kLater };
    explicit ScreenState(Screens screens = Screens::kCreate);

    int SceneNumber = 0;
    std::string messageText;
    std::string messageTextCopy;
    std::string transitionImageName;
    std::string choiceText;
    int messageLinkMode = -1;
    int messageSetting = 99;
    int choiceCount = 0;
    int choiceCancelValue = 0;
    int choiceOptions = 0;
    int choiceLinkSlot = -1;
    int reservedCommonEvent = -1;
    std::uint8_t windowBusy = 0;
    std::uint8_t TransferPending = 0;
    std::uint8_t TransitionRunning = 0;
    int transferMap = 0;
    int transferX = 0;
    int transferY = 0;
    int transferDirection = 0;
    EventInterpreter* messageLinkedInterpreter = nullptr;
    EventInterpreter* choiceLinkedInterpreter = nullptr;
    std::uint8_t messageOpen = 0;
    std::uint8_t messageActive = 0;
    std::uint8_t TransitionPrepared = 0;
    std::uint8_t transitionHold = 0;
    std::uint8_t transitionPlainFade = 1;
    int transitionCounter = 20;
    int transitionLength = 20;
    int transitionImage = 0;
    int offscreen1 = -1;
    std::uint8_t RestartPending = 0;
    int offscreen2 = -1;
    int messageWindowValue = 0;
    std::uint8_t choiceSeen = 0;
    std::uint8_t messageHold = 0;
    int overlayMode = 0;
    int lastChoiceResult = -1;
    std::uint8_t scrollWait = 0;
    std::uint8_t choiceCloseNow = 0;
    std::uint8_t tileAttributesChanged = 0;
    std::array<int, 5> frameTimes{};
    int drawTime = 0;
    OsVersion osVersion;
    std::string lastMessageText;
    std::uint8_t tileSetChanged = 0;
    std::array<std::string, 10> systemStrings;
    int StringInputActive = 0;
    int soundValue = -1;
    std::uint8_t soundFlag = 0;
    std::array<int, 3> loadedSoundListSizes{};
    std::array<int, 3> nextSpareSound{};
    std::uint8_t panoramaChanged = 0;
    std::uint8_t fogChanged = 0;
    // Kept by the sound manager's play function for two system variables.
    std::array<int, 2> soundSystemValues{};
};

extern ScreenState TheScreenState;

// Returns the message and choice links to their defaults.
void ResetMessageState(ScreenState& screenState);

// Deletes both off-screen screens and makes them again blank, 20 x 15 tiles of the current
// tile size and zoom (640 x 480 in both tile sizes).
void RecreateOffscreenScreens(ScreenState& screenState);

}  // namespace game
