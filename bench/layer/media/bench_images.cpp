// Goals at 640 x 480: plain copies and the fixed pairs of ConvertPixelRect within 0.5 ms, the
// general pipeline within 3 ms, a PNG decode of RGBA within 6 ms.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdint>
#include <vector>

#include "layer/core/stream_functions.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loaders.h"
#include "layer/media/pixel_conversion.h"
#include "layer/media/pixel_format_presets.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

layer::PixelFormat Masks(int bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                         std::uint32_t alpha) {
    layer::PixelFormat format;
    layer::FillFormatFromMasks(&format, bits, red, green, blue, alpha);
    return format;
}

void Convert(benchmark::State& state, const layer::PixelFormat& out, const layer::PixelFormat& in,
             int dither) {
    std::vector<std::uint8_t> source(static_cast<std::size_t>(kWidth) * kHeight * 4);
    for (std::size_t i = 0; i < source.size(); ++i) {
        source[i] = static_cast<std::uint8_t>(i * 31 + i / 7);
    }
    std::vector<std::uint8_t> destination(source.size());
    for (auto _ : state) {
        layer::ConvertPixelRect(destination.data(), kWidth * out.bytes_per_pixel, &out,
                                source.data(), kWidth * in.bytes_per_pixel, &in, nullptr, 0,
                                nullptr, 0, 0, 0, 0, kWidth, kHeight, 0, 0, 0, dither, 0, 0, 0, 0);
        benchmark::DoNotOptimize(destination.data());
    }
}

const layer::PixelFormat kXrgb32 = Masks(32, 0xFF0000, 0xFF00, 0xFF, 0);
const layer::PixelFormat kRgb24 = Masks(24, 0xFF0000, 0xFF00, 0xFF, 0);
const layer::PixelFormat kRgb565 = Masks(16, 0xF800, 0x7E0, 0x1F, 0);

void BM_ConvertPlainCopy(benchmark::State& state) {
    Convert(state, kXrgb32, kXrgb32, 0);
}
BENCHMARK(BM_ConvertPlainCopy)->Unit(benchmark::kMillisecond);

void BM_ConvertPair565ToXrgb(benchmark::State& state) {
    Convert(state, kXrgb32, kRgb565, 0);
}
BENCHMARK(BM_ConvertPair565ToXrgb)->Unit(benchmark::kMillisecond);

void BM_ConvertPairRgb24To565(benchmark::State& state) {
    Convert(state, kRgb565, kRgb24, 0);
}
BENCHMARK(BM_ConvertPairRgb24To565)->Unit(benchmark::kMillisecond);

void BM_ConvertPipelineDithered(benchmark::State& state) {
    Convert(state, kRgb565, kXrgb32, 1);
}
BENCHMARK(BM_ConvertPipelineDithered)->Unit(benchmark::kMillisecond);

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

std::vector<std::uint8_t> RgbaPng() {
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint8_t>((i / 4 % kWidth) ^ (i / 4 / kWidth) ^ (i % 4 * 60));
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendBytes, FlushNothing);
    png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < kHeight; ++y) {
        png_write_row(png, pixels.data() + static_cast<std::size_t>(y) * kWidth * 4);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void BM_DecodePngRgba(benchmark::State& state) {
    const std::vector<std::uint8_t> file = RgbaPng();
    for (auto _ : state) {
        const layer::StreamValue stream =
            layer::OpenMemoryStream(file.data(), static_cast<std::int64_t>(file.size()));
        layer::GraphImage image;
        layer::DecodePng(layer::BoundStream{*layer::GetMemoryStreamFunctions(), stream}, &image);
        layer::FreeGraphImage(&image);
        layer::CloseMemoryStream(stream);
    }
}
BENCHMARK(BM_DecodePngRgba)->Unit(benchmark::kMillisecond);

}  // namespace
