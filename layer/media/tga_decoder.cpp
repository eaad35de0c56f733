// TGA files of types 1 and 9 (colour-mapped, plain and run-length) and 2 and 10 (true colour,
// plain and run-length) in 16, 24 or 32 bits, stored in any row and column order.
#include <cstdint>
#include <cstring>

#include "layer/media/image_loaders.h"
#include "layer/media/little_endian.h"
#include "layer/media/pixel_format_presets.h"
#include "layer/media/tracked_block.h"

namespace layer {

namespace {

constexpr int kHeaderSize = 18;
constexpr int kFooterSize = 26;
constexpr int kMaxSide = 8192;

struct TgaHeader {
    int id_length = 0;
    int colour_map_type = 0;
    int image_type = 0;
    int map_first = 0;
    int map_length = 0;
    int map_entry_bits = 0;
    int x_origin = 0;
    int y_origin = 0;
    int width = 0;
    int height = 0;
    int pixel_bits = 0;
    int descriptor = 0;
};

TgaHeader ParseHeader(const std::uint8_t* at) {
    return TgaHeader{at[0],
                     at[1],
                     at[2],
                     ReadLe16(at + 3),
                     ReadLe16(at + 5),
                     at[7],
                     ReadLe16(at + 8),
                     ReadLe16(at + 10),
                     ReadLe16(at + 12),
                     ReadLe16(at + 14),
                     at[16],
                     at[17]};
}

bool IsColourMapped(const TgaHeader& header) {
    return header.image_type == 1 || header.image_type == 9;
}

bool IsRunLength(const TgaHeader& header) {
    return header.image_type == 9 || header.image_type == 10;
}

// A footer counts only with extension offset 0 and the signature in place.
bool HasFooter(const BoundStream& stream) {
    std::uint8_t footer[kFooterSize];
    return StreamSeek(stream, -kFooterSize, 2) && StreamReadBytes(stream, footer, sizeof footer) &&
           std::memcmp(footer + 8, "TRUEVISION-XFILE", 16) == 0 && ReadLe32(footer) == 0;
}

// Reads the colour map into a zeroed table of 256 entries.
bool ReadColourMap(const BoundStream& stream, const TgaHeader& header, int pixel_bytes,
                   std::uint8_t* table) {
    if (header.map_first + header.map_length > 256) {
        return false;
    }
    return StreamReadBytes(stream, table + header.map_first * pixel_bytes,
                           static_cast<std::size_t>(header.map_length) * pixel_bytes);
}

// Expands packets of `value_bytes`-byte values (indices or pixels) until `count` values are
// written; false when a packet runs past the image or the data.
bool ExpandPackets(const std::uint8_t* data, std::size_t size, int value_bytes, std::int64_t count,
                   std::uint8_t* out) {
    std::size_t at = 0;
    std::int64_t written = 0;
    while (written < count) {
        if (at >= size) {
            return false;
        }
        const int header = data[at++];
        const int run = (header & 0x7F) + 1;
        const bool repeated = (header & 0x80) != 0;
        const std::size_t needed = static_cast<std::size_t>(repeated ? 1 : run) * value_bytes;
        if (written + run > count || at + needed > size) {
            return false;
        }
        for (int i = 0; i < run; ++i) {
            std::memcpy(out + (written + i) * value_bytes,
                        data + at + (repeated ? 0 : i * value_bytes), value_bytes);
        }
        at += needed;
        written += run;
    }
    return true;
}

// The stored values (pixels, or indices of a colour-mapped image), one after another.
bool ReadValues(const BoundStream& stream, const TgaHeader& header, bool footer, int value_bytes,
                std::uint8_t* out) {
    const std::int64_t count = std::int64_t{header.width} * header.height;
    const std::int64_t start = StreamTell(stream);
    std::int64_t available = StreamBytesFrom(stream, start);
    if (available < 0) {
        return false;
    }
    if (!IsRunLength(header)) {
        return count * value_bytes <= available &&
               StreamReadBytes(stream, out, static_cast<std::size_t>(count * value_bytes));
    }
    if (footer) {
        available -= kFooterSize;
    }
    if (available <= 0) {
        return false;
    }
    TrackedBlock data = TrackedBlock::Allocate(static_cast<std::size_t>(available));
    return data && StreamReadBytes(stream, data.get(), static_cast<std::size_t>(available)) &&
           ExpandPackets(data.get(), static_cast<std::size_t>(available), value_bytes, count, out);
}

// Rows into top-to-bottom, left-to-right order.
TrackedBlock Reorient(TrackedBlock stored, const TgaHeader& header, int pixel_bytes) {
    const bool bottom_up = (header.descriptor & 0x20) == 0;
    const bool right_to_left = (header.descriptor & 0x10) != 0;
    if (!bottom_up && !right_to_left) {
        return stored;
    }
    const std::size_t pitch = static_cast<std::size_t>(header.width) * pixel_bytes;
    TrackedBlock turned = TrackedBlock::Allocate(pitch * header.height);
    if (!turned) {
        return turned;
    }
    for (int y = 0; y < header.height; ++y) {
        const std::uint8_t* in = stored.get() + (bottom_up ? header.height - 1 - y : y) * pitch;
        std::uint8_t* out = turned.get() + y * pitch;
        for (int x = 0; x < header.width; ++x) {
            const int from = right_to_left ? header.width - 1 - x : x;
            std::memcpy(out + x * pixel_bytes, in + from * pixel_bytes, pixel_bytes);
        }
    }
    return turned;
}

void FillTgaFormat(int depth, PixelFormat* format) {
    if (depth == 16) {
        FillFormatFromMasks(format, 16, 0x7C00, 0x3E0, 0x1F, 0);
    } else if (depth == 24) {
        FillRgb24Format(format);
    } else {
        FillArgb32Format(format);
    }
}

}  // namespace

int DecodeTga(const BoundStream& stream, GraphImage* image) {
    const bool footer = HasFooter(stream);
    std::uint8_t bytes[kHeaderSize];
    if (!StreamSeek(stream, 0, 0) || !StreamReadBytes(stream, bytes, sizeof bytes)) {
        return -1;
    }
    const TgaHeader header = ParseHeader(bytes);
    const bool mapped = IsColourMapped(header);
    const int depth = mapped ? header.map_entry_bits : header.pixel_bits;
    if ((header.image_type != 1 && header.image_type != 2 && header.image_type != 9 &&
         header.image_type != 10) ||
        header.x_origin != 0 || header.y_origin != 0 || header.width > kMaxSide ||
        header.height > kMaxSide || !FitsDecodeBudget(header.width, header.height) ||
        (depth != 16 && depth != 24 && depth != 32)) {
        return -1;
    }
    const int pixel_bytes = depth / 8;
    const std::size_t count = static_cast<std::size_t>(header.width) * header.height;
    if (!StreamSeek(stream, kHeaderSize + header.id_length, 0)) {
        return -1;
    }
    TrackedBlock pixels = TrackedBlock::Allocate(count * pixel_bytes);
    if (!pixels) {
        return -1;
    }
    if (mapped) {
        std::uint8_t table[256 * 4] = {};
        TrackedBlock indices = TrackedBlock::Allocate(count);
        if (!indices || !ReadColourMap(stream, header, pixel_bytes, table) ||
            !ReadValues(stream, header, footer, 1, indices.get())) {
            return -1;
        }
        for (std::size_t i = 0; i < count; ++i) {
            std::memcpy(pixels.get() + i * pixel_bytes, table + indices.get()[i] * pixel_bytes,
                        pixel_bytes);
        }
    } else {
        // A colour map that a true-colour file carries anyway lies before the pixels.
        const int map_bytes =
            header.colour_map_type == 1 ? header.map_length * ((header.map_entry_bits + 7) / 8) : 0;
        if (!StreamSeek(stream, map_bytes, 1) ||
            !ReadValues(stream, header, footer, pixel_bytes, pixels.get())) {
            return -1;
        }
    }
    pixels = Reorient(std::move(pixels), header, pixel_bytes);
    if (!pixels) {
        return -1;
    }
    FillTgaFormat(depth, &image->format);
    image->width = header.width;
    image->height = header.height;
    image->pitch = header.width * pixel_bytes;
    image->pixels = pixels.Release();
    return 0;
}

}  // namespace layer
