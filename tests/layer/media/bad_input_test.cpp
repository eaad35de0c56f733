#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "layer/core/tracked_memory.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loading.h"
#include "layer/media/image_pixels.h"
#include "tests/layer/media/decode_bytes.h"

namespace test {
namespace {

// Reads every pixel, so that a block shorter than its rows shows under the address sanitizer.
void TouchEveryPixel(layer::GraphImage* image) {
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            layer::FetchImagePixel(image, x, y, nullptr, nullptr, nullptr, nullptr);
        }
    }
}

TEST(BadInput, DamagedFilesAreRefusedOrDecodeWhole) {
    const std::size_t live = layer::ReadTrackedTotals().count;
    for (const auto& [name, bytes] : DamagedFiles()) {
        layer::GraphImage image;
        const int result = DecodeBytes(bytes, &image);
        if (result != 0) {
            EXPECT_EQ(result, -1) << name;
            EXPECT_EQ(image.pixels, nullptr) << name;
            continue;
        }
        EXPECT_GE(image.width, 1) << name;
        EXPECT_GE(image.height, 1) << name;
        TouchEveryPixel(&image);
        layer::FreeGraphImage(&image);
    }
    EXPECT_EQ(layer::ReadTrackedTotals().count, live);
}

TEST(BadInput, ShortCopiesAreRefused) {
    for (const auto& [name, bytes] : SeedFiles()) {
        // A JPEG that ends early is finished with an inserted end code, as the library wants.
        const bool jpeg = name.find(".jpg") != std::string::npos;
        for (std::size_t size : {std::size_t{20}, bytes.size() / 2}) {
            if (jpeg && size > 20) {
                continue;
            }
            layer::GraphImage image;
            EXPECT_EQ(DecodeBytes(Truncated(bytes, size), &image), -1) << name << " " << size;
            layer::FreeGraphImage(&image);
        }
    }
}

TEST(BadInput, CompanionBlocksOfEveryKind) {
    const std::size_t live = layer::ReadTrackedTotals().count;
    const Bytes picture = PngOf(SamplePicture(2, 2));
    for (const auto& [name, bytes] : DamagedFiles()) {
        layer::GraphImage image;
        layer::GraphImage alpha;
        const int result = layer::LoadImageWithAlpha(
            nullptr, picture.data(), static_cast<int>(picture.size()), 1, bytes.data(),
            static_cast<int>(bytes.size()), 1, &image, &alpha, 1);
        EXPECT_TRUE(result == 0 || result == 1) << name;
        EXPECT_EQ(result == 0, alpha.pixels != nullptr) << name;
        layer::FreeGraphImage(&image);
        layer::FreeGraphImage(&alpha);
    }
    EXPECT_EQ(layer::ReadTrackedTotals().count, live);
}

// QVARN_WRITE_FUZZ_SEEDS=1 writes the seed corpus of the two image fuzz targets into the
// source tree.
TEST(BadInput, WritesFuzzSeedsWhenAsked) {
    const char* asked = std::getenv("QVARN_WRITE_FUZZ_SEEDS");
    if (asked == nullptr || std::string(asked) != "1") {
        GTEST_SKIP() << "seeds are written only when asked";
    }
    const std::filesystem::path seeds =
        std::filesystem::path(QVARN_SOURCE_DIR) / "tests/fuzz/seeds";
    const Bytes alpha = MakeBgra8(SamplePicture(2, 2));
    for (const auto& [name, bytes] : SeedFiles()) {
        WriteFile(seeds / "image_stream" / name, bytes);
        // The alpha target's input: the image's size (4 bytes), the image, the alpha block.
        Bytes paired;
        paired.reserve(4 + bytes.size() + alpha.size());
        for (int i = 0; i < 4; ++i)
            paired.push_back(static_cast<std::uint8_t>(bytes.size() >> (8 * i)));
        paired.insert(paired.end(), bytes.begin(), bytes.end());
        paired.insert(paired.end(), alpha.begin(), alpha.end());
        WriteFile(seeds / "image_with_alpha" / name, paired);
    }
}

}  // namespace
}  // namespace test
