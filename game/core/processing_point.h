#pragma once

#include <string>

namespace game {

// The command being run, kept current by the event interpreter for error reports.
struct ProcessingPoint {
    int mapEvent = 0;
    int commonEvent = 0;
    int line = 0;
};

extern ProcessingPoint TheProcessingPoint;

// The second line of most error reports: where the failing command stands.
std::string GetProcessingPointText();

}  // namespace game
