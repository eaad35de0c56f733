#pragma once

namespace layer {

// The layer's one fatal path: logs the text and a line end, shuts the layer down and ends the
// process with exit code 255 (-1). Off the thread that made the window it only logs and ends
// the process, since the window system may not be touched there.
[[noreturn]] void AbortWithError(const char* text);
// Formats into at most 1024 bytes (cut at a character boundary) and stops with it.
[[noreturn]] void AbortWithFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace layer
