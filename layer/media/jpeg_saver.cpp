// JPEG files through the library's 6b interface: RGB rows, the library's defaults and the
// caller's quality with baseline tables. Library errors return through the jump buffer, so the
// function that sets it keeps its blocks and the file in a plain record that its caller
// releases on both exits.
#include <cstdio>

#include "layer/media/image_savers.h"
#include "layer/media/jpeg_error.h"
#include "layer/media/saved_rows.h"

namespace layer {

namespace {

struct JpegSaveState {
    jpeg_compress_struct info;
    JpegErrorManager errors;
    std::FILE* file;
    SavedRows rows;
};

int WriteJpegRows(JpegSaveState* state, GraphImage* image, int quality) {
    j_compress_ptr info = &state->info;
    if (setjmp(state->errors.jump) != 0) {
        return -1;
    }
    jpeg_stdio_dest(info, state->file);
    info->image_width = static_cast<JDIMENSION>(image->width);
    info->image_height = static_cast<JDIMENSION>(image->height);
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    jpeg_start_compress(info, TRUE);
    if (!MakeSavedRows(image, &state->rows)) {
        return -1;
    }
    jpeg_write_scanlines(info, state->rows.rows, static_cast<JDIMENSION>(image->height));
    jpeg_finish_compress(info);
    return 0;
}

}  // namespace

int SaveImageJpeg(const char* file_name, GraphImage* image, int quality) {
    const std::optional<std::string> path = SaveTargetPath(file_name);
    if (!path || image->width < 1 || image->height < 1) {
        return -1;
    }
    JpegSaveState state{};
    state.file = std::fopen(path->c_str(), "wb");
    if (state.file == nullptr) {
        return -1;
    }
    state.info.err = InstallJpegErrorExit(&state.errors);
    jpeg_create_compress(&state.info);
    const int result = WriteJpegRows(&state, image, quality);
    jpeg_destroy_compress(&state.info);
    return FinishSavedFile(result, &state.rows, state.file, *path);
}

}  // namespace layer
