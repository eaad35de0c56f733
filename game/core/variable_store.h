#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace game {

class DataBase;
class MainInterpreter;
class SaveBuffer;

// The game's own variables: self variables of map events, the normal variables and nine
// reserve sets, the string variables and the self variables of every common event, all
// reached through the variable ID space. A plain value: copies carry the link and the map
// override too. Variable sets and common-event number lists are deques so that the cell
// addresses the pre-pass keeps survive their growth.
// The members that reach the running game (the routing of numeric IDs to characters and
// system values, the map of an access, the link to the live interpreter) are defined in
// game/interpreter, which owns the ID space; this folder holds the values.
class VariableStore {
  public:
    // The global store is built before the common events and databases are read: it starts
    // empty and is reset by the reset loop.
    enum class Contents { kReset, kEmpty };
    explicit VariableStore(Contents contents = Contents::kReset);

    // Empties every list and sizes the common-event lists from CommonEvents and the variable
    // sets from SysDataBase types 14 to 23.
    void ResetVariableStore();

    // Appends the save block at the buffer's position.
    void SaveVariableStore(SaveBuffer& buffer) const;
    // Reads the save block back into this store. False for a short block (the buffer's
    // read-past-end flag then set) or a negative count. restoreSeed also sets the game's
    // random state from the block.
    bool LoadVariableStore(SaveBuffer& buffer, bool restoreSeed);

    // The ID accessors. A null database means the live changeable database. Refused
    // accesses show their report and give 0, -1 or "<<ERROR>>".
    void StoreValueById(std::int32_t id, std::int32_t value, DataBase* database = nullptr);
    void StoreStringById(std::int32_t id, const std::string& text, DataBase* database = nullptr);
    std::int32_t ReadValueById(std::int32_t id, DataBase* database = nullptr);
    std::string ReadStringById(std::int32_t id, DataBase* database = nullptr);

    // Plain variables, IDs 2000000 to 2999999: set (ID - 2000000) / 100000, index
    // ID % 100000. Their cell is reached directly; null when the set does not reach it.
    static constexpr bool IsPlainVariableId(std::int32_t id) {
        return id >= 2000000 && id <= 2999999;
    }
    std::int32_t* PlainVariableCell(std::int32_t id) {
        const auto set = static_cast<std::size_t>((id - 2000000) / 100000);
        const auto index = static_cast<std::size_t>(id % 100000);
        if (set >= variableSets.size() || index >= variableSets[set].size())
            return nullptr;
        return &variableSets[set][index];
    }

    // The integer cell behind a numeric ID, for the load-time pre-pass; commonEvent serves
    // the running common event's own IDs 1600000 to 1600099. Null when there is none.
    std::int32_t* GetVariablePointer(std::int32_t id, int commonEvent);

    // System variables and system strings: fields of the linked interpreter's system state
    // or of the running game. Indices without a meaning read -1 (numbers) or "" and ignore
    // writes; with no linked interpreter the numbers read 0.
    void SetSystemVariable(int index, std::int32_t value);
    std::int32_t GetSystemVariable(int index) const;
    void SetSystemString(int index, const std::string& text);
    std::string GetSystemString(int index) const;

    MainInterpreter* link;
    // Map of the next numeric access below 1000000000; -1 when unset.
    int mapOverride = -1;
    // By map, by event, by slot (at most 10 slots).
    std::vector<std::vector<std::vector<std::int32_t>>> selfVariables;
    // Set 0 the normal variables, sets 1 to 9 the reserve variables.
    std::deque<std::deque<std::int32_t>> variableSets;
    std::vector<std::string> stringVariables;
    // 100 number slots per common event; never grown by the accessors.
    std::deque<std::deque<std::int32_t>> commonNumbers;
    // The five text slots 5 to 9 per common event.
    std::vector<std::vector<std::string>> commonStrings;

    static constexpr int kCommonNumberSlots = 100;
    static constexpr int kCommonStringSlots = 5;
    static constexpr int kVariableSetCount = 10;

  private:
    // The map of a numeric access below 1000000000: the override, else the current map; the
    // override is consumed.
    int TakeAccessMap();
    bool LinkedToLiveInterpreter() const;
};

extern VariableStore TheVariableStore;

}  // namespace game
