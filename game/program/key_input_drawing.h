#pragma once

namespace game {

struct EventCharacter;
class ParallelCommonEvent;

// The key-input texts of the interpreters beside the main one, drawn after its own.

// The text of the event's page interpreter, when it runs one.
void DrawEventKeyInput(EventCharacter& eventCharacter);
// The text of the parallel common event's interpreter, when it runs one.
void DrawParallelKeyInput(ParallelCommonEvent& parallelCommonEvent);

}  // namespace game
