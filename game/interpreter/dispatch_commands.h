#pragma once

#include <cstdint>
#include <span>

namespace game {

class EventInterpreter;
struct EventCharacter;
struct MapCharacter;

// A handler runs the interpreter's current line. Of a return code its result goes back to
// the run loop (1 done, 0 again next frame); a continue code's result is ignored and the
// dispatcher goes straight on with the next line.
using CommandHandler = std::uint8_t (*)(EventInterpreter& interpreter);

enum class CommandKind : std::uint8_t { kReturn, kContinue };

struct CommandEntry {
    std::int32_t code;
    CommandKind kind;
    CommandHandler handler;
};

// Every command code with its kind and handler, in ascending code order. Codes not in it
// (0, the label lines 212 and any other number) are passed over.
std::span<const CommandEntry> CommandTable();
const CommandEntry* FindCommand(std::int32_t code);

// Runs lines from the current one until a return code's handler answers, or the frame's
// step limit is reached or the line hook stops it (then 1).
std::uint8_t DispatchCommands(EventInterpreter& interpreter);

// Test tooling: a function the dispatcher calls before every line it runs, in every
// interpreter; false ends the dispatch as the step limit does. Null (the default) calls
// nothing. A fuzz harness bounds one input's work with it.
using DispatchLineHook = bool (*)();
void SetDispatchLineHook(DispatchLineHook hook);

// Ends the running event: the interpreter becomes idle, its loops close, and the main
// interpreter's map event turns back.
void EndInterpreterEvent(EventInterpreter& interpreter);

// Moves the line so that the next line run is the first later one on the current line's
// indent.
void SkipToBlockEnd(EventInterpreter& interpreter);

// A character reference read through the interpreter: -3 - k party member k, -2 the hero,
// -1 the running map event, 0 and above the map event of that number; null when there is no
// such character.
MapCharacter* ResolveCharacterRef(EventInterpreter& interpreter, std::int32_t reference);
// The same for a reference already read.
MapCharacter* CharacterOfReference(const EventInterpreter& interpreter, std::int64_t value);
// The map event a reference value names (-1 the running one); null for the hero, the members
// and events not on the map.
EventCharacter* MapEventOfReference(const EventInterpreter& interpreter, std::int64_t value);

}  // namespace game
