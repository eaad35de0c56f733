#include "layer/media/image_creation.h"
#include "layer/media/image_loaders.h"

namespace layer {

bool FitsDecodeBudget(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height * 4 <= kMaxDecodedBytes;
}

}  // namespace layer
