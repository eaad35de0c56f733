// BMP files: a 14-byte file header, a 40-byte (or longer) info header, a palette or masks,
// and the pixel data at the file header's offset. RLE8, RLE4, 4-, 8- and 24-bit pictures are
// unpacked here; every other layout goes through the converter to 24 bits.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "layer/core/layer_log.h"
#include "layer/media/bitmap_info.h"
#include "layer/media/bmp_rle.h"
#include "layer/media/dib_conversion.h"
#include "layer/media/image_loaders.h"
#include "layer/media/image_messages_texts.h"
#include "layer/media/little_endian.h"
#include "layer/media/pixel_format_presets.h"

namespace layer {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

struct BmpFile {
    BitmapInfoHeader header;
    PaletteEntry palette[256] = {};
    std::uint32_t masks[3] = {};
    std::uint32_t data_offset = 0;
    int height = 0;  // rows, whatever the order
    bool bottom_up = true;
};

BitmapInfoHeader ParseInfoHeader(const std::uint8_t* at) {
    BitmapInfoHeader header;
    header.size = ReadLe32(at);
    header.width = static_cast<std::int32_t>(ReadLe32(at + 4));
    header.height = static_cast<std::int32_t>(ReadLe32(at + 8));
    header.planes = ReadLe16(at + 12);
    header.bit_count = ReadLe16(at + 14);
    header.compression = ReadLe32(at + 16);
    header.image_size = ReadLe32(at + 20);
    header.colours_used = ReadLe32(at + 32);
    header.colours_important = ReadLe32(at + 36);
    return header;
}

// Reads the headers and the palette (always 2^bits entries, whatever the header's count of
// used colours says) or the three masks.
bool ReadHeaders(const BoundStream& stream, BmpFile* file) {
    std::uint8_t bytes[kFileHeaderSize + kInfoHeaderSize];
    if (!StreamReadBytes(stream, bytes, sizeof bytes) || bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    file->data_offset = ReadLe32(bytes + 10);
    file->header = ParseInfoHeader(bytes + kFileHeaderSize);
    const BitmapInfoHeader& header = file->header;
    if (header.bit_count == 0 || !HasAcceptedSize(header)) {
        return false;
    }
    file->height = static_cast<int>(std::llabs(static_cast<std::int64_t>(header.height)));
    file->bottom_up = header.height > 0;
    if (header.bit_count <= 8) {
        // The palette follows the info header, however long that is.
        const std::int64_t at = kFileHeaderSize + std::max<std::uint32_t>(header.size, 40);
        std::uint8_t entries[256 * 4];
        const std::size_t size = (std::size_t{1} << header.bit_count) * 4;
        if (!StreamSeek(stream, at, 0) || !StreamReadBytes(stream, entries, size)) {
            return false;
        }
        for (std::size_t i = 0; i < size / 4; ++i) {
            file->palette[i] =
                PaletteEntry{entries[i * 4], entries[i * 4 + 1], entries[i * 4 + 2], 0};
        }
    } else if (header.bit_count == 16 || header.bit_count == 32 ||
               header.compression == kBitmapBitFields) {
        std::uint8_t masks[12];
        if (!StreamReadBytes(stream, masks, sizeof masks)) {
            return false;
        }
        for (int i = 0; i < 3; ++i) {
            file->masks[i] = ReadLe32(masks + i * 4);
        }
    }
    return true;
}

void SetPaletteImage(const BmpFile& file, int palette_entries, std::uint8_t* pixels, int pitch,
                     GraphImage* image) {
    FillPaletteFormat(&image->format);
    std::memcpy(image->format.palette, file.palette, sizeof(PaletteEntry) * palette_entries);
    image->pitch = pitch;
    image->pixels = pixels;
}

int DecodeRle(const BmpFile& file, const TrackedBlock& data, std::size_t size, GraphImage* image) {
    const bool four_bit = file.header.compression == kBitmapRle4;
    if (file.header.bit_count != (four_bit ? 4 : 8)) {
        return -1;
    }
    const int pitch = (file.header.width + 3) & ~3;
    TrackedBlock pixels =
        TrackedBlock::AllocateZeroed(static_cast<std::size_t>(pitch) * file.height);
    if (!pixels || !DecodeBmpRle(data.get(), size, four_bit,
                                 RleTarget{pixels.get(), pitch, file.height, file.bottom_up})) {
        return -1;
    }
    SetPaletteImage(file, four_bit ? 16 : 256, pixels.Release(), pitch, image);
    return 0;
}

int DecodeFourBit(const BmpFile& file, const TrackedBlock& data, GraphImage* image) {
    const int width = file.header.width;
    const int pitch = (width + 3) & ~3;
    const std::int64_t row_size = BitmapRowSize(width, 4);
    TrackedBlock pixels =
        TrackedBlock::AllocateZeroed(static_cast<std::size_t>(pitch) * file.height);
    if (!pixels) {
        return -1;
    }
    for (int y = 0; y < file.height; ++y) {
        const int stored = file.bottom_up ? file.height - 1 - y : y;
        const std::uint8_t* in = data.get() + stored * row_size;
        std::uint8_t* out = pixels.get() + static_cast<std::int64_t>(y) * pitch;
        for (int x = 0; x < width; ++x) {
            out[x] = x % 2 == 0 ? in[x / 2] >> 4 : in[x / 2] & 0xF;
        }
    }
    SetPaletteImage(file, 16, pixels.Release(), pitch, image);
    return 0;
}

int DecodeRows(const BmpFile& file, TrackedBlock* data, GraphImage* image) {
    const std::int64_t row_size = BitmapRowSize(file.header.width, file.header.bit_count);
    TrackedBlock pixels;
    if (file.bottom_up) {
        pixels = TrackedBlock::Allocate(static_cast<std::size_t>(row_size) * file.height);
        if (!pixels) {
            return -1;
        }
        for (int y = 0; y < file.height; ++y) {
            std::memcpy(pixels.get() + y * row_size, data->get() + (file.height - 1 - y) * row_size,
                        static_cast<std::size_t>(row_size));
        }
    } else {
        pixels = std::move(*data);
    }
    if (file.header.bit_count == 8) {
        SetPaletteImage(file, 256, pixels.Release(), static_cast<int>(row_size), image);
    } else {
        FillRgb24Format(&image->format);
        image->pitch = static_cast<int>(row_size);
        image->pixels = pixels.Release();
    }
    return 0;
}

int DecodeOtherLayouts(const BmpFile& file, const TrackedBlock& data, std::size_t size,
                       GraphImage* image) {
    DibPixels dib;
    dib.header = file.header;
    dib.palette = file.palette;
    std::memcpy(dib.masks, file.masks, sizeof dib.masks);
    dib.bits = data.get();
    dib.size = size;
    TrackedBlock rows;
    const DibConversion result = ConvertDibToRgb24(dib, &rows);
    if (result == DibConversion::kNoMemory) {
        WriteLog(kNoMemoryForRgb24CopyText);
    }
    if (result != DibConversion::kDone) {
        return -1;
    }
    FillRgb24Format(&image->format);
    image->pitch = static_cast<int>(BitmapRowSize(file.header.width, 24));
    image->pixels = rows.Release();
    return 0;
}

}  // namespace

int DecodeBmp(const BoundStream& stream, GraphImage* image) {
    const std::int64_t total = StreamBytesFrom(stream, 0);
    BmpFile file;
    if (total < kFileHeaderSize + kInfoHeaderSize || !ReadHeaders(stream, &file) ||
        file.data_offset > total || !FitsDecodeBudget(file.header.width, file.height)) {
        return -1;
    }
    const auto size = static_cast<std::size_t>(total - file.data_offset);
    TrackedBlock data = TrackedBlock::Allocate(size + 1);
    if (!data || !StreamSeek(stream, file.data_offset, 0) ||
        !StreamReadBytes(stream, data.get(), size)) {
        return -1;
    }
    const BitmapInfoHeader& header = file.header;
    const std::uint64_t rows_size =
        static_cast<std::uint64_t>(BitmapRowSize(header.width, header.bit_count)) * file.height;
    int result = -1;
    if (header.compression == kBitmapRle8 || header.compression == kBitmapRle4) {
        result = DecodeRle(file, data, size, image);
    } else if (header.compression == kBitmapPlain &&
               (header.bit_count == 4 || header.bit_count == 8 || header.bit_count == 24)) {
        if (rows_size > size) {
            return -1;
        }
        result = header.bit_count == 4 ? DecodeFourBit(file, data, image)
                                       : DecodeRows(file, &data, image);
    } else {
        result = DecodeOtherLayouts(file, data, size, image);
    }
    if (result == 0) {
        image->width = header.width;
        image->height = file.height;
    }
    return result;
}

}  // namespace layer
