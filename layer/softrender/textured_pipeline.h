#pragma once

#include <cstdint>
#include <type_traits>

#include "layer/softrender/fixed_point.h"
#include "layer/softrender/pixel_access.h"
#include "layer/softrender/texel_source.h"
#include "layer/softrender/textured_context.h"
#include "layer/softrender/textured_inside_run.h"
#include "layer/softrender/textured_span_four.h"

namespace layer {

// One textured span: the span is cut once to the pixels whose texels lie inside the texture,
// then every pixel runs the stages in order (texel fetch,
// transparency test, source alpha, bright colour, blend-image weight, store). Everything
// that does not depend on the pixel is a template argument, so the loop tests no mode, format
// or flag; the bright colour stage belongs to the store, because some stores invert or
// scale the channel before it.
template <class Source, class Store, bool kBlend, bool kWhite, bool kAlpha, bool kTrans>
void TexturedSpan(const TexturedContext& c, std::uint8_t* dest, int count, std::uint32_t u,
                  std::uint32_t v, std::uint32_t du, std::uint32_t dv) {
    using L = typename Source::Layout;
    using Word = typename L::Word;
    // Draws the pixel at dest from the texel at (u, v), which lies inside the texture.
    const auto draw_texel = [&] {
        const int column = static_cast<int>(u >> kFixedShift);
        const int row = static_cast<int>(v >> kFixedShift);
        const std::uint32_t stored = Source::template Fetch<kAlpha>(c, column, row);
        if constexpr (kTrans && !kAlpha) {
            if (stored == c.trans_colour) {
                return;
            }
        }
        std::uint32_t w = 0;
        if constexpr (kBlend) {
            w = c.weight[c.blend_pixels[row * c.blend_pitch + column]];
        }
        const std::uint32_t colour = Source::Colour(c, stored);
        const Word d = LoadPixel<Word>(dest);
        if constexpr (kAlpha) {
            const std::uint32_t a = Source::Alpha(stored);
            if constexpr (kTrans) {
                if (a == 255) {
                    StorePixel<Word>(dest,
                                     Store::template Opaque<L, kBlend, kWhite>(c, d, colour, w));
                    return;
                }
                if (Store::kSkipsAlphaZero && a == 0) {
                    return;
                }
            }
            StorePixel<Word>(dest, Store::template Alpha<L, kBlend, kWhite>(c, d, colour, a, w));
        } else {
            StorePixel<Word>(dest, Store::template Opaque<L, kBlend, kWhite>(c, d, colour, w));
        }
    };
    const auto step = [&](std::int64_t pixels) {
        dest += pixels * static_cast<std::int64_t>(sizeof(Word));
        u += static_cast<std::uint32_t>(pixels) * du;
        v += static_cast<std::uint32_t>(pixels) * dv;
    };
    TexelRun run;
    if (!FindTexelRun(count, u, v, du, dv, c.width_fixed, c.height_fixed, &run)) {
        for (; count > 0; --count, step(1)) {
            if (u < c.width_fixed && v < c.height_fixed) {
                draw_texel();
            }
        }
        return;
    }
    if (run.end <= run.first) {
        return;
    }
    step(run.first);
    auto inside = static_cast<int>(run.end - run.first);
    if constexpr (std::is_same_v<Source, SourceDirect32> && !kBlend && kWhite && !kAlpha &&
                  !kTrans && FourPixelStore<Store>::kApplies) {
        DrawFourAtATime<Store>(c, dest, inside, u, v, du, dv);
    }
    for (; inside > 0; --inside, step(1)) {
        draw_texel();
    }
}

}  // namespace layer
