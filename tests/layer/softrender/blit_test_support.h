#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "layer/softrender/memimg.h"

namespace layer::test_support {

// An image that owns its record; released with the object.
class Image {
  public:
    Image(int width, int height, int color_type, int palette_flag = 0, int alpha_flag = 0,
          std::uint32_t trans_color = 0, int derived_buffers = 0);
    ~Image() { ReleaseMemImg(&image_); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    MEMIMG* get() { return &image_; }
    const MEMIMG* get() const { return &image_; }
    MemImgBody& body() { return *image_.Body; }

    std::uint32_t Get(int x, int y) const;
    void Set(int x, int y, std::uint32_t value);
    // Sets 16-bit palette entry i (colour type 0) or 32-bit entry i (colour type 1).
    void SetPaletteEntry(int index, std::uint32_t value);
    // Every byte of the store, padding included.
    std::vector<std::uint8_t> Bytes() const;
    void FillRandom(std::mt19937& rng);

  private:
    MEMIMG image_;
};

}  // namespace layer::test_support
