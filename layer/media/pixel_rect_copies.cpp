// The conversions that copy or map pixels without the general pipeline: palette remaps,
// packing into a palette, index copies, plain copies and the transparent colour turned into
// alpha within one colour layout.
#include <algorithm>
#include <cstring>

#include "layer/media/pixel_bytes.h"
#include "layer/media/pixel_rect_job.h"
#include "layer/media/pixel_value.h"

namespace layer {

namespace {

bool SameMasks(const PixelFormat& a, const PixelFormat& b) {
    return a.red_mask == b.red_mask && a.green_mask == b.green_mask && a.blue_mask == b.blue_mask;
}

// The transparent colour cut to a pixel of `bytes` bytes.
std::uint32_t CutToPixel(std::uint32_t colour, int bytes) {
    return bytes >= 4 ? colour : colour & ((std::uint32_t{1} << (bytes * 8)) - 1);
}

}  // namespace

bool IsPaletteRemap(const PixelRectJob& job) {
    return job.palette_remap && job.destination_format->bytes_per_pixel == 1 &&
           job.source_format->bytes_per_pixel == 1 &&
           std::memcmp(job.destination_format->palette, job.source_format->palette,
                       sizeof job.source_format->palette) != 0;
}

int RemapPalette(const PixelRectJob& job) {
    std::uint8_t map[256];
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& entry = job.source_format->palette[i];
        map[i] = static_cast<std::uint8_t>(
            PackColor(*job.destination_format, entry.red, entry.green, entry.blue, 0));
    }
    for (int row = 0; row < job.height; ++row) {
        const std::uint8_t* in = SourceRow(job, row);
        std::uint8_t* out = DestinationRow(job, row);
        for (int i = 0; i < job.width; ++i) {
            out[i] = map[in[i]];
        }
    }
    return 0;
}

// A single-channel destination asked for red in its alpha takes the general pipeline, which
// stores the red value; a palette match would store index 0 everywhere.
bool IsPackToPalette(const PixelRectJob& job) {
    const int source_bits = job.source_format->bits_per_pixel;
    return job.destination_format->bits_per_pixel == 8 &&
           (source_bits == 16 || source_bits == 24 || source_bits == 32) &&
           !(job.no_colour && job.alpha_from_red);
}

int PackToPalette(const PixelRectJob& job) {
    const PixelFormat& in_format = *job.source_format;
    const int bytes = in_format.bytes_per_pixel;
    for (int row = 0; row < job.height; ++row) {
        const std::uint8_t* in = SourceRow(job, row);
        std::uint8_t* out = DestinationRow(job, row);
        for (int i = 0; i < job.width; ++i) {
            const std::uint32_t v = LoadPixelValue(in + i * bytes, bytes);
            const auto field = [v](std::uint32_t mask, int position) {
                return static_cast<int>(ShiftRight(v & mask, position));
            };
            out[i] = static_cast<std::uint8_t>(PackColor(
                *job.destination_format, field(in_format.red_mask, in_format.red_position),
                field(in_format.green_mask, in_format.green_position),
                field(in_format.blue_mask, in_format.blue_position),
                field(in_format.alpha_mask, in_format.alpha_position)));
        }
    }
    return 0;
}

bool IsIndexCopy(const PixelRectJob& job) {
    return job.destination_format->bits_per_pixel == 8 && job.source_format->bits_per_pixel == 8 &&
           !job.no_colour && !job.colour_key;
}

int CopyIndices(const PixelRectJob& job) {
    int highest = 0;
    for (int row = 0; row < job.height; ++row) {
        const std::uint8_t* in = SourceRow(job, row);
        std::uint8_t* out = DestinationRow(job, row);
        for (int i = 0; i < job.width; ++i) {
            out[DestinationColumn(job, i)] = in[i];
            highest = std::max<int>(highest, in[i]);
        }
    }
    return highest;
}

bool IsPlainCopy(const PixelRectJob& job) {
    const PixelFormat& out = *job.destination_format;
    const PixelFormat& in = *job.source_format;
    return !job.transparent_to_alpha && !job.alpha_from_image && !job.no_colour &&
           !job.alpha_from_red && out.bits_per_pixel == in.bits_per_pixel && SameMasks(out, in) &&
           out.alpha_mask == in.alpha_mask;
}

int CopyPlain(const PixelRectJob& job) {
    const int bytes = job.source_format->bytes_per_pixel;
    const std::uint32_t key = CutToPixel(job.transparent_colour, bytes);
    for (int row = 0; row < job.height; ++row) {
        const std::uint8_t* in = SourceRow(job, row);
        std::uint8_t* out = DestinationRow(job, row);
        if (!job.mirror && !job.colour_key) {
            std::memcpy(out, in, static_cast<std::size_t>(job.width) * bytes);
            continue;
        }
        for (int i = 0; i < job.width; ++i) {
            if (job.colour_key && LoadPixelValue(in + i * bytes, bytes) == key) {
                continue;
            }
            std::memcpy(out + DestinationColumn(job, i) * bytes, in + i * bytes, bytes);
        }
    }
    return 0;
}

bool IsKeyToAlpha(const PixelRectJob& job) {
    const PixelFormat& out = *job.destination_format;
    const PixelFormat& in = *job.source_format;
    return out.alpha_width != 0 && job.transparent_to_alpha && !job.no_colour &&
           !job.alpha_from_red && out.bits_per_pixel == in.bits_per_pixel && SameMasks(out, in);
}

int KeyToAlpha(const PixelRectJob& job) {
    const PixelFormat& format = *job.destination_format;
    const int bytes = format.bytes_per_pixel;
    const std::uint32_t colour_bits = format.red_mask | format.green_mask | format.blue_mask;
    const std::uint32_t key =
        PackColor(format, (job.transparent_colour >> 16) & 0xFF,
                  (job.transparent_colour >> 8) & 0xFF, job.transparent_colour & 0xFF, 255) &
        colour_bits;
    for (int row = 0; row < job.height; ++row) {
        const std::uint8_t* in = SourceRow(job, row);
        std::uint8_t* out = DestinationRow(job, row);
        for (int i = 0; i < job.width; ++i) {
            std::uint32_t v = LoadPixelValue(in + i * bytes, bytes);
            if (bytes == 4) {
                v |= ~colour_bits;
            }
            v = (v & colour_bits) == key ? v & ~format.alpha_mask : v | format.alpha_mask;
            StorePixelValue(out + DestinationColumn(job, i) * bytes, bytes, v);
        }
    }
    return 0;
}

}  // namespace layer
