#pragma once

#include <cstdint>

#include "layer/media/bound_stream.h"
#include "layer/media/graph_image.h"

namespace layer {

// A decoder: given the stream at offset 0 and a zeroed image, it returns 0 when it recognised
// and fully decoded the data (the image then owns its pixels) and -1 otherwise, with nothing
// allocated and nothing logged, so that the next decoder can try.
using ImageLoader = int (*)(const BoundStream& stream, GraphImage* image);

int DecodeBmp(const BoundStream& stream, GraphImage* image);
int DecodeJpeg(const BoundStream& stream, GraphImage* image);
int DecodePng(const BoundStream& stream, GraphImage* image);
int DecodeBgra(const BoundStream& stream, GraphImage* image);
int DecodeTga(const BoundStream& stream, GraphImage* image);
int DecodeDds(const BoundStream& stream, GraphImage* image);

// Tries each decoder in turn (BMP, JPEG, PNG, BGRA, TGA, DDS), each time from offset 0 into a
// zeroed image: 0 when one succeeded, -1 when none did.
int DecodeImageFromStream(const BoundStream& stream, GraphImage* image);

// The largest pixel block a decoder makes; larger pictures are refused.
constexpr std::int64_t kMaxDecodedBytes = std::int64_t{256} << 20;

// The one size limit of every decoder, checked on the sizes a file declares before anything is
// allocated: each side 1..kMaxImageSide, and the picture at 4 bytes per pixel (the 32-bit image
// the graphs make of it, whatever depth the file stores) within kMaxDecodedBytes.
bool FitsDecodeBudget(std::int64_t width, std::int64_t height);

}  // namespace layer
