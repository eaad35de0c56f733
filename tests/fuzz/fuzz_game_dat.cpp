// Bytes as a "Game.dat" image: a damaged file is reported as such and never read outside.
#include <cstdint>
#include <cstdlib>

#include "game/core/game_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    game::GameInfo info;
    game::ParseGameInfo(info, {data, size});
    if (info.gameFlags.size() < 18 || info.gameStrings.size() < 8 || info.gameFlags[3] != 1)
        std::abort();
    return 0;
}
