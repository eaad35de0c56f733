// PNG files through libpng: 8-bit RGB rows, all five row filters, the caller's compression
// level. Library errors return through the jump buffer, so the function that sets it keeps
// its blocks and the file in a plain record that its caller releases on both exits.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "layer/media/image_savers.h"
#include "layer/media/saved_rows.h"

namespace layer {

namespace {

struct PngSaveState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::FILE* file = nullptr;
    SavedRows rows;
};

void JumpOnPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void IgnorePngWarning(png_structp, png_const_charp) {}

int WritePngRows(PngSaveState* state, GraphImage* image, int compression_level) {
    if (setjmp(png_jmpbuf(state->png)) != 0) {
        return -1;
    }
    png_init_io(state->png, state->file);
    png_set_filter(state->png, 0, PNG_ALL_FILTERS);
    png_set_compression_level(state->png, compression_level);
    png_set_IHDR(state->png, state->info, static_cast<png_uint_32>(image->width),
                 static_cast<png_uint_32>(image->height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(state->png, state->info);
    if (!MakeSavedRows(image, &state->rows)) {
        return -1;
    }
    png_write_image(state->png, state->rows.rows);
    png_write_end(state->png, nullptr);
    return 0;
}

}  // namespace

int SaveImagePng(const char* file_name, GraphImage* image, int compression_level) {
    const std::optional<std::string> path = SaveTargetPath(file_name);
    if (!path || image->width < 1 || image->height < 1) {
        return -1;
    }
    PngSaveState state;
    state.file = std::fopen(path->c_str(), "wb");
    if (state.file == nullptr) {
        return -1;
    }
    state.png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnPngError, IgnorePngWarning);
    if (state.png != nullptr) {
        state.info = png_create_info_struct(state.png);
    }
    const int result = state.info != nullptr ? WritePngRows(&state, image, compression_level) : -1;
    png_destroy_write_struct(&state.png, &state.info);
    return FinishSavedFile(result, &state.rows, state.file, *path);
}

}  // namespace layer
