#include "layer/media/edge_mask.h"

#include <cstdint>

namespace layer {
namespace {

// Edge sizes 2 to 4, each in the top-left (2e + 1) x (2e + 1) corner of a 9 x 9 grid; rows
// from -e above to +e below, columns from -e left to +e right.
constexpr std::uint8_t kEdgeMaskTable[3][9][9] = {
    {
        {0, 1, 1, 1, 0},
        {1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1},
        {0, 1, 1, 1, 0},
    },
    {
        {0, 0, 0, 1, 0, 0, 0},
        {0, 1, 1, 1, 1, 1, 0},
        {0, 1, 1, 1, 1, 1, 0},
        {1, 1, 1, 1, 1, 1, 1},
        {0, 1, 1, 1, 1, 1, 0},
        {0, 1, 1, 1, 1, 1, 0},
        {0, 0, 0, 1, 0, 0, 0},
    },
    {
        {0, 0, 1, 1, 1, 1, 1, 0, 0},
        {0, 1, 1, 1, 1, 1, 1, 1, 0},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {0, 1, 1, 1, 1, 1, 1, 1, 0},
        {0, 0, 1, 1, 1, 1, 1, 0, 0},
    },
};

constexpr EdgeOffset kNeighbours[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};

}  // namespace

std::vector<EdgeOffset> EdgeShape(int edge_size) {
    if (edge_size <= 0) {
        return {};
    }
    if (edge_size == 1) {
        return {std::begin(kNeighbours), std::end(kNeighbours)};
    }
    std::vector<EdgeOffset> offsets;
    for (int dy = -edge_size; dy <= edge_size; ++dy) {
        for (int dx = -edge_size; dx <= edge_size; ++dx) {
            if (edge_size > 4 ||
                kEdgeMaskTable[edge_size - 2][dy + edge_size][dx + edge_size] != 0) {
                offsets.push_back({dx, dy});
            }
        }
    }
    return offsets;
}

}  // namespace layer
