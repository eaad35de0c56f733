// Bytes as "Game.ini" text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/core/game_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int start = 0, soft = 0, window = 0, sound = 0, frame_skip = 0;
    game::ParseGameIniText(std::string(reinterpret_cast<const char*>(data), size), start, soft,
                           window, sound, frame_skip);
    for (int digit : {soft, window, sound, frame_skip, game::ScreenShotFlag}) {
        if (digit < 0 || digit > 9)
            std::abort();
    }
    return 0;
}
