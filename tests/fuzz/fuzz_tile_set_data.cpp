// Bytes as "BasicData\TileSetData.dat": read whole or refused, never past the image.
#include <cstdint>
#include <string_view>
#include <vector>

#include "game/core/error_box.h"
#include "game/core/exit_program.h"
#include "game/core/system_message_box.h"
#include "game/map/tile_set.h"

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
    game::TileSetList list;
    try {
        list.ReadTileSetImage(std::vector<std::uint8_t>(data, data + size));
    } catch (const ProgramEnded&) {
    }
    return 0;
}
