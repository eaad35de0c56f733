#include "tests/layer/softrender/poly_test_image.h"

#include <cstring>

#include "layer/softrender/blend_tables.h"

namespace polytest {
namespace {

constexpr std::uint8_t kMarker = 0xA5;

}  // namespace

GuardedImage::GuardedImage(int width, int height, int colour_type, int palette_flag,
                           int alpha_flag) {
    layer::SetupMemImg(&whole_, width + 2 * kGuard, height + 2 * kGuard, -1, 0, colour_type,
                       palette_flag, alpha_flag, 0, nullptr);
    const layer::MemImgBody& body = *whole_.Body;
    std::memset(body.PixelStore, kMarker, static_cast<std::size_t>(body.Pitch) * body.Height);
    layer::ShareMemImgRect(&view_, &whole_, kGuard, kGuard, width, height);
    bytes_per_pixel_ = body.Format->bytes_per_pixel;
    Fill(0);
}

GuardedImage::~GuardedImage() {
    layer::ReleaseMemImg(&view_);
    layer::ReleaseMemImg(&whole_);
}

std::uint32_t GuardedImage::Get(int x, int y) const {
    const std::uint8_t* at =
        view_.Pixels + static_cast<std::ptrdiff_t>(y) * view_.Body->Pitch + x * bytes_per_pixel_;
    std::uint32_t value = 0;
    std::memcpy(&value, at, bytes_per_pixel_);
    return value;
}

void GuardedImage::Set(int x, int y, std::uint32_t value) {
    std::uint8_t* at =
        view_.Pixels + static_cast<std::ptrdiff_t>(y) * view_.Body->Pitch + x * bytes_per_pixel_;
    std::memcpy(at, &value, bytes_per_pixel_);
}

void GuardedImage::Fill(std::uint32_t value) {
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) {
            Set(x, y, value);
        }
    }
}

void GuardedImage::SetPalette(int index, std::uint32_t entry) {
    const int size = view_.Body->ColorType == 1 ? 4 : 2;
    std::memcpy(view_.Body->Palette + index * size, &entry, size);
}

std::vector<std::uint32_t> GuardedImage::Pixels() const {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) {
            pixels.push_back(Get(x, y));
        }
    }
    return pixels;
}

bool GuardedImage::GuardIntact() const {
    const layer::MemImgBody& body = *whole_.Body;
    for (int y = 0; y < body.Height; ++y) {
        for (int x = 0; x < body.Pitch; ++x) {
            const bool inside = y >= kGuard && y < kGuard + height() &&
                                x >= kGuard * bytes_per_pixel_ &&
                                x < (kGuard + width()) * bytes_per_pixel_;
            if (!inside &&
                body.PixelStore[static_cast<std::ptrdiff_t>(y) * body.Pitch + x] != kMarker) {
                return false;
            }
        }
    }
    return true;
}

layer::SoftDrawState State(int code, int p, std::uint32_t bright) {
    layer::SoftDrawState state;
    state.draw_area = layer::Rect{-100000, -100000, 100000, 100000};
    state.blend_mode = code;
    state.blend_parameter = p;
    state.bright_color = bright;
    return state;
}

void UseIdentityWeights() {
    layer::BuildBlendGraphWeightTable(128, 255);
}

}  // namespace polytest
