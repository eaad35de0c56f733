// Bytes as "BasicData\CommonEvent.dat": the list changes only when the file was read whole.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/core/common_event.h"
#include "game/core/common_event_files.h"
#include "game/core/system_message_box.h"

namespace {

game::MessageBoxResult Silent(std::string_view, std::string_view, game::MessageBoxButtons) {
    return game::MessageBoxResult::kOk;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    game::SetMessageBoxSink(&Silent);
    game::CommonEventList list;
    const auto result = game::ParseCommonEventData({data, size}, list);
    if (result == game::CommonEventDataResult::kDamaged && list.events.size() != 10)
        std::abort();
    for (const game::CommonEvent& event : list.events) {
        if (event.commands.empty() || event.commands.back().args.empty())
            std::abort();
    }
    return 0;
}
