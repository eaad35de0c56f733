// The palette of 8-bit screens: a default table of colours from dark to light, set on the
// screens and kept across a loss of the display.
#include <algorithm>

#include "layer/core/fatal_stop.h"
#include "layer/core/window_routines.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/main_surface_texts.h"

namespace layer {
namespace {

constexpr int kPaletteSize = 256;

struct FixedEntry {
    int index;
    platform::DisplayPaletteEntry entry;
};

// Fixed points of the default table; the rest is a grey ramp from black to white.
constexpr FixedEntry kFixedEntries[] = {
    {16, {0, 0, 139, 0}},
    {82, {250, 1, 0, 0}},
    {160, {128, 128, 128, 0}},
};

void FillDefaultPalette(platform::DisplayPaletteEntry* entries) {
    for (int index = 0; index < kPaletteSize; ++index) {
        const auto level = static_cast<std::uint8_t>(index);
        entries[index] = {level, level, level, 0};
    }
    for (const FixedEntry& fixed : kFixedEntries) {
        entries[fixed.index] = fixed.entry;
    }
}

int SetPaletteOnSurface(platform::DisplaySurface* attached, void*) {
    platform::SetSurfacePalette(attached, direct_draw.palette);
    return 1;
}

}  // namespace

int CreateScreenPalette() {
    if (direct_draw.object == nullptr || direct_draw.palette != nullptr ||
        direct_draw.screen_bits != 8) {
        return 0;
    }
    FillDefaultPalette(direct_draw.palette_entries);
    if (platform::CreatePalette(direct_draw.object->display, platform::kPalette8Bit,
                                direct_draw.palette_entries,
                                &direct_draw.palette) != platform::kDisplayOk) {
        AbortWithError(kPaletteFailedText);
    }
    if (direct_draw.primary == nullptr) {
        return 0;
    }
    platform::SetSurfacePalette(direct_draw.primary, direct_draw.palette);
    if (IsWindowedMode() != 0) {
        if (direct_draw.back != nullptr) {
            platform::SetSurfacePalette(direct_draw.back, direct_draw.palette);
        }
    } else {
        platform::EnumAttachedSurfaces(direct_draw.primary, SetPaletteOnSurface, nullptr);
    }
    return 0;
}

int ReapplyScreenPalette() {
    if (direct_draw.requested_bits != 8) {
        return 0;
    }
    platform::DisplayPaletteEntry kept[kPaletteSize];
    std::copy(direct_draw.palette_entries, direct_draw.palette_entries + kPaletteSize, kept);
    CreateScreenPalette();
    std::copy(kept, kept + kPaletteSize, direct_draw.palette_entries);
    if (direct_draw.palette != nullptr) {
        platform::SetPaletteEntries(direct_draw.palette, 0, kPaletteSize,
                                    direct_draw.palette_entries);
        platform::GetPaletteEntries(direct_draw.palette, 0, kPaletteSize,
                                    direct_draw.palette_entries);
    }
    return 0;
}

int ReleaseScreenPalette() {
    if (direct_draw.palette != nullptr) {
        platform::ReleasePalette(direct_draw.palette);
        direct_draw.palette = nullptr;
    }
    return 0;
}

}  // namespace layer
