// Loops of the parameter shortcuts, taken only for sources without alpha, without a blend
// image and with the bright colour off.
#include <array>

#include "layer/softrender/blit_rows.h"
#include "layer/softrender/blit_simd.h"

namespace layer::blit {

namespace {

// The colour of source pixel i, or false when the transparency test skips it.
template <bool Wide, Source S, bool Trans>
inline bool ReadColour(const std::uint8_t* src, int i, const Context& ctx, std::uint32_t* colour) {
    std::uint32_t raw;
    if constexpr (S == Source::Palette) {
        raw = src[i];
        *colour = Wide ? Load32(ctx.palette + raw * 4) : Load16(ctx.palette + raw * 2);
    } else {
        raw = Wide ? Load32(src + i * 4) : Load16(src + i * 2);
        *colour = raw;
    }
    if constexpr (Trans) {
        return raw != ctx.trans_color;
    }
    return true;
}

template <bool Wide, Source S, bool Trans, typename Op>
inline void EachPixel(std::uint8_t* dst, const std::uint8_t* src, int begin, int count,
                      const Context& ctx, Op op) {
    for (int i = begin; i < count; ++i) {
        std::uint32_t colour;
        if (!ReadColour<Wide, S, Trans>(src, i, ctx, &colour)) {
            continue;
        }
        if constexpr (Wide) {
            Store32(dst + i * 4, op(Load32(dst + i * 4), colour));
        } else {
            Store16(dst + i * 2, op(Load16(dst + i * 2), colour));
        }
    }
}

template <bool Wide, Source S, bool Trans>
void Halving(std::uint8_t* dst, const std::uint8_t* src, const std::uint8_t*, int count,
             const Context& ctx) {
    int done = 0;
    if constexpr (Wide && S == Source::Direct && !Trans) {
        done = HalveRow32Avx2(dst, src, count);
    }
    EachPixel<Wide, S, Trans>(dst, src, done, count, ctx, [](std::uint32_t d, std::uint32_t s) {
        return Wide ? Halve32(d, s) : Halve16(d, s);
    });
}

template <Source S, bool Trans>
void Mix64(std::uint8_t* dst, const std::uint8_t* src, const std::uint8_t*, int count,
           const Context& ctx) {
    const std::uint8_t* block = ctx.mix64_j;
    EachPixel<false, S, Trans>(dst, src, 0, count, ctx, [block](std::uint32_t d, std::uint32_t s) {
        const std::uint32_t b = block[(s & 31) * 64 + (d & 31)];
        const std::uint32_t g = block[((s >> 5) & 63) * 64 + ((d >> 5) & 63)];
        const std::uint32_t r = block[((s >> 11) & 31) * 64 + ((d >> 11) & 31)];
        return b | g << 5 | r << 11;
    });
}

template <bool Add, bool Mmx, Source S, bool Trans>
void FullStrength32(std::uint8_t* dst, const std::uint8_t* src, const std::uint8_t*, int count,
                    const Context& ctx) {
    int done = 0;
    if constexpr (S == Source::Direct && !Trans) {
        if constexpr (Add && Mmx) {
            done = SaturatingAddRow32Simd(dst, src, count);
        } else if constexpr (Add) {
            done = PackedAddRow32Simd(dst, src, count);
        } else if constexpr (Mmx) {
            done = SaturatingSubRow32Simd(dst, src, count);
        }
    }
    EachPixel<true, S, Trans>(dst, src, done, count, ctx, [](std::uint32_t d, std::uint32_t s) {
        if constexpr (Add) {
            return Mmx ? SaturatingAdd8x4(d, s) : PackedAdd32(d, s);
        } else {
            return Mmx ? SaturatingSub8x4(d, s) : PackedSub32(d, s);
        }
    });
}

// Two pixels per word from the row's first pixel; a pixel whose partner is transparent, and
// an odd last pixel, alone without the low-bit restore.
template <bool Add, Source S, bool Trans>
void Pairs16(std::uint8_t* dst, const std::uint8_t* src, const std::uint8_t*, int count,
             const Context& ctx) {
    auto single = [](std::uint32_t d, std::uint32_t s) {
        return Add ? PackedAdd16(d, s) : PackedSub16(d, s);
    };
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        std::uint32_t first;
        std::uint32_t second;
        const bool has_first = ReadColour<false, S, Trans>(src, i, ctx, &first);
        const bool has_second = ReadColour<false, S, Trans>(src, i + 1, ctx, &second);
        std::uint8_t* d = dst + i * 2;
        if (has_first && has_second) {
            const std::uint32_t pair = Load32(d);
            const std::uint32_t s = first | second << 16;
            Store32(d, Add ? PackedAdd16x2(pair, s) : PackedSub16x2(pair, s));
        } else if (has_first) {
            Store16(d, single(Load16(d), first));
        } else if (has_second) {
            Store16(d + 2, single(Load16(d + 2), second));
        }
    }
    EachPixel<false, S, Trans>(dst, src, i, count, ctx, single);
}

}  // namespace

