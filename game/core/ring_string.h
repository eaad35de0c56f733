#pragma once

namespace game {

// n in decimal in the next of ten buffers used in turn: a result stays valid until ten
// further calls.
const char* IntToRingString(int n);

}  // namespace game
