#pragma once

// The per-pixel rule of the software blits as loops specialised at compile time: every
// decision that does not depend on the pixel (colour type, source kind, blend mode, blend
// image, bright colour, transparency flag, route) is a template argument, so a loop tests at
// most the pixel's own transparency or alpha.

#include <cstdint>
#include <cstring>
#include <utility>

#include "layer/softrender/blend_tables.h"
#include "layer/softrender/draw_state.h"
#include "layer/softrender/packed_ops.h"

namespace layer::blit {

enum class Source : std::uint8_t { Direct, Alpha, Palette };

// Plain: the plain blit's general path. Scaled: the scaled blit, whose rule differs in a few
// cases. RunOpaque, RunTranslucent: runs of class 1 and 2 of a run table, which replace the
// transparency and alpha tests.
enum class Route : std::uint8_t { Plain, Scaled, RunOpaque, RunTranslucent };

struct Kind {
    bool wide;  // colour type 1 (32-bit); else colour type 0 (R5G6B5)
    Source source;
    int mode;  // a BlendMode code, after the gates (translucent at 255 is BlendNone)
    bool blend;
    bool bright;
    bool trans;
    Route route;
};

// What a loop reads besides the pixels, fixed for the whole draw.
struct Context {
    const std::int32_t* product_p;     // product row of the parameter
    const std::int32_t* difference_p;  // difference row of the parameter, at its centre
    const std::uint8_t* mix64_j;       // mix64 block of parameter / 4
    const std::int32_t* bright_rows[3];
    const std::uint8_t* palette;  // the source body's Palette
    std::uint32_t trans_color;
    std::int32_t p;
};

// Draws `count` destination pixels from `count` source pixels (and blend-image bytes).
using RowFunction = void (*)(std::uint8_t* dst, const std::uint8_t* src, const std::uint8_t* blend,
                             int count, const Context& context);

inline std::uint32_t Load32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline std::uint32_t Load16(const std::uint8_t* p) {
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
inline void Store32(std::uint8_t* p, std::uint32_t v) {
    std::memcpy(p, &v, 4);
}
inline void Store16(std::uint8_t* p, std::uint32_t v) {
    const auto narrow = static_cast<std::uint16_t>(v);
    std::memcpy(p, &narrow, 2);
}

constexpr int SourceBytes(bool wide, Source source) {
    if (source == Source::Palette) {
        return 1;
    }
    return wide || source == Source::Alpha ? 4 : 2;
}

// Channel layout: 0 blue, 1 green, 2 red.
template <bool Wide>
struct Layout {
    static constexpr int kShift[3] = {0, 8, 16};
    static constexpr int kMask[3] = {255, 255, 255};
    static constexpr int kWidth[3] = {8, 8, 8};
};
template <>
struct Layout<false> {
    static constexpr int kShift[3] = {0, 5, 11};
    static constexpr int kMask[3] = {31, 63, 31};
    static constexpr int kWidth[3] = {5, 6, 5};
};

// d + floor((s - d) * product / 256^N), in 64-bit only where three factors could overflow.
template <int N>
inline int Mix(int d, int s, std::uint32_t product) {
    if constexpr (N >= 3) {
        return static_cast<int>(d + ((std::int64_t{s - d} * product) >> (8 * N)));
    } else {
        return d + (((s - d) * static_cast<int>(product)) >> (8 * N));
    }
}

constexpr bool SkipsAlphaZero(const Kind& k) {
    return k.mode == BlendNone || k.mode == BlendTranslucent || k.mode == BlendAdditive ||
           k.mode == BlendSubtractive || (k.route == Route::Scaled && k.mode == BlendMultiply);
}

// One channel of the blended result (for the additive and subtractive modes: the channel of
// the operand T). `raw` is the source channel before inversion and bright colour, `s` after.
template <Kind K, int N, int C>
inline int BlendChannel(int d, int raw, int s, std::uint32_t f, std::uint32_t a,
                        const Context& ctx) {
    constexpr int kWidth = Layout<K.wide>::kWidth[C];
    constexpr bool kOnlyAlpha = K.source == Source::Alpha && !K.blend && N == 1;
    if constexpr (K.mode == BlendNone) {
        return N == 0 ? s : Mix<N>(d, s, f);
    } else if constexpr (K.mode == BlendTranslucent || K.mode == BlendInvertedSource) {
        if constexpr (N == 0 && !K.wide) {
            return d + ctx.difference_p[s - d];
        } else {
            return Mix<N + 1>(d, s, f * ctx.p);
        }
    } else if constexpr (K.mode == BlendMultiplyFaded) {
        const int m = (d * s) >> kWidth;
        if constexpr (N == 0 && !K.wide) {
            return d + ctx.difference_p[m - d];
        } else if constexpr (!K.wide && C == 1 && kOnlyAlpha && !K.bright) {
            // Green keeps five fraction bits of its product here.
            const std::int64_t fraction = (s * d) >> 1;
            return static_cast<int>(
                (std::int64_t{d} * (1 << 21) + (fraction - 32 * d) * std::int64_t{a} * ctx.p) >>
                21);
        } else {
            return Mix<N + 1>(d, m, f * ctx.p);
        }
    } else if constexpr (K.mode == BlendMultiply) {
        return static_cast<int>((std::uint64_t(d) * s * f) >> (kWidth + 8 * N));
    } else if constexpr (N == 0) {
        return ctx.product_p[s];
    } else if constexpr (!K.wide && kOnlyAlpha) {
        // Alpha weighs the raw channel first; the bright colour scales the result.
        int x = static_cast<int>((raw * a) >> 8);
        if constexpr (K.bright) {
            x = ctx.bright_rows[C][x];
        }
        return ctx.product_p[x];
    } else if constexpr (K.wide) {
        return static_cast<int>((std::uint64_t(s) * f * ctx.p) >> (8 * (N + 1)));
    } else {
        return ctx.product_p[(s * f) >> (8 * N)];
    }
}

// The new destination pixel from the destination `d`, the source colour (a whole 32-bit pixel
// or a 16-bit colour word) and the factor product `f` of N factors.
template <Kind K, int N>
inline std::uint32_t Combine(std::uint32_t d, std::uint32_t colour, std::uint32_t f,
                             std::uint32_t a, const Context& ctx) {
    if constexpr (K.mode == BlendNone && N == 0 && !K.bright) {
        return colour;
    } else {
        using L = Layout<K.wide>;
        std::uint32_t source = colour;
        if constexpr (K.mode == BlendInvertedSource) {
            source = K.wide ? ~colour : (~colour & 0xFFFF);
        }
        std::uint32_t out = 0;
        [&]<int... C>(std::integer_sequence<int, C...>) {
            ((out |= static_cast<std::uint32_t>(BlendChannel<K, N, C>(
                         static_cast<int>((d >> L::kShift[C]) & L::kMask[C]),
                         static_cast<int>((colour >> L::kShift[C]) & L::kMask[C]),
                         [&] {
                             const int s = static_cast<int>((source >> L::kShift[C]) & L::kMask[C]);
                             if constexpr (K.bright) {
                                 return ctx.bright_rows[C][s];
                             } else {
                                 return s;
                             }
                         }(),
                         f, a, ctx))
                     << L::kShift[C]),
             ...);
        }
        (std::make_integer_sequence<int, 3>{});
        if constexpr (K.mode == BlendAdditive) {
            return K.wide ? PackedAdd32Restore(d, out) : PackedAdd16Restore(d, out);
        } else if constexpr (K.mode == BlendSubtractive) {
            return K.wide ? PackedSub32(d, out) : PackedSub16(d, out);
        } else if constexpr (K.wide) {
            return out | (d & 0xFF000000);
        } else {
            return out;
        }
    }
}

template <Kind K>
inline void DrawPixel(std::uint8_t* dp, const std::uint8_t* sp, std::uint8_t blend_byte,
                      const Context& ctx) {
    constexpr int kBlendFactors = K.blend ? 1 : 0;
    std::uint32_t raw;
    std::uint32_t colour;
    std::uint32_t a = 0;
    if constexpr (K.source == Source::Palette) {
        raw = *sp;
        colour = K.wide ? Load32(ctx.palette + raw * 4) : Load16(ctx.palette + raw * 2);
    } else if constexpr (K.source == Source::Alpha) {
        raw = Load32(sp);
        colour = K.wide ? raw : (raw & 0xFFFF);
        a = K.wide ? raw >> 24 : (raw >> 16) & 0xFF;
    } else {
        raw = K.wide ? Load32(sp) : Load16(sp);
        colour = raw;
    }
    constexpr bool kTestsColour = K.trans && K.source != Source::Alpha &&
                                  (K.route == Route::Plain || K.route == Route::Scaled);
    if constexpr (kTestsColour) {
        if (raw == ctx.trans_color) {
            return;
        }
    }
    const std::uint32_t w = K.blend ? BlendWeight[blend_byte] : 1;
    const std::uint32_t d = K.wide ? Load32(dp) : Load16(dp);
    std::uint32_t out;
    if constexpr (K.source != Source::Alpha) {
        out = Combine<K, kBlendFactors>(d, colour, w, 0, ctx);
    } else if constexpr (K.route == Route::RunOpaque) {
        out = Combine<K, kBlendFactors>(d, colour, w, a, ctx);
    } else if constexpr (K.route == Route::RunTranslucent) {
        out = Combine<K, kBlendFactors + 1>(d, colour, w * a, a, ctx);
    } else if constexpr (K.trans) {
        if (a == 0) {
            if constexpr (SkipsAlphaZero(K)) {
                return;
            } else {
                out = Combine<K, kBlendFactors + 1>(d, colour, 0, 0, ctx);
            }
        } else if (a == 255) {
            out = Combine<K, kBlendFactors>(d, colour, w, a, ctx);
        } else {
            out = Combine<K, kBlendFactors + 1>(d, colour, w * a, a, ctx);
        }
    } else if constexpr (K.mode == BlendNone && !K.blend && !K.bright && K.route == Route::Plain) {
        // Copied unchanged, alpha byte included; its alpha plays no part.
        out = colour;
    } else {
        out = Combine<K, kBlendFactors + 1>(d, colour, w * a, a, ctx);
    }
    if constexpr (K.wide) {
        Store32(dp, out);
    } else {
        Store16(dp, out);
    }
}

template <Kind K>
void DrawPixels(std::uint8_t* dst, const std::uint8_t* src, const std::uint8_t* blend, int count,
                const Context& ctx) {
    constexpr int kSourceBytes = SourceBytes(K.wide, K.source);
    constexpr int kDestinationBytes = K.wide ? 4 : 2;
    for (int i = 0; i < count; ++i) {
        DrawPixel<K>(dst + i * kDestinationBytes, src + i * kSourceBytes, K.blend ? blend[i] : 0,
                     ctx);
    }
}

}  // namespace layer::blit
