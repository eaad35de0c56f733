#pragma once

#include <cstdint>
#include <string>

#include "game/core/event_records.h"

namespace game {

// A command line may end before its trailing arguments: every handler reads them through
// these, which give 0 and "" for what the line does not have.
inline std::int32_t Arg(const EventCommand& line, std::size_t index) {
    return index < line.args.size() ? line.args[index] : 0;
}

inline const std::string& Str(const EventCommand& line, std::size_t index) {
    static const std::string kNone;
    return index < line.strings.size() ? line.strings[index] : kNone;
}

// The prepared entries of the load-time pre-pass, read the same way; a missing cell reads 0.
inline std::int32_t PreparedInt(const EventCommand& line, std::size_t index) {
    return index < line.preparedInts.size() ? line.preparedInts[index] : 0;
}

inline std::int32_t* PreparedCell(const EventCommand& line, std::size_t index) {
    return index < line.preparedPointers.size() ? line.preparedPointers[index] : nullptr;
}

}  // namespace game
