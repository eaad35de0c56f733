#include "layer/media/dxt_expansion.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "layer/media/image_creation.h"
#include "layer/media/pixel_format_presets.h"
#include "layer/media/tracked_block.h"

namespace layer {

namespace {

struct Colour {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t alpha = 255;
};

std::uint32_t ReadLittle(const std::uint8_t* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << 8 | at[i];
    }
    return value;
}

Colour WidenRgb565(std::uint32_t value) {
    return Colour{(value >> 11) * 255 / 31, ((value >> 5) & 63) * 255 / 63, (value & 31) * 255 / 31,
                  255};
}

Colour Mix(const Colour& a, int a_weight, const Colour& b, int b_weight) {
    const int total = a_weight + b_weight;
    return Colour{(a.red * a_weight + b.red * b_weight) / total,
                  (a.green * a_weight + b.green * b_weight) / total,
                  (a.blue * a_weight + b.blue * b_weight) / total, 255};
}

// The four colours of an 8-byte colour part. Only DXT1 knows the three-colour mode, whose
// fourth colour is this system's choice: the average colour, transparent.
void DecodeColourTable(const std::uint8_t* part, bool allow_three_colours, Colour table[4]) {
    const std::uint32_t value0 = ReadLittle(part, 2);
    const std::uint32_t value1 = ReadLittle(part + 2, 2);
    table[0] = WidenRgb565(value0);
    table[1] = WidenRgb565(value1);
    if (value0 > value1 || !allow_three_colours) {
        table[2] = Mix(table[0], 2, table[1], 1);
        table[3] = Mix(table[0], 1, table[1], 2);
    } else {
        table[2] = Mix(table[0], 1, table[1], 1);
        table[3] = table[2];
        table[3].alpha = 0;
    }
}

void DecodeExplicitAlpha(const std::uint8_t* part, std::uint32_t alpha[16]) {
    for (int i = 0; i < 16; ++i) {
        alpha[i] = ((part[i / 2] >> ((i % 2) * 4)) & 0xF) * 17;
    }
}

void DecodeInterpolatedAlpha(const std::uint8_t* part, std::uint32_t alpha[16]) {
    const std::uint32_t a0 = part[0];
    const std::uint32_t a1 = part[1];
    std::uint32_t values[8] = {a0, a1};
    if (a0 > a1) {
        for (std::uint32_t k = 1; k <= 6; ++k) {
            values[1 + k] = ((7 - k) * a0 + k * a1) / 7;
        }
    } else {
        for (std::uint32_t k = 1; k <= 4; ++k) {
            values[1 + k] = ((5 - k) * a0 + k * a1) / 5;
        }
        values[6] = 0;
        values[7] = 255;
    }
    std::uint64_t indices = 0;
    for (int i = 5; i >= 0; --i) {
        indices = indices << 8 | part[2 + i];
    }
    for (int i = 0; i < 16; ++i) {
        alpha[i] = values[(indices >> (3 * i)) & 7];
    }
}

// Premultiplied colour divided back by its alpha; alpha 0 gives colour 0, results clamp.
std::uint32_t Unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
    return alpha == 0 ? 0 : std::min<std::uint32_t>(channel * 255 / alpha, 255);
}

void DecodeBlock(const std::uint8_t* block, int compression, std::uint8_t* out, int pitch) {
    std::uint32_t alpha[16];
    const std::uint8_t* colour_part = block;
    if (compression != kDxt1) {
        colour_part = block + 8;
        if (compression <= kDxt3) {
            DecodeExplicitAlpha(block, alpha);
        } else {
            DecodeInterpolatedAlpha(block, alpha);
        }
    }
    Colour table[4];
    DecodeColourTable(colour_part, compression == kDxt1, table);
    const std::uint32_t indices = ReadLittle(colour_part + 4, 4);
    const bool premultiplied = compression == kDxt2 || compression == kDxt4;
    for (int i = 0; i < 16; ++i) {
        Colour pixel = table[(indices >> (2 * i)) & 3];
        if (compression != kDxt1) {
            pixel.alpha = alpha[i];
        }
        if (premultiplied) {
            pixel.red = Unpremultiply(pixel.red, pixel.alpha);
            pixel.green = Unpremultiply(pixel.green, pixel.alpha);
            pixel.blue = Unpremultiply(pixel.blue, pixel.alpha);
        }
        const std::uint32_t value =
            pixel.alpha << 24 | pixel.red << 16 | pixel.green << 8 | pixel.blue;
        std::memcpy(out + (i / 4) * pitch + (i % 4) * 4, &value, 4);
    }
}

}  // namespace

int ExpandCompressedImage(GraphImage* image) {
    const int compression = image->format.compression;
    if (compression == kPlainPixels) {
        return 0;
    }
    if (compression < kDxt1 || compression > kDxt5 || image->pixels == nullptr ||
        image->width < 1 || image->height < 1 || image->width > kMaxImageSide ||
        image->height > kMaxImageSide) {
        return -1;
    }
    const int pitch = image->width * 4;
    TrackedBlock expanded =
        TrackedBlock::AllocateZeroed(static_cast<std::size_t>(pitch) * image->height);
    if (!expanded) {
        return -1;
    }
    const int block_size = compression == kDxt1 ? 8 : 16;
    const std::uint8_t* block = image->pixels;
    for (int block_row = 0; block_row < image->height / 4; ++block_row) {
        std::uint8_t* row = expanded.get() + static_cast<std::size_t>(block_row) * 4 * pitch;
        for (int block_column = 0; block_column < image->width / 4; ++block_column) {
            DecodeBlock(block, compression, row + block_column * 16, pitch);
            block += block_size;
        }
    }
    FreeTracked(image->pixels);
    image->pixels = expanded.Release();
    FillArgb32Format(&image->format);
    image->pitch = pitch;
    return 0;
}

}  // namespace layer
