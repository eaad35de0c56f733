// BMP files written by the layer itself: a 14-byte file header, the 40-byte info header, the
// palette of 8-bit pictures, then the rows bottom to top padded to 4 bytes.
#include <cstring>

#include "layer/core/layer_log.h"
#include "layer/media/bitmap_info.h"
#include "layer/media/dxt_expansion.h"
#include "layer/media/image_messages_texts.h"
#include "layer/media/image_savers.h"
#include "layer/media/little_endian.h"
#include "layer/media/pixel_bytes.h"
#include "layer/media/tracked_block.h"
#include "platform/file_system.h"

namespace layer {

namespace {

constexpr std::uint32_t kHeadersSize = 14 + 40;

// The headers (and palette) as stored.
void FillHeaders(const GraphImage& image, int bit_count, std::uint32_t palette_bytes,
                 std::uint32_t pixel_bytes, std::uint8_t* out) {
    out[0] = 'B';
    out[1] = 'M';
    WriteLe32(out + 2, kHeadersSize + palette_bytes + pixel_bytes);
    WriteLe32(out + 10, kHeadersSize + palette_bytes);
    WriteLe32(out + 14, 40);
    WriteLe32(out + 18, static_cast<std::uint32_t>(image.width));
    WriteLe32(out + 22, static_cast<std::uint32_t>(image.height));
    WriteLe16(out + 26, 1);
    WriteLe16(out + 28, static_cast<std::uint32_t>(bit_count));
    for (std::uint32_t i = 0; i < palette_bytes / 4; ++i) {
        const PaletteEntry& entry = image.format.palette[i];
        std::uint8_t* at = out + kHeadersSize + i * 4;
        at[0] = entry.blue;
        at[1] = entry.green;
        at[2] = entry.red;
    }
}

// A field moved so that its top bit is bit 7 of a byte (5-bit 31 becomes 248).
std::uint8_t TopAligned(std::uint32_t value, std::uint32_t mask, int position, int width) {
    if (width == 0) {
        return 0;
    }
    const std::uint32_t field = ShiftRight(value & mask, position);
    return static_cast<std::uint8_t>(width <= 8 ? field << (8 - width) : field >> (width - 8));
}

void FillRows(const GraphImage& image, int row_size, std::uint8_t* out) {
    const PixelFormat& format = image.format;
    const int bytes = format.bytes_per_pixel;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* in =
            image.pixels + static_cast<std::size_t>(image.height - 1 - y) * image.pitch;
        std::uint8_t* row = out + static_cast<std::size_t>(y) * row_size;
        if (bytes == 1) {
            std::memcpy(row, in, image.width);
            continue;
        }
        for (int x = 0; x < image.width; ++x, in += bytes, row += 3) {
            if (bytes == 2) {
                const std::uint32_t v = LoadPixelValue(in, 2);
                row[0] = TopAligned(v, format.blue_mask, format.blue_position, format.blue_width);
                row[1] =
                    TopAligned(v, format.green_mask, format.green_position, format.green_width);
                row[2] = TopAligned(v, format.red_mask, format.red_position, format.red_width);
            } else {
                std::memcpy(row, in, 3);
            }
        }
    }
}

bool WriteFile(const std::string& path, const std::uint8_t* headers, std::size_t header_size,
               const std::uint8_t* rows, std::size_t rows_size) {
    platform::RemoveFile(path);
    std::optional<platform::File> file = platform::CreateFileForWrite(path);
    if (!file) {
        WriteLog(kBmpSaveOpenFailedText);
        return false;
    }
    const bool written =
        file->Write(headers, header_size) == static_cast<std::int64_t>(header_size) &&
        file->Write(rows, rows_size) == static_cast<std::int64_t>(rows_size);
    if (!file->Close() || !written) {
        platform::RemoveFile(path);
        return false;
    }
    return true;
}

}  // namespace

int SaveImageBmp(const char* file_name, GraphImage* image) {
    if (ExpandCompressedImage(image) != 0) {
        return -1;
    }
    const int bytes = image->format.bytes_per_pixel;
    if (bytes < 1 || bytes > 4 || image->pixels == nullptr || image->width < 1 ||
        image->height < 1 || file_name == nullptr) {
        return -1;
    }
    const int bit_count = bytes == 1 ? 8 : 24;
    const std::uint32_t palette_bytes = bytes == 1 ? 1024 : 0;
    const int row_size = static_cast<int>(BitmapRowSize(image->width, bit_count));
    const std::size_t rows_size = static_cast<std::size_t>(row_size) * image->height;
    TrackedBlock headers = TrackedBlock::AllocateZeroed(kHeadersSize + palette_bytes);
    if (!headers) {
        return WriteLog(kNoMemoryForBitmapInfoText);
    }
    TrackedBlock rows = TrackedBlock::AllocateZeroed(rows_size);
    if (!rows) {
        return WriteLog(kNoMemoryForSavedPictureText);
    }
    FillHeaders(*image, bit_count, palette_bytes, static_cast<std::uint32_t>(rows_size),
                headers.get());
    FillRows(*image, row_size, rows.get());
    // The game path names the file on disk; archives play no part in saving.
    const std::string path = file_name;
    return WriteFile(path, headers.get(), kHeadersSize + palette_bytes, rows.get(), rows_size) ? 0
                                                                                               : -1;
}

}  // namespace layer
