// Random, huge, degenerate and non-finite geometry: nothing is written outside the
// destination and nothing misbehaves (run under the sanitizers).
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "layer/softrender/box_fill.h"
#include "layer/softrender/line_draw.h"
#include "layer/softrender/quad_draw.h"
#include "layer/softrender/rotated_blit.h"
#include "layer/softrender/triangle_raster.h"
#include "tests/layer/softrender/poly_test_image.h"

namespace {

using polytest::GuardedImage;

// Mostly small coordinates, sometimes at the edges of the fixed-point range or of int.
std::int32_t Coordinate(std::mt19937& rng) {
    const std::int32_t extremes[] = {std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max(),
                                     -8193,
                                     -8192,
                                     8191,
                                     8192,
                                     -1,
                                     0};
    switch (rng() % 4) {
        case 0:
            return extremes[rng() % 8];
        case 1:
            return static_cast<std::int32_t>(rng());
        default:
            return static_cast<std::int32_t>(rng() % 60) - 20;
    }
}

float Real(std::mt19937& rng) {
    const float specials[] = {std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              0.0f,
                              1e-30f,
                              1e30f,
                              -1e-4f,
                              std::numeric_limits<float>::max()};
    if (rng() % 3 == 0) {
        return specials[rng() % 8];
    }
    return static_cast<float>(static_cast<std::int32_t>(rng() % 20001) - 10000) / 1000.0f;
}

TEST(RandomGeometry, StaysInsideTheDestination) {
    std::mt19937 rng(99);
    GuardedImage source(9, 7, 1);
    GuardedImage blend(9, 7, 2);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
            source.Set(x, y, static_cast<std::uint32_t>(rng()));
            blend.Set(x, y, static_cast<std::uint32_t>(rng() & 0xFF));
        }
    }
    for (int round = 0; round < 3000; ++round) {
        GuardedImage dest(24, 20, 1);
        layer::SoftDrawState state = polytest::State(rng() % 2 ? 1 : 2, 128, 0x80FF40);
        // The draw area may reach past the destination; the renderers keep to the image.
        state.draw_area = {
            static_cast<std::int32_t>(rng() % 40) - 10, static_cast<std::int32_t>(rng() % 40) - 10,
            static_cast<std::int32_t>(rng() % 60) - 10, static_cast<std::int32_t>(rng() % 60) - 10};
        const layer::MEMIMG* blend_image = rng() % 2 ? blend.image() : nullptr;
        switch (round % 5) {
            case 0: {
                layer::MemImgVertex v[3];
                for (auto& vertex : v) {
                    vertex = {Coordinate(rng), Coordinate(rng), Coordinate(rng), Coordinate(rng)};
                }
                layer::RenderMemImgTriangle(dest.image(), rng() % 2 ? source.image() : nullptr, v,
                                            1, blend_image, static_cast<std::uint32_t>(rng()),
                                            state);
                break;
            }
            case 1: {
                layer::MemImgPoint p[4];
                for (auto& point : p) {
                    point = {Coordinate(rng), Coordinate(rng)};
                }
                layer::RenderMemImgQuad(dest.image(), source.image(), p, 0, blend_image, state);
                break;
            }
            case 2: {
                const int cx = Coordinate(rng);
                const int cy = Coordinate(rng);
                const float angle = Real(rng);
                const float scale = Real(rng);
                layer::RenderMemImgRotated(dest.image(), source.image(), cx, cy, angle, scale, 1,
                                           static_cast<int>(rng() % 2), blend_image, state);
                break;
            }
            case 3: {
                const layer::Rect rect{Coordinate(rng), Coordinate(rng), Coordinate(rng),
                                       Coordinate(rng)};
                layer::RenderMemImgBox(dest.image(), &rect, static_cast<std::uint32_t>(rng()),
                                       state);
                break;
            }
            case 4: {
                const int x1 = Coordinate(rng);
                const int y1 = Coordinate(rng);
                const int x2 = Coordinate(rng);
                const int y2 = Coordinate(rng);
                layer::RenderMemImgLine(dest.image(), x1, y1, x2, y2,
                                        static_cast<std::uint32_t>(rng()), state);
                break;
            }
        }
        ASSERT_TRUE(dest.GuardIntact()) << "round " << round;
    }
}

}  // namespace
