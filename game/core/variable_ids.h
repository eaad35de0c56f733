#pragma once

#include <cstdint>

namespace game {

// What a variable ID names. Every game value an event can read or write has one signed
// 32-bit ID; the ranges are tested in this order and the first that holds wins.
enum class VariableIdKind {
    kLiteral,             // below 1000000: the number itself
    kMapEventSelf,        // 1000000 to 1499999
    kRetiredCommonSelf,   // 1500000 to 1599999: refused
    kVariable,            // 2000000 to 2999999: set (ID - 2000000) / 100000, index ID % 100000
    kStringVariable,      // 3000000 to 3999999
    kRandom,              // 8000000 to 8999999: a number from 0 to ID % 8000000
    kSystemVariable,      // 9000000 to 9099999
    kMapEventData,        // 9100000 to 9179999
    kPartyData,           // 9180000 to 9189999: member 0 the hero
    kSystemString,        // 9900000 to 9999999
    kCommonSelf,          // 15000000 to 15999999: slots 5 to 9 hold texts
    kUserDataBase,        // 1000000000 to 1099999999
    kChangeableDataBase,  // 1100000000 to 1199999999
    kSystemDataBase,      // 1300000000 to 1399999999
    kUnassigned,
};

VariableIdKind ClassifyVariableId(std::int32_t id);

// The database fields of a database ID: type, data and content.
struct DataBaseAddress {
    int type = 0;
    int data = 0;
    int content = 0;
};
DataBaseAddress DecodeDataBaseId(std::int32_t id);

// The self-variable slots of a common event that hold texts.
constexpr bool IsCommonStringSlot(int slot) {
    return slot >= 5 && slot <= 9;
}

// True when the ID holds a number, false when it holds a text.
bool IsNumberVariableId(std::int32_t id);

// The ID of slot `slot` of owner `owner` (an event number) in a range of `stride` IDs per
// owner from `base`. Owner numbers come from files and may be anything: the sum wraps like the
// game's 32-bit ints instead of overflowing.
constexpr std::int32_t OwnedVariableId(std::int32_t base, std::int32_t owner, std::int32_t stride,
                                       std::int32_t slot) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(base) +
                                     static_cast<std::uint32_t>(owner) *
                                         static_cast<std::uint32_t>(stride) +
                                     static_cast<std::uint32_t>(slot));
}

}  // namespace game
