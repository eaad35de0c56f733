#include "game/presentation/screen_effect_setters.h"

#include <algorithm>
#include <cstdint>

#include "game/core/database.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/data_folder.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kRuleImageType = 11;
// Frames + 1 must fit the 16-bit counters.
constexpr int kMostFrames = 32766;

std::int16_t CounterOf(int frames) {
    return static_cast<std::int16_t>(std::clamp(frames, 0, kMostFrames) + 1);
}

std::array<std::int16_t, 3> ChannelsOf(int red, int green, int blue) {
    return {static_cast<std::int16_t>(red), static_cast<std::int16_t>(green),
            static_cast<std::int16_t>(blue)};
}

}  // namespace

void ChangeScreenTone(MainInterpreter& mainInterpreter, int red, int green, int blue, int frames) {
    mainInterpreter.ToneFramesLeft = CounterOf(frames);
    mainInterpreter.ToneFrames = CounterOf(frames);
    mainInterpreter.ToneStart = mainInterpreter.ToneCurrent;
    mainInterpreter.ToneTarget = ChannelsOf(red, green, blue);
}

void FlashScreen(MainInterpreter& mainInterpreter, int red, int green, int blue, int frames) {
    mainInterpreter.ScreenFlashColour = ChannelsOf(red, green, blue);
    mainInterpreter.FlashFramesLeft = CounterOf(frames);
    mainInterpreter.FlashFrames = CounterOf(frames);
}

void SetScreenTransition(ScreenState& screenState, int rule, int length, int hold) {
    layer::RemoveGraph(screenState.transitionImage, 0);
    if (rule < 0) {
        screenState.transitionImageName.clear();
        screenState.transitionImage = -1;
        screenState.transitionPlainFade = 1;
    } else {
        screenState.transitionImageName =
            kDataFolder + SysDataBase.ReadDBString(kRuleImageType, rule, 0);
        screenState.transitionImage =
            layer::LoadGraphFileFlagged(screenState.transitionImageName.c_str());
        screenState.transitionPlainFade = 0;
    }
    screenState.transitionLength = length;
    screenState.transitionHold = static_cast<std::uint8_t>(hold);
}

}  // namespace game
