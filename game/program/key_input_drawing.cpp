#include "game/program/key_input_drawing.h"

#include "game/interpreter/parallel_common_event.h"
#include "game/interpreter/run_interpreter.h"
#include "game/map/event_character.h"

namespace game {

void DrawEventKeyInput(EventCharacter& eventCharacter) {
    if (!eventCharacter.pageInterpreter.empty())
        DrawKeyInputText(eventCharacter.pageInterpreter.front());
}

void DrawParallelKeyInput(ParallelCommonEvent& parallelCommonEvent) {
    if (!parallelCommonEvent.interpreters.empty())
        DrawKeyInputText(parallelCommonEvent.interpreters.front());
}

}  // namespace game
