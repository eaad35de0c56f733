#include "platform/window_icon.h"

#include <cstdint>

namespace platform {
namespace {

constexpr int kProgramIconId = 101;
constexpr int kIconSize = 32;

constexpr std::uint32_t kClear = 0x00000000;
constexpr std::uint32_t kBackground = 0xFF203060;
constexpr std::uint32_t kRing = 0xFFE8E0C0;

// A dark disc with a light ring and a tail towards the lower right.
std::uint32_t IconPixel(int x, int y) {
    const int dx = 2 * x + 1 - kIconSize;
    const int dy = 2 * y + 1 - kIconSize;
    const int distance_squared = dx * dx + dy * dy;
    const bool in_tail = x >= 18 && y >= 18 && x - y >= -2 && x - y <= 2 && x <= 28;
    if (in_tail) {
        return kRing;
    }
    if (distance_squared > 31 * 31) {
        return kClear;
    }
    if (distance_squared >= 16 * 16 && distance_squared <= 22 * 22) {
        return kRing;
    }
    return kBackground;
}

}  // namespace

SDL_Surface* DrawWindowIcon(int icon_id) {
    if (icon_id != kProgramIconId) {
        return nullptr;
    }
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormat(0, kIconSize, kIconSize, 32, SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr) {
        return nullptr;
    }
    for (int y = 0; y < kIconSize; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(icon->pixels) +
                                                     y * icon->pitch);
        for (int x = 0; x < kIconSize; ++x) {
            row[x] = IconPixel(x, y);
        }
    }
    return icon;
}

}  // namespace platform
