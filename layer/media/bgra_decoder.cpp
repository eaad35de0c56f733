// The layer's own raw format: "BGRA", a channel-width word (8 or 16 bits per channel), width
// and height, then rows of B, G, R, A top to bottom without padding.
#include <cstdint>
#include <cstring>

#include "layer/media/image_loaders.h"
#include "layer/media/little_endian.h"
#include "layer/media/pixel_format_presets.h"
#include "layer/media/tracked_block.h"

namespace layer {

namespace {

constexpr std::uint32_t kEightBitChannels = 0x08080808;
constexpr std::uint32_t kSixteenBitChannels = 0x10101010;

// Keeps the high byte of each 16-bit channel of a row.
void NarrowRow(const std::uint8_t* in, int width, std::uint8_t* out) {
    for (int i = 0; i < width * 4; ++i) {
        out[i] = in[i * 2 + 1];
    }
}

}  // namespace

int DecodeBgra(const BoundStream& stream, GraphImage* image) {
    std::uint8_t header[16];
    if (!StreamReadBytes(stream, header, sizeof header) || std::memcmp(header, "BGRA", 4) != 0) {
        return -1;
    }
    const std::uint32_t channels = ReadLe32(header + 4);
    const std::uint32_t width = ReadLe32(header + 8);
    const std::uint32_t height = ReadLe32(header + 12);
    if ((channels != kEightBitChannels && channels != kSixteenBitChannels) ||
        !FitsDecodeBudget(width, height)) {
        return -1;
    }
    const std::int64_t size = std::int64_t{width} * height * 4;
    const std::int64_t remaining = StreamBytesFrom(stream, 16);
    const int stored_bytes = channels == kEightBitChannels ? 1 : 2;
    if (remaining < size * stored_bytes) {
        return -1;
    }
    TrackedBlock pixels = TrackedBlock::Allocate(static_cast<std::size_t>(size));
    if (!pixels) {
        return -1;
    }
    if (channels == kEightBitChannels) {
        if (!StreamReadBytes(stream, pixels.get(), static_cast<std::size_t>(size))) {
            return -1;
        }
    } else {
        TrackedBlock row = TrackedBlock::Allocate(std::size_t{width} * 8);
        if (!row) {
            return -1;
        }
        for (std::uint32_t y = 0; y < height; ++y) {
            if (!StreamReadBytes(stream, row.get(), std::size_t{width} * 8)) {
                return -1;
            }
            NarrowRow(row.get(), static_cast<int>(width),
                      pixels.get() + std::size_t{y} * width * 4);
        }
    }
    FillArgb32Format(&image->format);
    image->width = static_cast<int>(width);
    image->height = static_cast<int>(height);
    image->pitch = static_cast<int>(width * 4);
    image->pixels = pixels.Release();
    return 0;
}

}  // namespace layer
