// The public entries on images in memory: each forwards to the routine that does the work.
#include "layer/core/layer_api.h"
#include "layer/media/dxt_expansion.h"
#include "layer/media/image_creation.h"
#include "layer/media/pixel_format.h"

namespace layer {

int AllocXrgb32Image(int width, int height, GraphImage* image) {
    return CreateXrgb32Image(width, height, image);
}

int ReleaseBaseImage(GraphImage* image) {
    return FreeGraphImage(image);
}

int DecompressImage(GraphImage* image) {
    return ExpandCompressedImage(image);
}

int MakeColorFormatFromMasks(PixelFormat* format, int bit_count, std::uint32_t red_mask,
                             std::uint32_t green_mask, std::uint32_t blue_mask,
                             std::uint32_t alpha_mask) {
    return FillFormatFromMasks(format, bit_count, red_mask, green_mask, blue_mask, alpha_mask);
}

}  // namespace layer
