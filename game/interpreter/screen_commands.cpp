// The screen colour and transition commands.
#include "game/interpreter/screen_commands.h"

#include <array>

#include "game/core/display_scale.h"
#include "game/core/screen_state.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/main_interpreter.h"
#include "game/presentation/screen_effect_setters.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr std::int32_t kFlashBit = 0x1000000;
constexpr std::int32_t kHoldBit = 0x10000;
constexpr int kScreenTilesX = 20;
constexpr int kScreenTilesY = 15;

// A colour channel 0..200 (100 neutral) as a change of -255..255.
int ChannelChange(std::int32_t colour, int shift) {
    return (((colour >> shift) & 0xFF) - 100) * 255 / 100;
}

}  // namespace

std::uint8_t ScreenColorChange(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t colour = Arg(line, 1);
    const int red = ChannelChange(colour, 0);
    const int green = ChannelChange(colour, 8);
    const int blue = ChannelChange(colour, 16);
    if ((colour & kFlashBit) != 0)
        FlashScreen(TheMainInterpreter, red, green, blue, Arg(line, 2));
    else
        ChangeScreenTone(TheMainInterpreter, red, green, blue, Arg(line, 2));
    return 1;
}

std::uint8_t ConfigureTransition(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    MainInterpreter& mainInterpreter = TheMainInterpreter;
    mainInterpreter.TransitionGraphic = Arg(line, 1);
    mainInterpreter.TransitionLength = Arg(line, 2) & 0xFFFF;
    mainInterpreter.TransitionFlag = (Arg(line, 2) & kHoldBit) != 0 ? 1 : 0;
    SetScreenTransition(TheScreenState, mainInterpreter.TransitionGraphic,
                        mainInterpreter.TransitionLength, mainInterpreter.TransitionFlag);
    return 1;
}

std::uint8_t PrepareTransition(EventInterpreter&) {
    ScreenState& screen = TheScreenState;
    if (screen.windowBusy != 0 || screen.TransitionRunning != 0)
        return 0;
    screen.TransitionPrepared = 1;
    layer::CaptureScreenToGraph(0, 0, TileSize * kScreenTilesX * ZoomFactor,
                                TileSize * kScreenTilesY * ZoomFactor, screen.offscreen1, 1);
    return 1;
}

std::uint8_t ExecuteTransition(EventInterpreter& interpreter) {
    ScreenState& screen = TheScreenState;
    if (screen.TransitionPrepared == 0)
        PrepareTransition(interpreter);
    if (screen.TransitionRunning != 0)
        return 0;
    screen.TransitionPrepared = 0;
    screen.TransitionRunning = 1;
    screen.transitionCounter = screen.transitionLength;
    return 1;
}

}  // namespace game
