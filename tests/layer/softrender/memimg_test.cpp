#include "layer/softrender/memimg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "layer/core/tracked_memory.h"
#include "tests/support/case_name.h"

namespace layer {
namespace {

// Releases the image at the end of a test.
struct ImageGuard {
    MEMIMG image;
    ~ImageGuard() { ReleaseMemImg(&image); }
};

struct PitchCase {
    const char* what;
    int width;
    int color_type;
    int palette_flag;
    int alpha_flag;
    int pitch;
    int pitch_shift;
    int bytes_per_pixel;
};

class MemImgPitchTest : public testing::TestWithParam<PitchCase> {};

TEST_P(MemImgPitchTest, DefaultPitchAndPixelSize) {
    const PitchCase& c = GetParam();
    ImageGuard guard;
    ASSERT_EQ(SetupMemImg(&guard.image, c.width, 4, -1, 0, c.color_type, c.palette_flag,
                          c.alpha_flag, 0, nullptr),
              0);
    const MemImgBody& body = *guard.image.Body;
    EXPECT_EQ(body.Pitch, c.pitch);
    EXPECT_EQ(body.PitchShift, c.pitch_shift);
    EXPECT_EQ(body.Format->bytes_per_pixel, c.bytes_per_pixel);
    EXPECT_EQ(body.RefCount, 1);
    EXPECT_EQ(guard.image.Pixels, body.PixelStore);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, MemImgPitchTest,
    testing::Values(PitchCase{"16-bit 640 wide without a shift", 640, 0, 0, 0, 1280, -1, 2},
                    PitchCase{"32-bit 640 wide without a shift", 640, 1, 0, 0, 2560, -1, 4},
                    PitchCase{"16-bit 512 wide shifts by 10", 512, 0, 0, 0, 1024, 10, 2},
                    PitchCase{"32-bit 8 wide shifts by 5", 8, 1, 0, 0, 32, 5, 4},
                    PitchCase{"16-bit 3 wide rounds up to 16", 3, 0, 0, 0, 16, 4, 2},
                    PitchCase{"16-bit with alpha takes 4 bytes", 5, 0, 0, 1, 32, 5, 4},
                    PitchCase{"palette over alpha takes 1 byte", 5, 0, 1, 1, 16, 4, 1},
                    PitchCase{"8-bit channel drops palette and alpha", 20, 2, 1, 1, 32, 5, 1},
                    PitchCase{"16-bit channel", 9, 3, 0, 0, 32, 5, 2}),
    [](const auto& info) { return test::CaseName(info.param.what); });

TEST(MemImgTest, FlagsAreNormalised) {
    ImageGuard palette_and_alpha;
    ASSERT_EQ(SetupMemImg(&palette_and_alpha.image, 4, 4, -1, 0, 0, 1, 1, 0, nullptr), 0);
    EXPECT_EQ(palette_and_alpha.image.Body->PaletteFlag, 1);
    EXPECT_EQ(palette_and_alpha.image.Body->AlphaFlag, 0);
    ASSERT_NE(palette_and_alpha.image.Body->Palette, nullptr);
    EXPECT_EQ(palette_and_alpha.image.Body->PaletteCopy,
              palette_and_alpha.image.Body->Palette + 1024);
    EXPECT_EQ(palette_and_alpha.image.Body->Palette[1023], 0);

    ImageGuard single;
    ASSERT_EQ(SetupMemImg(&single.image, 4, 4, -1, 0, 2, 1, 1, 0, nullptr), 0);
    EXPECT_EQ(single.image.Body->PaletteFlag, 0);
    EXPECT_EQ(single.image.Body->AlphaFlag, 0);
    EXPECT_EQ(single.image.Body->Palette, nullptr);
}

TEST(MemImgTest, SetupRefusesAValidImageButScreenSetupClearsFirst) {
    ImageGuard guard;
    ASSERT_EQ(SetupMemImg(&guard.image, 4, 4, -1, 7, 1, 0, 0, 0, nullptr), 0);
    MemImgBody* body = guard.image.Body;
    EXPECT_EQ(SetupMemImg(&guard.image, 8, 8, -1, 0, 0, 0, 0, 0, nullptr), -1);
    EXPECT_EQ(guard.image.Body, body);
    EXPECT_EQ(guard.image.Width, 4);

    ImageGuard screen;
    ASSERT_EQ(SetupScreenMemImg(&screen.image, 4, 4, 1, 32), 0);
    MEMIMG again = screen.image;
    EXPECT_EQ(SetupScreenMemImg(&again, 2, 2, 0, 32), 0);
    EXPECT_EQ(again.Body->ColorType, 0);
    ReleaseMemImg(&again);
}

TEST(MemImgTest, ScreenColourTypeFollowsTheScreenDepth) {
    struct Case {
        int color_type;
        int screen_bits;
        int expected;
    };
    for (const Case c : {Case{-1, 16, 0}, Case{-1, 32, 1}, Case{0, 32, 0}, Case{1, 16, 1}}) {
        ImageGuard guard;
        ASSERT_EQ(SetupScreenMemImg(&guard.image, 4, 4, c.color_type, c.screen_bits), 0);
        EXPECT_EQ(guard.image.Body->ColorType, c.expected);
    }
    ImageGuard depth;
    ASSERT_EQ(SetupDepthMemImg(&depth.image, 4, 4), 0);
    EXPECT_EQ(depth.image.Body->ColorType, 3);
}

TEST(MemImgTest, SetupRefusesBadSizes) {
    MEMIMG image;
    EXPECT_EQ(SetupMemImg(&image, -1, 4, -1, 0, 1, 0, 0, 0, nullptr), -1);
    EXPECT_EQ(SetupMemImg(&image, 4, -1, -1, 0, 1, 0, 0, 0, nullptr), -1);
    EXPECT_EQ(SetupMemImg(&image, 4, 4, 15, 0, 1, 0, 0, 0, nullptr), -1);
    EXPECT_EQ(TestMemImgValid(&image), 0);
}

TEST(MemImgTest, FailedAllocationLeavesAnInvalidRecordAndNoBlocks) {
    const TrackedTotals before = ReadTrackedTotals();
    MEMIMG image;
    FailNextTrackedAllocation();
    EXPECT_EQ(SetupMemImg(&image, 4, 4, -1, 0, 1, 1, 0, 1, nullptr), -1);
    EXPECT_EQ(TestMemImgValid(&image), 0);
    EXPECT_EQ(ReadTrackedTotals().count, before.count);
}

TEST(MemImgTest, ViewsShareTheBodyAndOutliveTheImage) {
    MEMIMG image;
    ASSERT_EQ(SetupMemImg(&image, 16, 25, -1, 0, 1, 0, 0, 0, nullptr), 0);
    MEMIMG view;
    ShareMemImgRect(&view, &image, 10, 20, 5, 5);
    ASSERT_EQ(TestMemImgValid(&view), 1);
    EXPECT_EQ(image.Body->RefCount, 2);
    EXPECT_EQ(view.Pixels, image.Pixels + 20 * image.Body->Pitch + 10 * 4);

    MEMIMG refused;
    ShareMemImgRect(&refused, &image, 12, 20, 5, 5);
    EXPECT_EQ(TestMemImgValid(&refused), 0);
    ShareMemImgRect(&refused, &image, 0, 0, -1, 5);
    EXPECT_EQ(TestMemImgValid(&refused), 0);
    ShareMemImgRect(&refused, &image, 1, 1, 0x7FFFFFFF, 1);
    EXPECT_EQ(TestMemImgValid(&refused), 0);

    MEMIMG inner;
    ShareMemImgRect(&inner, &view, 1, 2, 4, 3);
    EXPECT_EQ(inner.Pixels, image.Pixels + 22 * image.Body->Pitch + 11 * 4);
    ReleaseMemImg(&inner);

    const TrackedTotals with_image = ReadTrackedTotals();
    ReleaseMemImg(&image);
    EXPECT_EQ(TestMemImgValid(&image), 0);
    EXPECT_EQ(image.Body, nullptr);
    EXPECT_EQ(view.Body->RefCount, 1);
    EXPECT_EQ(ReadTrackedTotals().count, with_image.count);
    view.Pixels[0] = 1;
    ReleaseMemImg(&view);
    EXPECT_LT(ReadTrackedTotals().count, with_image.count);
}

TEST(MemImgTest, CallerMemoryOutlivesTheImage) {
    std::vector<std::uint8_t> memory(64 * 4, 0xAB);
    MEMIMG image;
    ASSERT_EQ(SetupMemImg(&image, 8, 4, 64, 0, 1, 0, 0, 0, memory.data()), 0);
    EXPECT_EQ(image.Body->UserPixels, 1);
    EXPECT_EQ(image.Pixels, memory.data());
    ReleaseMemImg(&image);
    EXPECT_EQ(memory[0], 0xAB);
}

TEST(MemImgTest, DerivedBuffersOnRequest) {
    ImageGuard alpha;
    ASSERT_EQ(SetupMemImg(&alpha.image, 6, 3, -1, 0, 1, 0, 1, 1, nullptr), 0);
    EXPECT_NE(alpha.image.Body->PremulStore, nullptr);
    EXPECT_EQ(alpha.image.Premul, alpha.image.Body->PremulStore);
    EXPECT_NE(alpha.image.Body->RunTable, nullptr);
    ImageGuard single;
    ASSERT_EQ(SetupMemImg(&single.image, 6, 3, -1, 0, 2, 0, 0, 1, nullptr), 0);
    EXPECT_EQ(single.image.Body->RunTable, nullptr);
    EXPECT_EQ(single.image.Body->PremulStore, nullptr);
}

TEST(MemImgTest, ZeroedAndReleasedRecordsAreInvalid) {
    MEMIMG image;
    EXPECT_EQ(TestMemImgValid(&image), 0);
    ReleaseMemImg(&image);
    ASSERT_EQ(SetupMemImg(&image, 1, 1, -1, 0, 0, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(TestMemImgValid(&image), 1);
    ReleaseMemImg(&image);
    EXPECT_EQ(TestMemImgValid(&image), 0);
}

TEST(MemImgTest, FillRawClipsToTheImage) {
    struct Case {
        int color_type;
        Rect rect;
        std::uint32_t value;
        std::uint32_t expected_pixel;
    };
    for (const Case c :
         {Case{1, {2, 1, 9, 3}, 0x12345678, 0x12345678}, Case{0, {2, 1, 9, 3}, 0x12345678, 0x5678},
          Case{2, {2, 1, 9, 3}, 0x12345678, 0x78}, Case{3, {-5, 1, 9, 3}, 0xFFFF, 0xFFFF},
          // Values of one repeated byte.
          Case{1, {1, 0, 5, 4}, 0x7F7F7F7F, 0x7F7F7F7F},
          Case{0, {0, 2, 6, 9}, 0x55554242, 0x4242}}) {
        ImageGuard guard;
        ASSERT_EQ(SetupMemImg(&guard.image, 6, 4, -1, 0, c.color_type, 0, 0, 0, nullptr), 0);
        FillMemImgRaw(&guard.image, nullptr, 0);
        FillMemImgRaw(&guard.image, &c.rect, c.value);
        const int bytes = MemImgBytesPerPixel(guard.image);
        Rect clipped = c.rect;
        ClipRect(&clipped, Rect{0, 0, 6, 4});
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                std::uint32_t pixel = 0;
                std::memcpy(&pixel, guard.image.Pixels + y * guard.image.Body->Pitch + x * bytes,
                            bytes);
                const bool inside = x >= clipped.left && x < clipped.right && y >= clipped.top &&
                                    y < clipped.bottom;
                EXPECT_EQ(pixel, inside ? c.expected_pixel : 0u) << x << "," << y;
            }
        }
        const Rect outside{10, 10, 20, 20};
        FillMemImgRaw(&guard.image, &outside, 0x99);
    }
}

TEST(MemImgTest, StaticFormats) {
    const PixelFormat* rgb565 = GetMemImgPixelFormat(0, 0, 0);
    EXPECT_EQ(rgb565->bits_per_pixel, 16);
    EXPECT_EQ(rgb565->red_mask, 0xF800u);
    EXPECT_EQ(rgb565->green_width, 6);
    const PixelFormat* argb = GetMemImgPixelFormat(1, 1, 0);
    EXPECT_EQ(argb->bytes_per_pixel, 4);
    EXPECT_EQ(argb->alpha_mask, 0xFF000000u);
    EXPECT_EQ(argb->alpha_position, 24);
    const PixelFormat* alpha565 = GetMemImgPixelFormat(0, 1, 0);
    EXPECT_EQ(alpha565->bytes_per_pixel, 4);
    EXPECT_EQ(alpha565->alpha_position, 16);
    EXPECT_EQ(GetMemImgPixelFormat(0, 1, 1)->bits_per_pixel, 8);
    EXPECT_EQ(GetMemImgPixelFormat(1, 0, 1)->blue_mask, 0xFFu);
    const PixelFormat* single = GetMemImgPixelFormat(2, 1, 1);
    EXPECT_EQ(single, GetMemImgPixelFormat(2, 0, 0));
    EXPECT_EQ(single->alpha_mask, 0xFFu);
    EXPECT_EQ(single->unused_mask, 0u);
    EXPECT_EQ(GetMemImgPixelFormat(3, 0, 0)->red_width, 16);
    EXPECT_EQ(GetMemImgPixelFormat(4, 0, 0), nullptr);
    EXPECT_EQ(GetMemImgPixelFormat(-1, 0, 0), nullptr);
    EXPECT_EQ(GetMemImgPixelFormat(1, 0, 0), GetMemImgPixelFormat(1, 0, 0));
}

}  // namespace
}  // namespace layer
