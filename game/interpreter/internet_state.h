#pragma once

#include <array>

namespace game {

// What the internet command keeps between its steps.
struct InternetState {
    // -1 until the first internet command, 0 after it.
    int status = -1;
    // Five counters the game can read; nothing changes them.
    std::array<int, 5> counters{};
};

extern InternetState TheInternetState;

}  // namespace game
