#pragma once

#include <cstdint>
#include <string>

namespace game {

// One variable of another save slot, read or written through the save-slot cache without
// loading that slot into the running game. The ids relative to a running event name nothing
// in another slot. A write saves the whole slot again at once.

// 0 for a negative slot, a missing or damaged file, and for ids 1100000 to 1199999 and
// 1600000 to 1699999.
std::int32_t GetSlotVariable(int slot, std::int32_t id, const std::string& prefix);
// An error text for a negative slot; empty for a missing or damaged file and for ids
// 1600000 to 1699999.
std::string GetSlotString(int slot, std::int32_t id, const std::string& prefix);
// A slot without a good file is written as a new game state holding the value.
void SetSlotVariable(int slot, std::int32_t id, std::int32_t value, const std::string& prefix);
void SetSlotString(int slot, std::int32_t id, const std::string& value, const std::string& prefix);

}  // namespace game
