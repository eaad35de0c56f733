#pragma once

#include <vector>

#include "game/core/event_records.h"

namespace game {

class DataBase;
class VariableStore;

// Prepares the command lists of CommonEvents after each load of the common events, before
// any interpreter runs: jump targets of branches, cases, loop ends and label jumps; cells of
// simple variable operations, number branches and database number reads and writes in the
// live VariableStore and databases; database names turned into numbers; and the simplest
// variable operations rewritten into the fast codes. Earlier preparations of the lists are
// undone first, so that nothing prepared outlives the store or databases it pointed into.
void LinkCommonEventCommands();

// One common event's list, with its self variables as commonIndex's.
void PrepareCommandList(std::vector<EventCommand>& commands, int commonIndex, VariableStore& store);

// The database of a prepared database operation, kept in its first prepared pointer.
DataBase* PreparedDataBase(const EventCommand& line);

}  // namespace game
