#include "layer/softrender/blend_tables.h"

#include <algorithm>

namespace layer {

std::int32_t BlendProduct[256 * 256];
std::int32_t BlendDifference[256 * 512];
std::uint8_t BlendMix64[64 * 64 * 64];
std::uint8_t BlendWeight[256];

int BuildBlendTables() {
    for (int p = 0; p < 256; ++p) {
        for (int j = 1; j < 512; ++j) {
            BlendDifference[p * 512 + j] = p * (j - 256) / 255;
        }
    }
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            BlendProduct[a * 256 + b] = a * b / 255;
        }
    }
    for (int j = 0; j < 64; ++j) {
        for (int s = 0; s < 64; ++s) {
            for (int d = 0; d < 64; ++d) {
                BlendMix64[j * 4096 + s * 64 + d] =
                    static_cast<std::uint8_t>((s * j + d * (63 - j)) / 63);
            }
        }
    }
    return 0;
}

void BuildBlendGraphWeightTable(int parameter, int range) {
    const int r = range + 1;
    const int k = parameter * (65536 / r + 256) / 256;
    for (int i = 0; i < 256; ++i) {
        BlendWeight[i] = static_cast<std::uint8_t>(std::clamp(i * 256 / r + 256 - k, 0, 255));
    }
}

}  // namespace layer
