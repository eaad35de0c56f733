#include "game/core/screen_state.h"

#include "game/core/display_scale.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

int CreateOffscreenScreen() {
    return layer::CreateBlankGraph(20 * TileSize * ZoomFactor, 15 * TileSize * ZoomFactor, 0);
}

}  // namespace

ScreenState TheScreenState(ScreenState::Screens::kLater);

ScreenState::ScreenState(Screens screens) {
    ResetMessageState(*this);
    if (screens == Screens::kCreate) {
        offscreen1 = CreateOffscreenScreen();
        offscreen2 = CreateOffscreenScreen();
    }
}

void ResetMessageState(ScreenState& screenState) {
    screenState.messageText.clear();
    screenState.messageLinkMode = -1;
    screenState.messageSetting = 99;
    screenState.choiceCount = 0;
    screenState.choiceCancelValue = 0;
    screenState.choiceOptions = 0;
    screenState.choiceLinkSlot = -1;
    screenState.soundSystemValues = {};
    screenState.windowBusy = 0;
    screenState.reservedCommonEvent = -1;
    screenState.messageLinkedInterpreter = nullptr;
    screenState.choiceLinkedInterpreter = nullptr;
    screenState.lastChoiceResult = -1;
    screenState.scrollWait = 0;
    screenState.choiceCloseNow = 0;
    screenState.messageHold = 0;
}

void RecreateOffscreenScreens(ScreenState& screenState) {
    layer::RemoveGraph(screenState.offscreen1, 0);
    layer::RemoveGraph(screenState.offscreen2, 0);
    screenState.offscreen1 = CreateOffscreenScreen();
    screenState.offscreen2 = CreateOffscreenScreen();
}

}  // namespace game
