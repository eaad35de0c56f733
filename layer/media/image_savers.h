#pragma once

#include "layer/media/graph_image.h"

namespace layer {

// Writers of pictures to files on disk. Names are game paths (CP932, "\" separators) resolved
// by the platform's path helper; archives play no part. A file already there is replaced. On
// any failure the partly written file is removed and -1 returned.

// 8-bit palette images as 8-bit files with their palette; 16-, 24- and 32-bit images as 24-bit
// files. Rows are stored bottom to top. Other depths give -1 without touching the disk.
int SaveImageBmp(const char* file_name, GraphImage* image);

// An 8-bit RGB file (alpha dropped) with the given zlib compression level.
int SaveImagePng(const char* file_name, GraphImage* image, int compression_level);

// An RGB file of the given quality with baseline tables.
int SaveImageJpeg(const char* file_name, GraphImage* image, int quality);

}  // namespace layer
