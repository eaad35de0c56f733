// Converting the wanted frame of the stock into the decoder's XRGB image: the picture region
// of the coded frame, 4:2:0 through the integer tables, other layouts in floating point.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "layer/media/theora_decoder.h"
#include "layer/media/theora_stock.h"
#include "layer/media/yuv_tables.h"

namespace layer {

YuvTables yuv_tables;

namespace {

struct PictureRegion {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

bool IsHalfSized(int chroma, int luma) {
    return chroma * 2 == luma;
}

// 1 where the chroma plane is subsampled along an axis.
int ChromaShift(int chroma, int luma) {
    return chroma < luma ? 1 : 0;
}

// One XRGB pixel in memory order B, G, R, 255, stored at once.
void WritePixel(std::uint8_t* out, int red, int green, int blue) {
    const std::uint32_t pixel = 0xFF000000u | static_cast<std::uint32_t>(red) << 16 |
                                static_cast<std::uint32_t>(green) << 8 |
                                static_cast<std::uint32_t>(blue);
    std::memcpy(out, &pixel, sizeof pixel);
}

// The chroma terms of one U, V pair, shared by the four pixels that take it.
struct ChromaTerms {
    int red;
    int green;
    int blue;
};

// The terms of the chroma samples under the region's columns, for one chroma row.
void FillChromaTerms(const TheoraStockEntry& entry, int chroma_row, int first, int count,
                     ChromaTerms* terms) {
    const std::uint8_t* u = entry.u + static_cast<std::ptrdiff_t>(chroma_row) * entry.chroma_stride;
    const std::uint8_t* v = entry.v + static_cast<std::ptrdiff_t>(chroma_row) * entry.chroma_stride;
    for (int i = 0; i < count; ++i) {
        const int cu = u[first + i];
        const int cv = v[first + i];
        terms[i] = {yuv_tables.r_from_v[cv], yuv_tables.g_from_u[cu] + yuv_tables.g_from_v[cv],
                    yuv_tables.b_from_u[cu]};
    }
}

// Each chroma row's terms are worked out once and serve the two luma rows that share it.
void ConvertWithTables(const TheoraStockEntry& entry, const PictureRegion& region,
                       GraphImage* image) {
    const int first_chroma = region.x >> 1;
    const int chroma_count = ((region.x + region.width - 1) >> 1) - first_chroma + 1;
    std::vector<ChromaTerms> terms(static_cast<std::size_t>(chroma_count));
    int terms_row = -1;
    for (int row = 0; row < region.height; ++row) {
        const int y = region.y + row;
        if (y >> 1 != terms_row) {
            terms_row = y >> 1;
            FillChromaTerms(entry, terms_row, first_chroma, chroma_count, terms.data());
        }
        const std::uint8_t* luma =
            entry.y + static_cast<std::ptrdiff_t>(y) * entry.y_stride + region.x;
        std::uint8_t* out = image->pixels + static_cast<std::ptrdiff_t>(row) * image->pitch;
        // Column i of the region takes chroma sample (x + i) / 2, counted from the first.
        const int odd = region.x & 1;
        for (int column = 0; column < region.width; ++column) {
            const ChromaTerms& pair = terms[static_cast<std::size_t>((column + odd) >> 1)];
            const int base = yuv_tables.y[luma[column]];
            WritePixel(out + column * 4, ClampYuvSum(base + pair.red),
                       ClampYuvSum(base + pair.green), ClampYuvSum(base + pair.blue));
        }
    }
}

int ClampChannel(double value) {
    return std::clamp(static_cast<int>(value), 0, 255);
}

// Any chroma layout: each pixel takes the chroma sample at its coded position scaled by the
// plane's subsampling.
void ConvertInFloatingPoint(const TheoraStockEntry& entry, const PictureRegion& region,
                            GraphImage* image) {
    const int shift_x = ChromaShift(entry.chroma_width, entry.y_width);
    const int shift_y = ChromaShift(entry.chroma_height, entry.y_height);
    for (int row = 0; row < region.height; ++row) {
        const int y = region.y + row;
        const std::uint8_t* luma = entry.y + static_cast<std::ptrdiff_t>(y) * entry.y_stride;
        const std::ptrdiff_t chroma_row =
            static_cast<std::ptrdiff_t>(y >> shift_y) * entry.chroma_stride;
        std::uint8_t* out = image->pixels + static_cast<std::ptrdiff_t>(row) * image->pitch;
        for (int column = 0; column < region.width; ++column) {
            const int x = region.x + column;
            const double e = 1.164 * (luma[x] - 16);
            const int cu = entry.u[chroma_row + (x >> shift_x)] - 128;
            const int cv = entry.v[chroma_row + (x >> shift_x)] - 128;
            WritePixel(out + column * 4, ClampChannel(e + 1.596 * cv),
                       ClampChannel(e - 0.391 * cu - 0.813 * cv), ClampChannel(e + 2.018 * cu));
        }
    }
}

// Whether the entry's planes hold the whole picture region.
bool CoversRegion(const TheoraStockEntry& entry, const PictureRegion& region) {
    const int shift_x = ChromaShift(entry.chroma_width, entry.y_width);
    const int shift_y = ChromaShift(entry.chroma_height, entry.y_height);
    const int right = region.x + region.width;
    const int bottom = region.y + region.height;
    return right <= entry.y_width && bottom <= entry.y_height &&
           ((right - 1) >> shift_x) < entry.chroma_width &&
           ((bottom - 1) >> shift_y) < entry.chroma_height;
}

// Waits until the wanted frame is in the stock and holds its entry; -1 when it cannot come
// (the thread has exited, or the file ended).
int WaitForCurrentFrame(TheoraDecoder* decoder) {
    for (;;) {
        const int state = decoder->state;
        if (state == kTheoraSeeking) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        if (state == kTheoraExited) {
            return -1;
        }
        const int entry = HoldStockEntry(decoder, decoder->current_frame);
        if (entry >= 0) {
            return entry;
        }
        if (decoder->end_of_data != 0) {
            return -1;
        }
        std::this_thread::yield();
    }
}

}  // namespace

int ConvertTheoraFrame(TheoraDecoder* decoder, int image, int surface) {
    // No YUV surface can be made on this system (CreateTheoraSurface), so only the image is
    // ever converted.
    const bool wants_surface =
        surface != 0 && decoder->surface_converted == 0 && decoder->surface != nullptr;
    const bool wants_image = image != 0 && decoder->image_converted == 0;
    if (!wants_surface && !wants_image) {
        return 0;
    }
    const int held = WaitForCurrentFrame(decoder);
    if (held < 0) {
        return 0;
    }
    const TheoraStockEntry& entry = decoder->stock[held];
    const PictureRegion region{static_cast<int>(decoder->info.offset_x),
                               static_cast<int>(decoder->info.offset_y),
                               TheoraPictureWidth(decoder), TheoraPictureHeight(decoder)};
    const bool covered = CoversRegion(entry, region);
    if (wants_image && covered) {
        if (IsHalfSized(entry.chroma_width, entry.y_width) &&
            IsHalfSized(entry.chroma_height, entry.y_height)) {
            ConvertWithTables(entry, region, &decoder->image);
        } else {
            ConvertInFloatingPoint(entry, region, &decoder->image);
        }
        decoder->image_converted = 1;
    }
    ReleaseHeldStockEntry(decoder);
    return covered ? 1 : 0;
}

}  // namespace layer
