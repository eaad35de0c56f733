// The end of an event, the return to the title, the end of the game, waits, the removal of a
// map event and the frozen map view.
#include "game/core/display_scale.h"
#include "game/core/screen_state.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/flow_commands.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/event_character.h"
#include "game/map/map_state.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

// The scene numbers the title and the end of the program are asked with.
constexpr int kTitleScene = 0;
constexpr int kEndOfProgram = -1;

std::uint8_t EndWithScene(EventInterpreter& interpreter, int scene) {
    TheScreenState.SceneNumber = scene;
    EndInterpreterEvent(interpreter);
    return 1;
}

}  // namespace

std::uint8_t EndEvent(EventInterpreter& interpreter) {
    EndInterpreterEvent(interpreter);
    return 1;
}

std::uint8_t ReturnToTitle(EventInterpreter& interpreter) {
    return EndWithScene(interpreter, kTitleScene);
}

std::uint8_t QuitGame(EventInterpreter& interpreter) {
    return EndWithScene(interpreter, kEndOfProgram);
}

std::uint8_t WaitFrames(EventInterpreter& interpreter) {
    const std::int32_t frames = Arg(interpreter.CurrentLine(), 1);
    interpreter.waitFrames = interpreter.ReadInterpreterValue(frames) >= 0
                                 ? interpreter.ReadInterpreterValue(frames)
                                 : 0;
    return 1;
}

std::uint8_t WaitForMoves(EventInterpreter& interpreter) {
    interpreter.moveWait = true;
    return 1;
}

std::uint8_t RemoveMapEvent(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t which = Arg(line, 1);
    const std::int32_t removal = Arg(line, 2);
    if (which >= 0) {
        const std::int32_t number = interpreter.ReadInterpreterValue(which);
        if (number >= 0) {
            if (EventCharacter* event = FindEventCharacter(TheMapState, number))
                SetEventRemoval(*event, removal);
        }
        ++interpreter.line;
    } else if (interpreter.eventNumber < 0) {
        ++interpreter.line;
    } else {
        if (interpreter.mapId == TheMapState.mapNumber) {
            if (EventCharacter* event = FindEventCharacter(TheMapState, interpreter.eventNumber))
                SetEventRemoval(*event, removal);
        }
        EndInterpreterEvent(interpreter);
    }
    // Whatever remains of the event runs from the next frame on.
    return 0;
}

std::uint8_t FreezeMapView(EventInterpreter&) {
    TheMainInterpreter.LiveMapView = 0;
    const int width = 20 * TileSize * ZoomFactor;
    const int height = 15 * TileSize * ZoomFactor;
    layer::CaptureScreenToGraph(0, 0, width, height, TheScreenState.offscreen2, 1);
    return 1;
}

std::uint8_t UnfreezeMapView(EventInterpreter&) {
    TheMainInterpreter.LiveMapView = 1;
    return 1;
}

}  // namespace game
