#pragma once

#include <cstdint>

#include "layer/media/graph_image.h"
#include "layer/media/image_loaders.h"
#include "tests/layer/media/image_fixtures.h"

namespace test {

// Runs a decoder (the whole dispatcher by default) over bytes in a memory stream.
int DecodeBytes(const Bytes& bytes, layer::GraphImage* image,
                layer::ImageLoader loader = layer::DecodeImageFromStream);

// A decoded image that frees itself.
class DecodedImage {
  public:
    explicit DecodedImage(const Bytes& bytes,
                          layer::ImageLoader loader = layer::DecodeImageFromStream);
    ~DecodedImage();
    DecodedImage(const DecodedImage&) = delete;
    DecodedImage& operator=(const DecodedImage&) = delete;

    int result() const { return result_; }
    layer::GraphImage& image() { return image_; }
    // The pixel's colour through FetchImagePixel.
    Rgba at(int x, int y);
    std::uint32_t value(int x, int y) const;

  private:
    layer::GraphImage image_;
    int result_ = -1;
};

}  // namespace test
