#pragma once

#include <cstdint>

namespace game {

class EventInterpreter;

// Command 250: reads or writes one content of a record of the user, changeable or system
// database with the operators of the variable operation, resets records, counts records or
// contents, or reads a data or content name. General writes always go to the changeable
// database; a command prepared by the load-time pre-pass writes its own database. Every
// error is reported and leaves things as they were. Always done.
std::uint8_t DatabaseOperation(EventInterpreter& interpreter);

}  // namespace game
