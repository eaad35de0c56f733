// DDS files: DXT1 to DXT5 blocks (expanded to A8R8G8B8 before returning), layouts given by
// masks, and layouts named by number in the FourCC field. All mip levels are kept in one block.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "layer/media/dxt_expansion.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loaders.h"
#include "layer/media/little_endian.h"
#include "layer/media/pixel_format_presets.h"
#include "layer/media/tracked_block.h"

namespace layer {

namespace {

constexpr int kHeaderSize = 124;
constexpr std::uint32_t kHeaderPitchFlag = 0x8;
constexpr std::uint32_t kHeaderMipCountFlag = 0x20000;
constexpr std::uint32_t kMipMapCaps = 0x400008;
constexpr std::uint32_t kAlphaPixelsFlag = 0x1;
constexpr std::uint32_t kFourCcFlag = 0x4;
constexpr std::uint32_t kRgbFlag = 0x40;
// More levels than any picture of the accepted sizes can have mark a damaged header.
constexpr std::uint32_t kMaxMipLevels = 32;

struct NumberedLayout {
    std::uint32_t code;
    int bits;
    std::uint32_t red, green, blue, alpha;
};

// Layouts named by a number in the FourCC field instead of letters.
constexpr NumberedLayout kNumberedLayouts[] = {
    {20, 24, 0xFF0000, 0xFF00, 0xFF, 0},
    {21, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},
    {22, 32, 0xFF0000, 0xFF00, 0xFF, 0},
    {23, 16, 0xF800, 0x7E0, 0x1F, 0},
    {24, 16, 0x7C00, 0x3E0, 0x1F, 0},
    {25, 16, 0x7C00, 0x3E0, 0x1F, 0x8000},
    {26, 16, 0xF00, 0xF0, 0xF, 0xF000},
    {27, 8, 0xE0, 0x1C, 0x3, 0},
    {29, 16, 0xE0, 0x1C, 0x3, 0xFF00},
    {30, 16, 0xF00, 0xF0, 0xF, 0},
    {31, 32, 0x3FF, 0xFFC00, 0x3FF00000, 0xC0000000},
    {32, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000},
    {33, 32, 0xFF, 0xFF00, 0xFF0000, 0},
    {35, 32, 0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000},
};

struct DdsHeader {
    std::uint32_t flags;
    std::uint32_t height;
    std::uint32_t width;
    std::uint32_t pitch;
    std::uint32_t mip_count;
    std::uint32_t format_flags;
    std::uint32_t four_cc;
    std::uint32_t rgb_bits;
    std::uint32_t masks[4];
    std::uint32_t caps;
};

DdsHeader ParseHeader(const std::uint8_t* at) {
    return DdsHeader{ReadLe32(at + 4),
                     ReadLe32(at + 8),
                     ReadLe32(at + 12),
                     ReadLe32(at + 16),
                     ReadLe32(at + 24),
                     ReadLe32(at + 76),
                     ReadLe32(at + 80),
                     ReadLe32(at + 84),
                     {ReadLe32(at + 88), ReadLe32(at + 92), ReadLe32(at + 96), ReadLe32(at + 100)},
                     ReadLe32(at + 104)};
}

constexpr std::uint32_t FourCc(const char (&letters)[5]) {
    return static_cast<std::uint32_t>(letters[0]) | static_cast<std::uint32_t>(letters[1]) << 8 |
           static_cast<std::uint32_t>(letters[2]) << 16 |
           static_cast<std::uint32_t>(letters[3]) << 24;
}

int DxtCode(std::uint32_t four_cc) {
    const std::uint32_t codes[] = {FourCc("DXT1"), FourCc("DXT2"), FourCc("DXT3"), FourCc("DXT4"),
                                   FourCc("DXT5")};
    for (int i = 0; i < 5; ++i) {
        if (codes[i] == four_cc) {
            return kDxt1 + i;
        }
    }
    return kPlainPixels;
}

// Fills the format from the pixel-format record: the compression code for DXT data, -1 when
// the layout is not one the decoder takes.
int ChooseFormat(const DdsHeader& header, PixelFormat* format) {
    bool numbered = false;
    if (header.format_flags == kFourCcFlag) {
        for (const NumberedLayout& layout : kNumberedLayouts) {
            if (layout.code == header.four_cc) {
                FillFormatFromMasks(format, layout.bits, layout.red, layout.green, layout.blue,
                                    layout.alpha);
                numbered = true;
                break;
            }
        }
    }
    if ((header.format_flags & kFourCcFlag) != 0) {
        const int code = DxtCode(header.four_cc);
        if (code != kPlainPixels) {
            *format = PixelFormat{};
            FillArgb32Format(format);
            format->compression = code;
            return code;
        }
        return numbered ? kPlainPixels : -1;
    }
    // Plain RGB without alpha is refused, as it always was.
    if ((header.format_flags & kRgbFlag) != 0 && (header.format_flags & kAlphaPixelsFlag) == 0) {
        return -1;
    }
    FillFormatFromMasks(format, static_cast<int>(header.rgb_bits), header.masks[0], header.masks[1],
                        header.masks[2], header.masks[3]);
    return kPlainPixels;
}

// Bytes of all mip levels, or -1 when they pass the decoder's limit.
std::int64_t LevelBytes(std::int64_t first, std::uint32_t levels, std::int64_t minimum) {
    std::int64_t total = first;
    std::int64_t level = first;
    for (std::uint32_t i = 1; i < levels && total <= kMaxDecodedBytes; ++i) {
        level = std::max(level / 4, minimum);
        total += level;
    }
    return total <= kMaxDecodedBytes ? total : -1;
}

}  // namespace

int DecodeDds(const BoundStream& stream, GraphImage* image) {
    std::uint8_t bytes[4 + kHeaderSize];
    if (!StreamReadBytes(stream, bytes, sizeof bytes) || std::memcmp(bytes, "DDS", 3) != 0) {
        return -1;
    }
    const DdsHeader header = ParseHeader(bytes + 4);
    if (!FitsDecodeBudget(header.width, header.height)) {
        return -1;
    }
    PixelFormat format;
    const int compression = ChooseFormat(header, &format);
    if (compression < 0) {
        return -1;
    }
    const bool has_mips =
        (header.flags & kHeaderMipCountFlag) != 0 && (header.caps & kMipMapCaps) == kMipMapCaps;
    const std::uint32_t levels = has_mips ? header.mip_count : 0;
    if (levels > kMaxMipLevels) {
        return -1;
    }
    const std::int64_t row_bytes = std::int64_t{header.width} * (format.bits_per_pixel / 8);
    std::int64_t pitch = 0;
    std::int64_t total = 0;
    if (compression != kPlainPixels) {
        const std::int64_t blocks = std::int64_t{header.width / 4} * (header.height / 4);
        total = LevelBytes(blocks * (compression == kDxt1 ? 8 : 16), levels, 8);
    } else {
        if (format.bits_per_pixel == 0 || format.bits_per_pixel % 8 != 0 ||
            format.bits_per_pixel > 32) {
            return -1;
        }
        pitch = (header.flags & kHeaderPitchFlag) != 0 ? header.pitch : row_bytes;
        if (pitch < row_bytes) {
            return -1;
        }
        total = LevelBytes(pitch * header.height, levels, 0);
    }
    const std::int64_t available = StreamBytesFrom(stream, 4 + kHeaderSize);
    if (total <= 0 || total > available) {
        return -1;
    }
    TrackedBlock pixels = TrackedBlock::Allocate(static_cast<std::size_t>(total));
    if (!pixels || !StreamReadBytes(stream, pixels.get(), static_cast<std::size_t>(total))) {
        return -1;
    }
    if (compression != kPlainPixels) {
        format.bits_per_pixel = compression == kDxt1 ? 4 : 8;
    }
    image->format = format;
    image->width = static_cast<int>(header.width);
    image->height = static_cast<int>(header.height);
    image->pitch = static_cast<int>(pitch);
    image->mip_level_count = static_cast<int>(levels);
    image->pixels = pixels.Release();
    if (ExpandCompressedImage(image) != 0) {
        FreeGraphImage(image);
        return -1;
    }
    return 0;
}

}  // namespace layer
