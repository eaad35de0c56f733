#pragma once

#include <csetjmp>

#include "layer/media/jpeg_library.h"

namespace layer {

// The library's standard error manager with its error exit replaced by a jump back to the
// function that set `jump`. Messages have nowhere to go and are dropped; warnings go on.
struct JpegErrorManager {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// Fills the manager and returns the library's pointer to it for cinfo->err.
jpeg_error_mgr* InstallJpegErrorExit(JpegErrorManager* errors);

}  // namespace layer
