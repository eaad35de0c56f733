#pragma once

// Builds the table of general loops of one route; included by one source file per route so
// that the routes compile in parallel.

#include <array>
#include <cstring>
#include <utility>

#include "layer/softrender/blit_rows.h"
#include "layer/softrender/blit_simd.h"

namespace layer::blit {

template <Kind K>
void DrawRow(std::uint8_t* dst, const std::uint8_t* src, const std::uint8_t* blend, int count,
             const Context& ctx) {
    constexpr bool kPlainSource =
        !K.blend && !K.bright && !K.trans && (K.route == Route::Plain || K.route == Route::Scaled);
    // A run of opaque pixels draws as a source without alpha does, its alpha byte aside.
    constexpr bool kOpaqueRun =
        !K.blend && !K.bright && K.route == Route::RunOpaque && K.source != Source::Palette;
    constexpr bool kColourSource =
        (kPlainSource && K.source == Source::Direct) || (kOpaqueRun && K.wide);
    int done = 0;
    if constexpr (K.mode == BlendNone &&
                  ((kPlainSource || kOpaqueRun) && K.source == Source::Direct)) {
        std::memcpy(dst, src, static_cast<std::size_t>(count) * (K.wide ? 4 : 2));
        return;
    } else if constexpr (K.mode == BlendNone && K.source == Source::Alpha && K.wide &&
                         ((kPlainSource && K.route == Route::Plain) || kOpaqueRun)) {
        std::memcpy(dst, src, static_cast<std::size_t>(count) * 4);
        return;
    } else if constexpr (kColourSource && K.wide && K.mode == BlendTranslucent) {
        done = MixRow32Simd(dst, src, count, ctx.p);
    } else if constexpr (kColourSource && K.wide && K.mode == BlendAdditive) {
        done = AddProductRow32Simd(dst, src, count, ctx.p);
    } else if constexpr (K.wide && K.source == Source::Alpha && K.mode == BlendTranslucent &&
                         !K.blend && !K.bright && K.route != Route::RunOpaque) {
        // Alpha 255 mixes by the parameter alone where the loop tests alpha.
        done = AlphaMixRow32Simd<K.trans>(dst, src, count, ctx.p);
    }
    constexpr int kSourceBytes = SourceBytes(K.wide, K.source);
    constexpr int kDestinationBytes = K.wide ? 4 : 2;
    DrawPixels<K>(dst + done * kDestinationBytes, src + done * kSourceBytes,
                  K.blend ? blend + done : blend, count - done, ctx);
}

template <Route R, std::size_t... I>
constexpr std::array<RowFunction, sizeof...(I)> MakeGeneralRows(std::index_sequence<I...>) {
    return {{&DrawRow<GeneralKind(R, static_cast<int>(I))>...}};
}

template <Route R>
RowFunction GeneralRow(int index) {
    static constexpr auto kRows = MakeGeneralRows<R>(std::make_index_sequence<kGeneralRowCount>{});
    return kRows[index];
}

}  // namespace layer::blit
