// The software screens in the window without display surfaces: the presenter's retained frame
// stands for the window's drawing context.
#include "layer/graphics/software_frame.h"

#include <algorithm>
#include <vector>

#include "layer/core/main_window.h"
#include "layer/media/graph_image.h"
#include "layer/softrender/memimg_convert.h"
#include "platform/presenter.h"

namespace layer {
namespace {

constexpr DdPixelFormat kWindowFormat{32,       kDdPixelFormatRgb, 0,        32,
                                      0xFF0000, 0x00FF00,          0x0000FF, 0};
constexpr int kWindowColourType = 1;

// The frame follows the client area's size.
platform::RetainedFrame& WindowFrame() {
    Rect client;
    GetClientAreaRect(&client);
    platform::ConfigureRetainedFrame(client.right - client.left, client.bottom - client.top,
                                     kWindowFormat);
    return platform::GetRetainedFrame();
}

}  // namespace

int PresentSoftwareImage(const MEMIMG& image, const Rect& destination, const Rect& source) {
    WindowFrame();
    const PixelFormat& format = *image.Body->Format;
    platform::PixelBits bits;
    bits.pixels = image.Pixels;
    bits.width = image.Width;
    bits.height = image.Height;
    bits.pitch = image.Body->Pitch;
    bits.bits = format.bits_per_pixel;
    bits.red_mask = format.red_mask;
    bits.green_mask = format.green_mask;
    bits.blue_mask = format.blue_mask;
    return platform::PresentBits(
        {destination.left, destination.top, destination.right, destination.bottom}, bits,
        {source.left, source.top, source.right, source.bottom});
}

int ReadWindowIntoSoftwareImage(MEMIMG* image) {
    const platform::RetainedFrame& frame = WindowFrame();
    const int width = std::min(frame.width, image->Width);
    const int height = std::min(frame.height, image->Height);
    if (width <= 0 || height <= 0) {
        return 0;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const int pitch = width * 4;
    if (platform::ReadRetainedFrame({0, 0, width, height}, pixels.data(), pitch) < 0) {
        return -1;
    }
    GraphImage source;
    source.format = *GetMemImgPixelFormat(kWindowColourType, 0, 0);
    source.width = width;
    source.height = height;
    source.pitch = pitch;
    source.pixels = reinterpret_cast<std::uint8_t*>(pixels.data());
    const int result =
        StoreGraphImageInMemImg(&source, nullptr, image, 0, 0, width, height, 0, 0, 0);
    source.pixels = nullptr;
    return result < 0 ? -1 : 0;
}

}  // namespace layer
