#include "layer/media/dib_conversion.h"

#include <cstdint>
#include <cstdlib>

#include "layer/media/image_creation.h"
#include "layer/media/pixel_bytes.h"

namespace layer {

namespace {

// One bit-field channel: its lowest bit and the count of consecutive bits from there.
struct Field {
    std::uint32_t mask = 0;
    int position = 0;
    int width = 0;
};

Field MeasureField(std::uint32_t mask) {
    Field field;
    if (mask == 0) {
        return field;
    }
    while (((mask >> field.position) & 1) == 0) {
        ++field.position;
    }
    while (field.position + field.width < 32 && ((mask >> (field.position + field.width)) & 1)) {
        ++field.width;
    }
    field.mask = FieldMaximum(field.width) << field.position;
    return field;
}

// A field widened to 8 bits by repeating its bits from the top (5 bits: (v << 3) | (v >> 2)).
std::uint8_t WidenField(std::uint32_t value, const Field& field) {
    if (field.width == 0) {
        return 0;
    }
    const std::uint32_t bits = (value & field.mask) >> field.position;
    if (field.width >= 8) {
        return static_cast<std::uint8_t>(bits >> (field.width - 8));
    }
    std::uint32_t widened = 0;
    for (int filled = 0; filled < 8; filled += field.width) {
        widened = widened << field.width | bits;
    }
    const int total = (8 + field.width - 1) / field.width * field.width;
    return static_cast<std::uint8_t>(widened >> (total - 8));
}

void MasksFor(const DibPixels& dib, Field fields[3]) {
    const BitmapInfoHeader& header = dib.header;
    if (header.compression == kBitmapBitFields) {
        for (int i = 0; i < 3; ++i) {
            fields[i] = MeasureField(dib.masks[i]);
        }
    } else if (header.bit_count == 16) {
        fields[0] = MeasureField(0x7C00);
        fields[1] = MeasureField(0x3E0);
        fields[2] = MeasureField(0x1F);
    } else {
        fields[0] = MeasureField(0xFF0000);
        fields[1] = MeasureField(0xFF00);
        fields[2] = MeasureField(0xFF);
    }
}

bool IsSupportedLayout(const BitmapInfoHeader& header, const PaletteEntry* palette) {
    switch (header.bit_count) {
        case 1:
        case 2:
        case 4:
        case 8:
            return header.compression == kBitmapPlain && palette != nullptr;
        case 24:
            return header.compression == kBitmapPlain;
        case 16:
        case 32:
            return header.compression == kBitmapPlain || header.compression == kBitmapBitFields;
        default:
            return false;
    }
}

void ConvertRow(const DibPixels& dib, const Field fields[3], const std::uint8_t* in,
                std::uint8_t* out) {
    const int bits = dib.header.bit_count;
    for (int x = 0; x < dib.header.width; ++x, out += 3) {
        if (bits <= 8) {
            const int bit_offset = x * bits;
            const int index =
                (in[bit_offset / 8] >> (8 - bits - bit_offset % 8)) & ((1 << bits) - 1);
            const PaletteEntry& entry = dib.palette[index];
            out[0] = entry.blue;
            out[1] = entry.green;
            out[2] = entry.red;
        } else if (bits == 24) {
            out[0] = in[x * 3];
            out[1] = in[x * 3 + 1];
            out[2] = in[x * 3 + 2];
        } else {
            const std::uint32_t value = LoadPixelValue(in + x * (bits / 8), bits / 8);
            out[0] = WidenField(value, fields[2]);
            out[1] = WidenField(value, fields[1]);
            out[2] = WidenField(value, fields[0]);
        }
    }
}

}  // namespace

bool HasAcceptedSize(const BitmapInfoHeader& header) {
    const std::int64_t height = std::llabs(static_cast<std::int64_t>(header.height));
    return header.width >= 1 && header.width <= kMaxImageSide && height >= 1 &&
           height <= kMaxImageSide;
}

DibConversion ConvertDibToRgb24(const DibPixels& dib, TrackedBlock* rows) {
    const BitmapInfoHeader& header = dib.header;
    if (!HasAcceptedSize(header) || !IsSupportedLayout(header, dib.palette)) {
        return DibConversion::kRefused;
    }
    const int height = static_cast<int>(std::llabs(static_cast<std::int64_t>(header.height)));
    const std::int64_t in_row = BitmapRowSize(header.width, header.bit_count);
    if (dib.bits == nullptr || static_cast<std::uint64_t>(in_row) * height > dib.size) {
        return DibConversion::kRefused;
    }
    const std::int64_t out_row = BitmapRowSize(header.width, 24);
    TrackedBlock out = TrackedBlock::AllocateZeroed(static_cast<std::size_t>(out_row) * height);
    if (!out) {
        return DibConversion::kNoMemory;
    }
    Field fields[3];
    MasksFor(dib, fields);
    const bool bottom_up = header.height > 0;
    for (int y = 0; y < height; ++y) {
        const int stored = bottom_up ? height - 1 - y : y;
        ConvertRow(dib, fields, dib.bits + stored * in_row, out.get() + y * out_row);
    }
    *rows = std::move(out);
    return DibConversion::kDone;
}

}  // namespace layer
