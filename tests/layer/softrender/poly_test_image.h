#pragma once

#include <cstdint>
#include <vector>

#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"

namespace polytest {

// A test image that is a view inside a larger body, the rest of which is filled with a
// marker byte, so a test can check that nothing was written outside the image.
class GuardedImage {
  public:
    static constexpr int kGuard = 4;

    GuardedImage(int width, int height, int colour_type, int palette_flag = 0, int alpha_flag = 0);
    ~GuardedImage();
    GuardedImage(const GuardedImage&) = delete;
    GuardedImage& operator=(const GuardedImage&) = delete;

    layer::MEMIMG* image() { return &view_; }
    const layer::MEMIMG* image() const { return &view_; }
    int width() const { return view_.Width; }
    int height() const { return view_.Height; }

    std::uint32_t Get(int x, int y) const;
    void Set(int x, int y, std::uint32_t value);
    void Fill(std::uint32_t value);
    void SetPalette(int index, std::uint32_t entry);
    void SetTransColour(std::uint32_t value) { view_.Body->TransColor = value; }
    std::vector<std::uint32_t> Pixels() const;
    bool GuardIntact() const;

  private:
    int bytes_per_pixel_ = 0;
    layer::MEMIMG whole_;
    layer::MEMIMG view_;
};

// A draw state with a draw area that covers any test image.
layer::SoftDrawState State(int code, int p, std::uint32_t bright = 0xFFFFFF);

// Blend-image weights equal to their byte, so a test can give the weight directly.
void UseIdentityWeights();

}  // namespace polytest
