// JPEG through the library's 6b interface: grey pictures come out as grey palette indices,
// colour ones as B G R rows of width x 3 bytes. Four-component files (CMYK, YCCK) are refused.
// Library errors return through the jump buffer, so the function that sets it keeps what it
// allocates in a plain record that its caller frees on both exits.
#include <cstdint>

#include "layer/core/tracked_memory.h"
#include "layer/media/image_loaders.h"
#include "layer/media/jpeg_error.h"
#include "layer/media/jpeg_stream_source.h"
#include "layer/media/pixel_format_presets.h"

namespace layer {

namespace {

struct JpegDecodeState {
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    std::uint8_t* pixels;
    int row_stride;
};

void StoreRow(const JSAMPLE* in, int width, int components, std::uint8_t* out) {
    if (components == 1) {
        for (int x = 0; x < width; ++x) {
            out[x] = in[x];
        }
        return;
    }
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

int ReadJpegRows(JpegDecodeState* state, const BoundStream& stream) {
    j_decompress_ptr info = &state->info;
    if (setjmp(state->errors.jump) != 0) {
        return -1;
    }
    SetJpegStreamSource(info, stream);
    jpeg_read_header(info, TRUE);
    // Four components (CMYK, YCCK) are refused, and so are pictures too large to decode,
    // before the library sets up its buffers for them.
    if (info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK ||
        info->num_components == 4 || !FitsDecodeBudget(info->image_width, info->image_height)) {
        return -1;
    }
    jpeg_start_decompress(info);
    const int components = info->output_components;
    state->row_stride = static_cast<int>(info->output_width) * components;
    if ((components != 1 && components != 3) ||
        !FitsDecodeBudget(info->output_width, info->output_height)) {
        return -1;
    }
    JSAMPARRAY row = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                                static_cast<JDIMENSION>(state->row_stride), 1);
    state->pixels = static_cast<std::uint8_t*>(AllocTracked(
        static_cast<std::size_t>(state->row_stride) * info->output_height, __FILE__, __LINE__));
    if (state->pixels == nullptr) {
        return -1;
    }
    while (info->output_scanline < info->output_height) {
        std::uint8_t* out =
            state->pixels + static_cast<std::size_t>(info->output_scanline) * state->row_stride;
        jpeg_read_scanlines(info, row, 1);
        StoreRow(row[0], static_cast<int>(info->output_width), components, out);
    }
    jpeg_finish_decompress(info);
    return 0;
}

}  // namespace

int DecodeJpeg(const BoundStream& stream, GraphImage* image) {
    JpegDecodeState state{};
    state.info.err = InstallJpegErrorExit(&state.errors);
    jpeg_create_decompress(&state.info);
    const int result = ReadJpegRows(&state, stream);
    if (result == 0) {
        if (state.info.output_components == 1) {
            FillGreyPaletteFormat(&image->format);
        } else {
            FillRgb24Format(&image->format);
        }
        image->width = static_cast<int>(state.info.output_width);
        image->height = static_cast<int>(state.info.output_height);
        image->pitch = state.row_stride;
        image->pixels = state.pixels;
    } else {
        FreeTracked(state.pixels);
    }
    jpeg_destroy_decompress(&state.info);
    return result;
}

}  // namespace layer
