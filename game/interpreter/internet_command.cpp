// The internet command. The player never opens a connection: the texts are expanded as the
// command would send them, and the access stops at its first step.
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/internet_state.h"
#include "game/interpreter/message_text.h"
#include "game/interpreter/party_and_view_commands.h"
#include "game/map/state_setters.h"

namespace game {

std::uint8_t AccessInternet(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    MessageTextOptions options;
    options.substitutionsOnly = true;
    options.atLine = true;
    // Expanding reads the variables the texts name, as a real access would.
    for (std::size_t i = 0; i < 2; ++i)
        ExpandMessageText(Str(line, i), interpreter.eventNumber, interpreter.commonNumber,
                          interpreter.mapId, options);
    BeginInternetAccess(TheInternetState);
    return 1;
}

}  // namespace game
