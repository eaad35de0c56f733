#include "game/presentation/pending_presentation_calls.h"

#include <string>

#include "game/core/screen_state.h"
#include "game/core/window_closing.h"
#include "game/presentation/choice_window.h"
#include "game/presentation/message_window.h"
#include "game/presentation/picture_list.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kNoDevice = -1;

void PrintWindowText(const std::string& text) {
    layer::PrintConsoleText((text + "\n").c_str());
}

}  // namespace

void LoadMessageWaitCursor(MessageWindow&) {}

// A shown message stays one update, then the window closes as the player would close it.
void UpdateMessageWindow(MessageWindow& messageWindow) {
    if (messageWindow.open != 0) {
        CloseMessageWindow(messageWindow);
        return;
    }
    ScreenState& screenState = TheScreenState;
    if (screenState.messageText.empty())
        return;
    messageWindow.text = screenState.messageText;
    messageWindow.open = 1;
    screenState.windowBusy = 1;
    PrintWindowText(messageWindow.text);
}

void DrawMessageWindow(MessageWindow&) {}

void LoadChoiceWindowSkin(ChoiceWindow&) {}

// A shown choice stays one update, then the first item is taken.
void UpdateChoiceWindow(ChoiceWindow& choiceWindow) {
    if (choiceWindow.open != 0) {
        choiceWindow.cursor = 0;
        CloseChoiceWindow(choiceWindow);
        return;
    }
    ScreenState& screenState = TheScreenState;
    if (screenState.choiceText.empty())
        return;
    choiceWindow.text = screenState.choiceText;
    choiceWindow.open = 1;
    screenState.windowBusy = 1;
    PrintWindowText(choiceWindow.text);
}

void DrawChoiceWindow(ChoiceWindow&) {}

void UpdatePictures(PictureList&) {}
void DrawPictureLayer(PictureList&, int) {}

void PlaySoundByNumber(int, int, int, int) {}
void UpdateSound() {}
void ResetSoundFormatFlags() {}
void ResumeSavedSounds() {}

int GGSSetDevice(int, int) {
    return kNoDevice;
}
void GGSFree() {}

bool IsAquesTalkPresent(const GameInfo&) {
    return false;
}
void LoadAquesTalk(const GameInfo&) {}
bool UnloadAquesTalk(const GameInfo&) {
    return true;
}

}  // namespace game
