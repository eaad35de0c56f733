#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace game {

class CommonEventList;
class DataFileBuffer;
struct CommonEvent;

// Reads one common-event record of any layout (first section tag 0x8E to 0x91) into an
// existing common event. An unknown section tag shows the version message and reading goes
// on by the layout rules. False when the record is damaged.
bool ReadCommonEvent(DataFileBuffer& cursor, CommonEvent& event);

enum class CommonEventDataResult { kLoaded, kBadTag, kDamaged };

// Parses a "BasicData\CommonEvent.dat" image. kLoaded and kBadTag on the closing tag replace
// the list with the records read; a bad opening tag leaves the list; a damaged image (a bad
// field, count or check) leaves it too.
CommonEventDataResult ParseCommonEventData(std::span<const std::uint8_t> file,
                                           CommonEventList& list);

// Loads "Data\" + name into list. A missing file shows its message box and gives false with
// the list untouched; a damaged file is reported and ends the program.
bool LoadCommonEventData(CommonEventList& list, const std::string& name);

// Parses a ".common" image: the record count, or -1 for a wrong magic or a damaged file
// (the list then stays as it was). The list grows to first + count; with readRecords the
// records land at first onward, numbered by their index.
int ParseCommonEventFile(std::span<const std::uint8_t> file, CommonEventList& list, int first,
                         bool readRecords);

// Loads a ".common" file found by path (archives included); -1 when it cannot be opened.
int LoadCommonEventFile(CommonEventList& list, const std::string& path, int first,
                        bool readRecords);

}  // namespace game
