#include "game/core/common_event.h"

#include <algorithm>

namespace game {

CommonEventList CommonEvents;
std::map<std::string, int> CommonFileIndex;
std::map<std::string, int> CommonEventNames;

CommonEvent::CommonEvent() {
    InsertCommand(0);
}

void CommonEvent::InsertCommand(int position) {
    const int at = std::clamp(position, 0, static_cast<int>(commands.size()));
    commands.insert(commands.begin() + at, EventCommand{});
}

CommonEventList::CommonEventList() {
    Resize(10);
}

void CommonEventList::Resize(std::size_t n) {
    events.resize(n);
    for (std::size_t i = 0; i < events.size(); ++i)
        events[i].number = static_cast<std::int32_t>(i);
}

}  // namespace game
