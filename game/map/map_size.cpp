#include "game/map/map_size.h"

namespace game {

bool StoredMapSizeFits(std::int32_t width, std::int32_t height, std::uint64_t bytesLeft) {
    if (width < 1 || height < 1 || width > kMaxMapSide || height > kMaxMapSide)
        return false;
    const std::uint64_t tiles =
        std::uint64_t{3} * static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    return tiles <= bytesLeft / 4;
}

}  // namespace game
