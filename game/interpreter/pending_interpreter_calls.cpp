#include "game/interpreter/pending_interpreter_calls.h"

namespace game {

void LinkCommonEventCommands() {}

}  // namespace game
