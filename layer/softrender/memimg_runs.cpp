#include "layer/softrender/memimg_runs.h"

#include <cstring>

namespace layer {

namespace {

std::uint32_t ReadStored(const std::uint8_t* at, int bytes) {
    std::uint32_t value = 0;
    std::memcpy(&value, at, bytes);
    return value;
}

// Class of one stored pixel: 0 transparent, 1 opaque, 2 translucent.
int ClassOf(const MemImgBody& body, std::uint32_t pixel) {
    if (body.AlphaFlag != 0 && body.PaletteFlag == 0) {
        const std::uint32_t alpha = body.ColorType == 1 ? pixel >> 24 : (pixel >> 16) & 0xFF;
        return alpha == 0 ? 0 : alpha == 255 ? 1 : 2;
    }
    return pixel == body.TransColor ? 0 : 1;
}

std::uint8_t* RowIndex(const MemImgBody& body) {
    return body.RunTable + (std::int64_t{body.Width} + 1) * body.Height;
}

}  // namespace

const std::uint8_t* MemImgRunRow(const MemImgBody& body, int row) {
    std::uint32_t offset = 0;
    std::memcpy(&offset, RowIndex(body) + std::int64_t{row} * 4, 4);
    return body.RunTable + offset;
}

int BuildMemImgRunTable(MEMIMG* image) {
    if (TestMemImgValid(image) == 0) {
        return -1;
    }
    MemImgBody& body = *image->Body;
    if (body.RunTable == nullptr || (body.ColorType != 0 && body.ColorType != 1)) {
        return -1;
    }
    const int bytes = body.Format->bytes_per_pixel;
    std::uint8_t* out = body.RunTable;
    std::uint8_t* index = RowIndex(body);
    for (int y = 0; y < body.Height; ++y) {
        const auto offset = static_cast<std::uint32_t>(out - body.RunTable);
        std::memcpy(index + std::int64_t{y} * 4, &offset, 4);
        const std::uint8_t* row = body.PixelStore + std::int64_t{y} * body.Pitch;
        int x = 0;
        while (x < body.Width) {
            const int run_class = ClassOf(body, ReadStored(row + x * bytes, bytes));
            int length = 1;
            while (x + length < body.Width && length < 64 &&
                   ClassOf(body, ReadStored(row + (x + length) * bytes, bytes)) == run_class) {
                ++length;
            }
            *out++ = static_cast<std::uint8_t>(length - 1 + 64 * run_class);
            x += length;
        }
        *out++ = kRunRowEnd;
    }
    body.RunTableValid = 1;
    return 0;
}

int BuildMemImgPremulCopy(MEMIMG* image) {
    if (TestMemImgValid(image) == 0 || image->Body->PremulStore == nullptr ||
        image->Body->AlphaFlag == 0) {
        return -1;
    }
    MemImgBody& body = *image->Body;
    for (int y = 0; y < body.Height; ++y) {
        const std::uint8_t* row = body.PixelStore + std::int64_t{y} * body.Pitch;
        std::uint8_t* premul = body.PremulStore + std::int64_t{y} * body.Pitch;
        for (int x = 0; x < body.Width; ++x) {
            const std::uint32_t pixel = ReadStored(row + x * 4, 4);
            std::uint32_t out = 0;
            if (body.ColorType == 1) {
                const std::uint32_t a = pixel >> 24;
                for (int shift = 0; shift < 24; shift += 8) {
                    out |= ((((pixel >> shift) & 0xFF) * a) >> 8) << shift;
                }
                out |= a << 24;
            } else {
                const std::uint32_t a = (pixel >> 16) & 0xFF;
                out = ((pixel & 0x1F) * a >> 8) | (((pixel >> 5) & 0x3F) * a >> 8) << 5 |
                      (((pixel >> 11) & 0x1F) * a >> 8) << 11 | a << 16;
            }
            std::memcpy(premul + x * 4, &out, 4);
        }
    }
    body.PremulValid = 1;
    return 0;
}

}  // namespace layer
