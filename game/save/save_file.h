#pragma once

#include <string>

namespace game {

// Saves a slot: with copy the running game is first copied into the slot's cached state;
// the file is then written whole from that state, never half (the old file stays on any
// failure). A file there that was neither read and accepted nor written in this run is
// replaced only when the loader would accept it; otherwise it is kept aside first
// (KeepRefusedSave). True when written, and while a replay plays (nothing is written then);
// false with one log line when the file cannot be written or a refused file cannot be kept,
// and with the report when the disk is too full.
bool WriteSaveFile(int slot, bool copy, const std::string& prefix);

// Reads a slot into its cached state, checking the whole file first: a missing, damaged or
// foreign file gives false (with its report) and leaves the running game as it was. A plain
// read answers from the cache when it can. With replay a good file starts its replay from
// the title. With apply a good file waits for ApplyPendingLoad to replace the running game.
bool ReadSaveFile(int slot, bool apply, bool replay, const std::string& prefix);

// Whether ReadSaveFile would accept the file at the path (this game's title, intact), checked
// without a report and without touching the save-slot cache.
bool SaveFileAcceptable(const std::string& path);

// True while a checked load waits to be applied.
bool LoadPending();

// The running game becomes the checked save: sounds stopped, graphs released and the screens
// rebuilt, every part read from the save, the restart after a load requested. False when no
// load waits.
bool ApplyPendingLoad();

}  // namespace game
