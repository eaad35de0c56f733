#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "game/core/event_records.h"

namespace game {

// A shared script of the game: a numbered command list with its start condition and the
// data the editor keeps with it.
struct CommonEvent {
    CommonEvent();

    // Inserts a new command (code 0) before position, clamped to the list's length.
    void InsertCommand(int position);

    std::int32_t number = 0;  // its index in its list once loaded
    std::string name;
    // Low four bits the start kind (0 called, 1 automatic, 2 parallel while the condition
    // holds, 3 parallel always); high four bits the comparison.
    std::uint8_t trigger = 0x20;
    std::int32_t conditionVariable = 2000000;
    std::int32_t conditionValue = 0;
    std::uint8_t extraByte1 = 0;
    std::uint8_t extraByte2 = 0;
    std::vector<EventCommand> commands;
    std::vector<std::uint8_t> byteList{0};
    std::string byteListText;
    std::vector<std::string> texts = std::vector<std::string>(10);
    std::vector<std::uint8_t> kinds = std::vector<std::uint8_t>(10);
    std::vector<std::vector<std::string>> textLists = std::vector<std::vector<std::string>>(10);
    std::vector<std::vector<std::int32_t>> numberLists = std::vector<std::vector<std::int32_t>>(10);
    std::vector<std::int32_t> numbers = std::vector<std::int32_t>(5);
    std::vector<std::string> selfVariableNames = std::vector<std::string>(kSelfVariableCount);
    std::int32_t extraNumber = 0;

    static constexpr std::size_t kSelfVariableCount = 100;
};

// A list of common events. The list is a deque, which never moves its elements as it grows:
// interpreters run command lists in place, and the pre-pass keeps addresses into them, while
// ".common" files append to the same list.
class CommonEventList {
  public:
    // Ten new common events numbered 0 to 9.
    CommonEventList();

    // Appends new common events up to n or drops those from n on, then numbers every entry
    // by its index.
    void Resize(std::size_t n);

    std::deque<CommonEvent> events;
};

// The common events of the game's data files and of loaded ".common" files.
extern CommonEventList CommonEvents;
// ".common" file name as the call-by-name command writes it -> index in CommonEvents of the
// first common event loaded from it.
extern std::map<std::string, int> CommonFileIndex;
// Common event name -> number.
extern std::map<std::string, int> CommonEventNames;

}  // namespace game
