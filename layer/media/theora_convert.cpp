// Converting the wanted frame of the stock into the decoder's XRGB image: the picture region
// of the coded frame, 4:2:0 through the integer tables, other layouts in floating point.
#include <algorithm>
#include <chrono>

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

void WritePixel(std::uint8_t* out, int red, int green, int blue) {
    out[0] = static_cast<std::uint8_t>(blue);
    out[1] = static_cast<std::uint8_t>(green);
    out[2] = static_cast<std::uint8_t>(red);
    out[3] = 255;
}

// The chroma terms of one U, V pair, shared by the pixels that take it.
struct ChromaTerms {
    int red;
    int green;
    int blue;
};

ChromaTerms TermsOf(int u, int v) {
    return {yuv_tables.r_from_v[v], yuv_tables.g_from_u[u] + yuv_tables.g_from_v[v],
            yuv_tables.b_from_u[u]};
}

void WriteTablePixel(std::uint8_t* out, int luma, const ChromaTerms& terms) {
    const int base = yuv_tables.y[luma];
    WritePixel(out, ClampYuvSum(base + terms.red), ClampYuvSum(base + terms.green),
               ClampYuvSum(base + terms.blue));
}

// Two pixels of a row share each chroma pair; a picture starting on an odd column begins with
// a pixel of its own.
void ConvertWithTables(const TheoraStockEntry& entry, const PictureRegion& region,
                       GraphImage* image) {
    for (int row = 0; row < region.height; ++row) {
        const int y = region.y + row;
        const std::uint8_t* luma = entry.y + static_cast<std::ptrdiff_t>(y) * entry.y_stride;
        const std::uint8_t* u = entry.u + static_cast<std::ptrdiff_t>(y >> 1) * entry.chroma_stride;
        const std::uint8_t* v = entry.v + static_cast<std::ptrdiff_t>(y >> 1) * entry.chroma_stride;
        std::uint8_t* out = image->pixels + static_cast<std::ptrdiff_t>(row) * image->pitch;
        int x = region.x;
        const int right = region.x + region.width;
        if ((x & 1) != 0) {
            WriteTablePixel(out, luma[x], TermsOf(u[x >> 1], v[x >> 1]));
            out += 4;
            ++x;
        }
        for (; x + 1 < right; x += 2) {
            const ChromaTerms terms = TermsOf(u[x >> 1], v[x >> 1]);
            WriteTablePixel(out, luma[x], terms);
            WriteTablePixel(out + 4, luma[x + 1], terms);
            out += 8;
        }
        if (x < right) {
            WriteTablePixel(out, luma[x], TermsOf(u[x >> 1], v[x >> 1]));
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
