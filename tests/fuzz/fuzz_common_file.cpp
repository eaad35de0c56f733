// Bytes as a ".common" file appended to a list of twelve: -1 leaves the list as it was.
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
    list.Resize(12);
    const int count = game::ParseCommonEventFile({data, size}, list, 12, true);
    if (count < 0 ? list.events.size() != 12 : list.events.size() != 12u + count)
        std::abort();
    return 0;
}