RowFunction HalvingRow(bool wide, Source source, bool trans) {
    static constexpr RowFunction kRows[2][2][2] = {
        {{&Halving<false, Source::Direct, false>, &Halving<false, Source::Direct, true>},
         {&Halving<false, Source::Palette, false>, &Halving<false, Source::Palette, true>}},
        {{&Halving<true, Source::Direct, false>, &Halving<true, Source::Direct, true>},
         {&Halving<true, Source::Palette, false>, &Halving<true, Source::Palette, true>}}};
    return kRows[wide][source == Source::Palette][trans];
}

RowFunction Mix64Row(Source source, bool trans) {
    static constexpr RowFunction kRows[2][2] = {
        {&Mix64<Source::Direct, false>, &Mix64<Source::Direct, true>},
        {&Mix64<Source::Palette, false>, &Mix64<Source::Palette, true>}};
    return kRows[source == Source::Palette][trans];
}

RowFunction FullStrengthRow32(bool add, bool mmx, Source source, bool trans) {
    static constexpr RowFunction kRows[2][2][2][2] = {
        {{{&FullStrength32<false, false, Source::Direct, false>,
           &FullStrength32<false, false, Source::Direct, true>},
          {&FullStrength32<false, false, Source::Palette, false>,
           &FullStrength32<false, false, Source::Palette, true>}},
         {{&FullStrength32<false, true, Source::Direct, false>,
           &FullStrength32<false, true, Source::Direct, true>},
          {&FullStrength32<false, true, Source::Palette, false>,
           &FullStrength32<false, true, Source::Palette, true>}}},
        {{{&FullStrength32<true, false, Source::Direct, false>,
           &FullStrength32<true, false, Source::Direct, true>},
          {&FullStrength32<true, false, Source::Palette, false>,
           &FullStrength32<true, false, Source::Palette, true>}},
         {{&FullStrength32<true, true, Source::Direct, false>,
           &FullStrength32<true, true, Source::Direct, true>},
          {&FullStrength32<true, true, Source::Palette, false>,
           &FullStrength32<true, true, Source::Palette, true>}}}};
    return kRows[add][mmx][source == Source::Palette][trans];
}

RowFunction PairRow16(bool add, Source source, bool trans) {
    static constexpr RowFunction kRows[2][2][2] = {
        {{&Pairs16<false, Source::Direct, false>, &Pairs16<false, Source::Direct, true>},
         {&Pairs16<false, Source::Palette, false>, &Pairs16<false, Source::Palette, true>}},
        {{&Pairs16<true, Source::Direct, false>, &Pairs16<true, Source::Direct, true>},
         {&Pairs16<true, Source::Palette, false>, &Pairs16<true, Source::Palette, true>}}};
    return kRows[add][source == Source::Palette][trans];
}

}  // namespace layer::blit
