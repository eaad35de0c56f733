// The run of a span's pixels inside the texture, found once per span, against the per-pixel
// range test it stands for: over random spans, spans crossing the texture's edges and spans
// whose coordinates wrap past 32 bits (those must refuse, or still agree).
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "layer/softrender/fixed_point.h"
#include "layer/softrender/textured_inside_run.h"

namespace {

struct Span {
    int count;
    std::uint32_t u;
    std::uint32_t v;
    std::uint32_t du;
    std::uint32_t dv;
    std::uint32_t width;
    std::uint32_t height;
};

// Every pixel the per-pixel test passes lies in the run and every pixel of the run passes it.
void ExpectRunMatchesPixels(const Span& span) {
    layer::TexelRun run;
    if (!layer::FindTexelRun(span.count, span.u, span.v, span.du, span.dv, span.width, span.height,
                             &run)) {
        return;
    }
    std::uint32_t u = span.u;
    std::uint32_t v = span.v;
    for (int i = 0; i < span.count; ++i, u += span.du, v += span.dv) {
        const bool inside = u < span.width && v < span.height;
        ASSERT_EQ(inside, i >= run.first && i < run.end)
            << "pixel " << i << " of " << span.count << " u " << span.u << " v " << span.v << " du "
            << span.du << " dv " << span.dv;
    }
}

TEST(TexelRun, AgreesWithThePerPixelTest) {
    std::mt19937 rng(7);
    const auto pick = [&](std::uint32_t low, std::uint32_t high) {
        return low + static_cast<std::uint32_t>(rng() % (high - low + 1));
    };
    int found = 0;
    for (int n = 0; n < 20000; ++n) {
        Span span;
        span.count = static_cast<int>(pick(1, 300));
        span.width = pick(1, 40) * layer::kFixedOne;
        span.height = pick(1, 40) * layer::kFixedOne;
        // Positions near the texture, steps of up to two texels either way, and now and then
        // a whole-range value so some spans wrap.
        const auto position = [&] {
            return n % 7 == 0
                       ? static_cast<std::uint32_t>(rng())
                       : static_cast<std::uint32_t>(static_cast<std::int32_t>(pick(0, 120)) - 60) *
                             (layer::kFixedOne / 2);
        };
        const auto stride = [&] {
            return n % 5 == 0 ? 0u
                              : static_cast<std::uint32_t>(
                                    static_cast<std::int32_t>(pick(0, 2 * 524288)) - 524288);
        };
        span.u = position();
        span.v = position();
        span.du = stride();
        span.dv = n % 11 == 0 ? static_cast<std::uint32_t>(rng()) : stride();
        layer::TexelRun run;
        found += layer::FindTexelRun(span.count, span.u, span.v, span.du, span.dv, span.width,
                                     span.height, &run);
        ExpectRunMatchesPixels(span);
    }
    // Most spans stay in range, so the run is found and checked for them.
    EXPECT_GT(found, 15000);
}

TEST(TexelRun, EdgesAndWrapsAgree) {
    const std::uint32_t one = layer::kFixedOne;
    const Span spans[] = {
        {10, 0, 0, one, 0, 4 * one, one},                       // leaves at the right edge
        {10, 4 * one - 1, 0, ~0u, 0, 4 * one, one},             // walks left out past zero
        {10, ~0u, 0, 1, 0, 4 * one, one},                       // enters from just below zero
        {10, 0, one - 1, 0, 1, 4 * one, one},                   // leaves at the bottom edge
        {4, 0x7FFFFFF0u, 0, 0x10u, 0, 8191 * one, one},         // passes the signed limit
        {4, 0, 0, 0x7FFFFFFFu, 0, 8191 * one, one},             // huge step
        {3, 0x80000000u, 0, 0x80000000u, 0, 0x80000000u, one},  // limit at 2^31
        {1, 5 * one, 0, 0, 0, 4 * one, one},                    // one pixel outside
    };
    for (const Span& span : spans) {
        ExpectRunMatchesPixels(span);
    }
}

}  // namespace
