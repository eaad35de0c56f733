// Bytes as a map file: read whole or refused; a check sum that does not match ends the
// program through the one exit function, which here throws instead.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "game/core/error_box.h"
#include "game/core/exit_program.h"
#include "game/core/system_message_box.h"
#include "game/map/map_data.h"

namespace {

struct ProgramEnded {};

game::MessageBoxResult Silent(std::string_view, std::string_view, game::MessageBoxButtons) {
    return game::MessageBoxResult::kOk;
}
void SilentError(std::string_view, std::string_view, std::string_view) {}
void Throw(int) {
    throw ProgramEnded{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    game::SetMessageBoxSink(&Silent);
    game::SetErrorBoxSink(&SilentError);
    game::SetExitHandler(&Throw);
    game::MapData map;
    try {
        if (map.ReadMapImage(std::vector<std::uint8_t>(data, data + size), "fuzz.mps")) {
            for (const auto& layer : map.tileLayers) {
                if (layer.size() != static_cast<std::size_t>(map.header.width))
                    std::abort();
            }
            for (std::size_t i = 1; i < map.events.size(); ++i) {
                if (map.events[i - 1].eventId > map.events[i].eventId)
                    std::abort();
            }
        }
    } catch (const ProgramEnded&) {
    }
    return 0;
}
