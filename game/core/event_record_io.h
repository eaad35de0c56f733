#pragma once

#include <vector>

#include "game/core/event_records.h"

namespace game {

class DataFileBuffer;
class SaveBuffer;

// Readers read at the cursor's position and advance it; writers write there. A reader
// returns false when the record is damaged (a read past the end, a negative count, a count
// the rest cannot hold, a route of more than 65536 steps); the data-file cursor is then
// marked damaged too and its loader refuses the file. Tags and the event magic are skipped
// without a test.

bool ReadEventCommand(DataFileBuffer& cursor, EventCommand& command);
void WriteEventCommand(DataFileBuffer& cursor, const EventCommand& command);

// A 32-bit count and the commands; the last command's code becomes the end code, and a list
// stored empty gets one end command.
bool ReadCommandList(DataFileBuffer& cursor, std::int32_t count,
                     std::vector<EventCommand>& commands);

// Six setting bytes in file order (animation, speed, frequency, kind, character options,
// route options), the step count and the steps; the save side uses the save cursor, whose
// sticky read-past-end flag a short field sets.
bool ReadMoveRoute(DataFileBuffer& cursor, MoveRoute& route);
bool ReadMoveRoute(SaveBuffer& cursor, MoveRoute& route);
void WriteMoveRoute(DataFileBuffer& cursor, const MoveRoute& route);
void WriteMoveRoute(SaveBuffer& cursor, const MoveRoute& route);
bool ReadMoveRouteStep(DataFileBuffer& cursor, MoveRouteStep& step);
bool ReadMoveRouteStep(SaveBuffer& cursor, MoveRouteStep& step);
void WriteMoveRouteStep(DataFileBuffer& cursor, const MoveRouteStep& step);
void WriteMoveRouteStep(SaveBuffer& cursor, const MoveRouteStep& step);

bool ReadPageGraphic(DataFileBuffer& cursor, PageGraphic& graphic);
void WritePageGraphic(DataFileBuffer& cursor, const PageGraphic& graphic);
bool ReadStartConditions(DataFileBuffer& cursor, PageStartConditions& conditions);
void WriteStartConditions(DataFileBuffer& cursor, const PageStartConditions& conditions);

// Options are a grow-only list: stored bytes replace the first ones, defaults stay behind.
bool ReadEventPage(DataFileBuffer& cursor, EventPage& page);
// Sets commandCount to the number of commands first.
void WriteEventPage(DataFileBuffer& cursor, EventPage& page);

bool ReadMapEventHeader(DataFileBuffer& cursor, MapEventHeader& header);
void WriteMapEventHeader(DataFileBuffer& cursor, const MapEventHeader& header);
// Expects an event as MapEvent::MapEvent builds it: page 0 is filled from the file, further
// pages are appended.
bool ReadMapEvent(DataFileBuffer& cursor, MapEvent& event);
void WriteMapEvent(DataFileBuffer& cursor, MapEvent& event);

bool ReadMapHeader(DataFileBuffer& cursor, MapHeader& header);

}  // namespace game
