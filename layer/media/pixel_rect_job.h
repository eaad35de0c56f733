#pragma once

#include <cstdint>

#include "layer/media/pixel_format.h"

namespace layer {

// One rectangle conversion with its options. After preparation the flags that cannot apply
// are cleared, the two alpha facts are set and the rectangle is non-empty.
struct PixelRectJob {
    std::uint8_t* destination = nullptr;
    int destination_pitch = 0;
    const PixelFormat* destination_format = nullptr;
    const std::uint8_t* source = nullptr;
    int source_pitch = 0;
    const PixelFormat* source_format = nullptr;
    const std::uint8_t* alpha = nullptr;
    int alpha_pitch = 0;
    // An all-zero format when no alpha format is given.
    const PixelFormat* alpha_format = nullptr;
    int x = 0;
    int y = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool mirror = false;
    bool transparent_to_alpha = false;
    // 0x00RRGGBB
    std::uint32_t transparent_colour = 0;
    // 0 none, 1 ordered 4 x 4, 2 carry
    int dither = 0;
    bool no_colour = false;
    bool alpha_from_red = false;
    bool colour_key = false;
    bool palette_remap = false;
    // The destination has alpha and the source or an alpha image supplies it.
    bool alpha_carried = false;
    // The destination's alpha comes from the alpha image's red channel.
    bool alpha_from_image = false;
};

// Row addresses: source and alpha rows of the rectangle, destination rows at (x, y).
inline const std::uint8_t* SourceRow(const PixelRectJob& job, int row) {
    return job.source + static_cast<std::ptrdiff_t>(job.top + row) * job.source_pitch +
           static_cast<std::ptrdiff_t>(job.left) * job.source_format->bytes_per_pixel;
}
inline const std::uint8_t* AlphaRow(const PixelRectJob& job, int row) {
    return job.alpha + static_cast<std::ptrdiff_t>(job.top + row) * job.alpha_pitch +
           static_cast<std::ptrdiff_t>(job.left) * job.alpha_format->bytes_per_pixel;
}
inline std::uint8_t* DestinationRow(const PixelRectJob& job, int row) {
    return job.destination + static_cast<std::ptrdiff_t>(job.y + row) * job.destination_pitch +
           static_cast<std::ptrdiff_t>(job.x) * job.destination_format->bytes_per_pixel;
}
// The destination column of the rectangle's column i: right to left when mirrored.
inline int DestinationColumn(const PixelRectJob& job, int i) {
    return job.mirror ? job.width - 1 - i : i;
}

// The palette entry read as a little-endian word: 0xXXRRGGBB.
inline std::uint32_t PaletteValue(const PaletteEntry& entry) {
    return static_cast<std::uint32_t>(entry.blue | entry.green << 8 | entry.red << 16) |
           static_cast<std::uint32_t>(entry.x) << 24;
}

// The dedicated cases, each for the pairs its test admits; results as ConvertPixelRect's.
bool IsPaletteRemap(const PixelRectJob& job);
int RemapPalette(const PixelRectJob& job);
bool IsPackToPalette(const PixelRectJob& job);
int PackToPalette(const PixelRectJob& job);
bool IsIndexCopy(const PixelRectJob& job);
int CopyIndices(const PixelRectJob& job);
bool IsPlainCopy(const PixelRectJob& job);
int CopyPlain(const PixelRectJob& job);
bool IsKeyToAlpha(const PixelRectJob& job);
int KeyToAlpha(const PixelRectJob& job);
// The fixed pairs: false when no pair matches (nothing written).
bool RunFixedPair(const PixelRectJob& job);
int RunGeneralPipeline(const PixelRectJob& job);

// Runs the first case that applies, in the order above.
int RunPixelRectJob(const PixelRectJob& job);

// Prepares a job whose arguments are filled (alpha_format may be null) and runs it: -1 for an
// empty rectangle or a pixel size outside 1 to 4 bytes, else the result of its case.
int ConvertPixelRectJob(PixelRectJob job);

}  // namespace layer
