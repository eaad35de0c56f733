#pragma once

#include <cstdint>
#include <string>

#include "layer/media/bitmap_info.h"
#include "layer/media/graph_image.h"

namespace layer {

// Loads an image from a file (read through the layer's file operations, so archives count) or
// from a memory block holding a file's bytes, optionally with each row mirrored. With the DIB
// flag the image is handed out as a new header block (tracked memory) and DIB pixels instead
// (see MakeDibFromImage); otherwise the image is moved to `image`. 0, or -1 when the source
// cannot be opened or no decoder takes it.
int LoadImageData(const char* file_name, const void* memory, int memory_size, int from_memory,
                  int dib, int mirror, GraphImage* image, BitmapInfo** info,
                  std::uint8_t** dib_pixels);

// Loads an image and its alpha companion: 0 with both, 1 with the image alone, -1 when the
// image fails. The companion comes from the alpha block with the alpha-from-memory flag 1
// (only when one is given), from the companion file with 0, and is not fetched otherwise.
int LoadImageWithAlpha(const char* file_name, const void* image_memory, int image_size,
                       int image_from_memory, const void* alpha_memory, int alpha_size,
                       int alpha_from_memory, GraphImage* image, GraphImage* alpha_image,
                       int mirror);

// The alpha companion's name: "_a" before the last '.' of the whole path (at the end without
// one), so Data\pic.png gives Data\pic_a.png and Data.x\pic gives Data_a.x\pic. False for
// names that do not fit the 260-byte name buffer.
bool MakeAlphaCompanionName(const char* file_name, std::string* companion);

}  // namespace layer
