#include "game/interpreter/internet_state.h"

namespace game {

InternetState TheInternetState;

}  // namespace game
