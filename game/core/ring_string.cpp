#include "game/core/ring_string.h"

#include <array>
#include <cstdio>

namespace game {
namespace {

std::array<std::array<char, 256>, 10> ring{};
int ring_index = 0;

}  // namespace

const char* IntToRingString(int n) {
    ring_index = (ring_index + 1) % static_cast<int>(ring.size());
    auto& buffer = ring[static_cast<std::size_t>(ring_index)];
    std::snprintf(buffer.data(), buffer.size(), "%d", n);
    return buffer.data();
}

}  // namespace game
