#include "game/interpreter/main_interpreter.h"

namespace game {

MainInterpreter TheMainInterpreter;

}  // namespace game
