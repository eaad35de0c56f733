#pragma once

#include "layer/softrender/blit_kernel.h"

namespace layer::blit {

// The decisions of one draw that choose its loop.
struct RowChoice {
    bool wide = false;
    Source source = Source::Direct;
    int mode = BlendNone;  // after the gates
    bool blend = false;
    bool bright = false;
    bool trans = false;
    int mmx = 0;
    int p = 0;
};

// The loop that draws a row under `choice` on `route`, shortcuts included.
RowFunction SelectRow(Route route, const RowChoice& choice);

// The general loops of each route, by GeneralRowIndex.
constexpr int kGeneralRowCount = 2 * 3 * 7 * 2 * 2 * 2;
constexpr int kModes[7] = {BlendNone,     BlendTranslucent,    BlendAdditive,     BlendSubtractive,
                           BlendMultiply, BlendInvertedSource, BlendMultiplyFaded};

constexpr int ModeIndex(int mode) {
    for (int i = 0; i < 7; ++i) {
        if (kModes[i] == mode) {
            return i;
        }
    }
    return 0;
}

constexpr int GeneralRowIndex(const RowChoice& c) {
    return ((((((c.wide ? 1 : 0) * 3 + static_cast<int>(c.source)) * 7 + ModeIndex(c.mode)) * 2 +
              (c.blend ? 1 : 0)) *
                 2 +
             (c.bright ? 1 : 0)) *
                2 +
            (c.trans ? 1 : 0));
}

constexpr Kind GeneralKind(Route route, int index) {
    const bool run = route == Route::RunOpaque || route == Route::RunTranslucent;
    return Kind{index / 168 != 0,
                static_cast<Source>(index / 56 % 3),
                kModes[index / 8 % 7],
                index / 4 % 2 != 0,
                index / 2 % 2 != 0,
                !run && index % 2 != 0,
                route};
}

RowFunction PlainRow(int index);
RowFunction ScaledRow(int index);
RowFunction RunOpaqueRow(int index);
RowFunction RunTranslucentRow(int index);

// Shortcut loops of plain sources (no alpha, no blend image, bright colour off).
RowFunction HalvingRow(bool wide, Source source, bool trans);
RowFunction Mix64Row(Source source, bool trans);
RowFunction FullStrengthRow32(bool add, bool mmx, Source source, bool trans);
RowFunction PairRow16(bool add, Source source, bool trans);

}  // namespace layer::blit
