// The move-route command: a character follows the route carried by the command line.
#include "game/interpreter/command_args.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/flow_commands.h"
#include "game/map/move_route.h"

namespace game {

std::uint8_t AssignMoveRoute(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    MapCharacter* character = ResolveCharacterRef(interpreter, Arg(line, 1));
    // A line without a route, as only a damaged list has, gives nothing to follow.
    if (character != nullptr && !line.route.empty())
        StartForcedRoute(*character, line.route.front());
    return 1;
}

}  // namespace game
