#include "layer/core/fatal_stop.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>

#include "layer/core/api_lock.h"
#include "layer/core/layer_log.h"
#include "layer/core/layer_startup.h"
#include "layer/core/text_format.h"
#include "layer/core/window_state.h"

namespace layer {
namespace {

constexpr int kFatalExitCode = 255;
constexpr std::size_t kFormatBufferSize = 1024;

}  // namespace

void AbortWithError(const char* text) {
    WriteLog(text);
    WriteLog("\n");
    if (IsMainThread()) {
        EndLayer();
    }
    api_lock.Destroy();
    std::fflush(nullptr);
    _exit(kFatalExitCode);
}

void AbortWithFormat(const char* format, ...) {
    char text[kFormatBufferSize];
    va_list arguments;
    va_start(arguments, format);
    FormatTextV(text, sizeof text, format, arguments);
    va_end(arguments);
    AbortWithError(text);
}

}  // namespace layer
