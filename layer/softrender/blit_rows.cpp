#include "layer/softrender/blit_rows.h"

namespace layer::blit {

namespace {

RowFunction ShortcutRow(Route route, const RowChoice& c) {
    const bool plain_source = c.source != Source::Alpha && !c.blend && !c.bright;
    if (!plain_source) {
        return nullptr;
    }
    const bool full = c.p == 255 && (c.mode == BlendAdditive || c.mode == BlendSubtractive);
    const bool add = c.mode == BlendAdditive;
    if (route == Route::Plain) {
        if (c.mode == BlendTranslucent && c.p == 128) {
            return HalvingRow(c.wide, c.source, c.trans);
        }
        if (c.mode == BlendTranslucent && !c.wide) {
            return Mix64Row(c.source, c.trans);
        }
        if (full) {
            return c.wide ? FullStrengthRow32(add, c.mmx == 1, c.source, c.trans)
                          : PairRow16(add, c.source, c.trans);
        }
    }
    if (route == Route::Scaled && full && !add && c.wide) {
        return FullStrengthRow32(false, c.mmx == 1, c.source, c.trans);
    }
    return nullptr;
}

}  // namespace

RowFunction SelectRow(Route route, const RowChoice& choice) {
    if (RowFunction shortcut = ShortcutRow(route, choice)) {
        return shortcut;
    }
    const int index = GeneralRowIndex(choice);
    switch (route) {
        case Route::Plain:
            return PlainRow(index);
        case Route::Scaled:
            return ScaledRow(index);
        case Route::RunOpaque:
            return RunOpaqueRow(index);
        case Route::RunTranslucent:
            return RunTranslucentRow(index);
    }
    return nullptr;
}

}  // namespace layer::blit
