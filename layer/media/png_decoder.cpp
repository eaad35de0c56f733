// PNG through libpng: every file comes out as 8-bit palette indices, grey, grey with alpha,
// B G R or B G R A rows of the library's row size. Library errors return through the jump
// buffer, so the function that sets it keeps everything it allocates in a plain record that
// its caller frees on both exits.
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>

#include "layer/core/tracked_memory.h"
#include "layer/media/image_loaders.h"
#include "layer/media/pixel_format_presets.h"

namespace layer {

namespace {

// The stream and where it ends, measured when reading starts.
struct PngReadSource {
    const BoundStream* stream = nullptr;
    std::int64_t end = 0;
};

struct PngDecodeState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngReadSource source;
    png_bytep* rows = nullptr;
    std::uint8_t* pixels = nullptr;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    std::size_t row_size = 0;
    int channels = 0;
    bool palette = false;
    bool grey = false;
};

void ReadPngFromStream(png_structp png, png_bytep buffer, png_size_t length) {
    const auto* source = static_cast<const PngReadSource*>(png_get_io_ptr(png));
    const std::int64_t remaining = source->end - StreamTell(*source->stream);
    if (remaining < static_cast<std::int64_t>(length) ||
        !StreamReadBytes(*source->stream, buffer, length)) {
        png_error(png, "Read Error");
    }
}

// The library's messages have nowhere to go: errors only jump back, warnings are dropped.
void JumpOnPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void IgnorePngWarning(png_structp, png_const_charp) {}

int SetPngReadSource(png_structp png, PngReadSource* source, const BoundStream& stream) {
    source->stream = &stream;
    const std::int64_t start = StreamTell(stream);
    source->end = start + StreamBytesFrom(stream, start);
    png_set_read_fn(png, source, ReadPngFromStream);
    return 0;
}

// Everything between the jump buffer and the last row; 0, or -1 after a library error or
// when the picture is too large.
int ReadPngRows(PngDecodeState* state, const BoundStream& stream) {
    if (setjmp(png_jmpbuf(state->png)) != 0) {
        return -1;
    }
    SetPngReadSource(state->png, &state->source, stream);
    png_set_sig_bytes(state->png, 0);
    png_read_info(state->png, state->info);
    int bit_depth = 0;
    int colour_type = 0;
    png_get_IHDR(state->png, state->info, &state->width, &state->height, &bit_depth, &colour_type,
                 nullptr, nullptr, nullptr);
    png_set_strip_16(state->png);
    png_set_packing(state->png);
    png_set_packswap(state->png);
    const bool transparency = png_get_valid(state->png, state->info, PNG_INFO_tRNS) != 0;
    const bool grey = (colour_type & PNG_COLOR_MASK_COLOR) == 0;
    const bool expanded = (colour_type == PNG_COLOR_TYPE_GRAY && bit_depth <= 8) || transparency;
    if (expanded) {
        png_set_expand(state->png);
    }
    png_set_bgr(state->png);
    png_set_interlace_handling(state->png);
    png_read_update_info(state->png, state->info);
    state->row_size = png_get_rowbytes(state->png, state->info);
    state->channels = png_get_channels(state->png, state->info);
    state->palette = colour_type == PNG_COLOR_TYPE_PALETTE && !expanded;
    state->grey = grey;
    if (!FitsDecodeBudget(state->width, state->height)) {
        return -1;
    }
    state->rows = static_cast<png_bytep*>(
        AllocTrackedZeroed(sizeof(png_bytep) * state->height, __FILE__, __LINE__));
    state->pixels = static_cast<std::uint8_t*>(
        AllocTracked(state->row_size * state->height, __FILE__, __LINE__));
    if (state->rows == nullptr || state->pixels == nullptr) {
        return -1;
    }
    for (png_uint_32 y = 0; y < state->height; ++y) {
        state->rows[y] = state->pixels + y * state->row_size;
    }
    png_read_image(state->png, state->rows);
    png_read_end(state->png, nullptr);
    return 0;
}

void FillPngFormat(const PngDecodeState& state, PixelFormat* format) {
    if (state.palette) {
        FillPaletteFormat(format);
        png_colorp entries = nullptr;
        int count = 0;
        // Always 256 entries: those past the file's palette are black.
        if (png_get_PLTE(state.png, state.info, &entries, &count) == 0) {
            count = 0;
        }
        for (int i = 0; i < 256; ++i) {
            format->palette[i] =
                i < count ? PaletteEntry{entries[i].blue, entries[i].green, entries[i].red, 0}
                          : PaletteEntry{};
        }
    } else if (state.grey) {
        if (state.row_size / 2 < state.width) {
            FillGreyPaletteFormat(format);
        } else {
            // Grey and alpha bytes: every colour channel reads the grey byte, alpha is unused.
            FillFormatFromMasks(format, 16, 0xFF, 0xFF, 0xFF, 0);
        }
    } else if (state.channels == 4) {
        FillArgb32Format(format);
    } else {
        FillRgb24Format(format);
    }
}

}  // namespace

int DecodePng(const BoundStream& stream, GraphImage* image) {
    PngDecodeState state;
    state.png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnPngError, IgnorePngWarning);
    if (state.png == nullptr) {
        return -1;
    }
    state.info = png_create_info_struct(state.png);
    const int result = state.info != nullptr ? ReadPngRows(&state, stream) : -1;
    FreeTracked(state.rows);
    if (result == 0) {
        FillPngFormat(state, &image->format);
        image->width = static_cast<int>(state.width);
        image->height = static_cast<int>(state.height);
        image->pitch = static_cast<int>(state.row_size);
        image->pixels = state.pixels;
    } else {
        FreeTracked(state.pixels);
    }
    png_destroy_read_struct(&state.png, &state.info, nullptr);
    return result;
}

}  // namespace layer
