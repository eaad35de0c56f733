#include "game/core/event_records.h"
#include "game/core/event_records_texts.h"

#include <algorithm>

namespace game {
namespace {}  // namespace

void EventPage::InsertCommand(int position) {
    const int limit = std::min(commandCount, static_cast<std::int32_t>(commands.size()));
    const int at = std::clamp(position, 0, std::max(limit, 0));
    commands.insert(commands.begin() + at, EventCommand{});
}

MapHeader::MapHeader() : name(kNoMapName) {}

}  // namespace game
