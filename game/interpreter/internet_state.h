#pragma once

namespace game {

// What the internet command keeps between its steps.
struct InternetState {
    int status = -1;
};

}  // namespace game
