// The display-surface routes, forced on without a 3D device: direct blits, draws through the
// work surfaces, converting screens, flips, and what a mode change measures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "layer/core/core_settings.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/screen_colours.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"
#include "layer/softrender/blend_tables.h"
#include "platform/clock.h"
#include "tests/layer/graphics/graphics_fixture.h"
#include "tests/support/fake_clock_scope.h"

namespace {

class HardwareRoutes : public testing::TestWithParam<platform::ForcedDisplayFormat> {
  protected:
    void SetUp() override { Start(platform::ForcedDisplayFormat::kNone); }
    void TearDown() override { Stop(); }

    void Start(platform::ForcedDisplayFormat format) {
        test::StartDisplayScreens(format, window_mode_);
    }
    void Stop() {
        layer::ReleaseMainSurfaces();
        test::StopGraphics();
        layer::window_state.window_mode = 0;
    }

    static int Graph(int width, int height, std::uint32_t colour) {
        const std::string file = test::Bmp24(width, height, [colour](int, int) { return colour; });
        return layer::CreateGraphFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0,
                                            0, 0);
    }

    static int CountCalls(const char* name) {
        const std::vector<std::string>& calls = platform::DisplayCallLog();
        return static_cast<int>(std::count(calls.begin(), calls.end(), name));
    }

    // The back surface's pixel as red, green and blue of the screen's format.
    static std::uint32_t BackColour(int x, int y) {
        platform::SurfaceDescription locked;
        const platform::DisplayRect at{x, y, x + 1, y + 1};
        platform::LockSurface(layer::direct_draw.back, &at, &locked, platform::kLockReadOnly);
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, locked.pixels,
                    static_cast<std::size_t>(locked.format.rgb_bit_count / 8));
        platform::UnlockSurface(layer::direct_draw.back);
        int red = 0;
        int green = 0;
        int blue = 0;
        layer::PixelToRgb(pixel, &red, &green, &blue);
        return static_cast<std::uint32_t>(red << 16 | green << 8 | blue);
    }

    int window_mode_ = 1;
};

TEST_F(HardwareRoutes, OpaqueDrawIsOneDirectBlitAndTranslucentGoesThroughTheWork) {
    const int graph = Graph(16, 16, 0xFF8000);
    ASSERT_GE(graph, 0);
    platform::RecordDisplayCalls(true);
    layer::SetBlendMode(1, 255);
    EXPECT_EQ(layer::PutGraph(10, 10, graph, 0), 0);
    EXPECT_EQ(CountCalls("BltFastSurface"), 1);
    EXPECT_EQ(CountCalls("LockSurface"), 0);
    platform::DisplayCallLog().clear();
    layer::SetBlendMode(1, 128);
    EXPECT_EQ(layer::PutGraph(40, 10, graph, 0), 0);
    EXPECT_GE(CountCalls("LockSurface"), 1);
    EXPECT_EQ(CountCalls("LockSurface"), CountCalls("UnlockSurface"));
    // The target read into the work surface, the source into the second one, the target back.
    EXPECT_EQ(CountCalls("BltFastSurface") + CountCalls("CopyBetweenDrawContexts"), 3);
    EXPECT_EQ(BackColour(42, 12) >> 16, 0x7Fu);
}

TEST_F(HardwareRoutes, SameSizeStretchDrawsOnce) {
    const int graph = Graph(16, 16, 0x00FF00);
    platform::RecordDisplayCalls(true);
    EXPECT_EQ(layer::PutGraphStretched(20, 20, 36, 36, graph, 0), 0);
    EXPECT_EQ(CountCalls("BltFastSurface"), 1);
    EXPECT_EQ(BackColour(35, 35), 0x00FF00u);
}

TEST_F(HardwareRoutes, FullScreenFlipWithoutVsyncDoesNotSleep) {
    Stop();
    window_mode_ = 0;
    Start(platform::ForcedDisplayFormat::kNone);
    test::FakeClockScope clock(1'000'000'000);
    layer::SetVsyncWait(0);
    platform::RecordDisplayCalls(true);
    EXPECT_EQ(layer::PresentFrame(), 0);
    EXPECT_EQ(CountCalls("FlipSurface"), 1);
    EXPECT_EQ(platform::MonotonicNanoseconds(), 1'000'000'000u);
    layer::SetVsyncWait(1);
    EXPECT_EQ(layer::PresentFrame(), 0);
    EXPECT_GT(platform::MonotonicNanoseconds(), 1'000'000'000u);
}

TEST_F(HardwareRoutes, CopyTimingTieChoosesTheSystemCopy) {
    test::FakeClockScope clock(1'000'000'000);
    layer::direct_draw.flags.bitblt_for_copies = 0;
    layer::MeasureCopyMethod();
    EXPECT_EQ(layer::direct_draw.flags.bitblt_for_copies, 1);
}

TEST(FramePeriod, FirstRepeatedTrialAndItsSleepThreshold) {
    const int trials[] = {16, 17, 16, 17};
    EXPECT_EQ(layer::FramePeriodOfTrials(trials, 4), 16);
    EXPECT_EQ(layer::SleepThresholdOfPeriod(16), 9);
    const int distinct[] = {15, 16, 17, 18};
    EXPECT_EQ(layer::FramePeriodOfTrials(distinct, 4), -1);
    EXPECT_EQ(layer::SleepThresholdOfPeriod(-1), -1);
}

// A translucent box on a 5-5-5 screen is drawn in 5-6-5 and converted back: the colours are
// those of the 5-6-5 screen.
class ConvertingScreen : public HardwareRoutes {};

TEST_P(ConvertingScreen, TranslucentBoxGivesTheColoursOf565) {
    Stop();
    Start(GetParam());
    layer::PutBox(0, 0, 64, 64, layer::RgbToPixel(40, 80, 160), 1);
    layer::SetBlendMode(1, 128);
    layer::PutBox(8, 8, 40, 40, layer::RgbToPixel(248, 248, 0), 1);
    const std::uint32_t drawn = BackColour(20, 20);
    Stop();
    Start(platform::ForcedDisplayFormat::kR5G6B5);
    layer::PutBox(0, 0, 64, 64, layer::RgbToPixel(40, 80, 160), 1);
    layer::SetBlendMode(1, 128);
    layer::PutBox(8, 8, 40, 40, layer::RgbToPixel(248, 248, 0), 1);
    const std::uint32_t expected = BackColour(20, 20);
    EXPECT_EQ(drawn >> 19, expected >> 19);
    EXPECT_EQ(drawn & 0xF8, expected & 0xF8);
}

INSTANTIATE_TEST_SUITE_P(Formats, ConvertingScreen,
                         testing::Values(platform::ForcedDisplayFormat::kX1R5G5B5),
                         [](const testing::TestParamInfo<platform::ForcedDisplayFormat>&) {
                             return std::string("X1R5G5B5");
                         });

// An alpha graph keeps its pixels in a software image; a capture of the screen into it is
// opaque whatever alpha the graph held, and draws over another picture whole.
class CaptureFormats : public HardwareRoutes {};

TEST_P(CaptureFormats, CaptureIntoAnAlphaGraphIsOpaque) {
    Stop();
    Start(GetParam());
    layer::PutBox(0, 0, 8, 8, layer::RgbToPixel(40, 80, 160), 1);
    const int graph = layer::CreateGraphSurfaces(8, 8, 0, 1, 0);
    const layer::GraphRecord* record = layer::GetGraphRecord(graph);
    ASSERT_NE(record, nullptr);
    layer::SurfaceData* data =
        layer::GetSurfaceData(layer::GetSurface2D(record->Tiles[0])->SurfaceDataHandle);
    ASSERT_EQ(data->MemImgFlag, 1);
    const layer::PixelFormat& format = *data->Image.Body->Format;
    ASSERT_NE(format.alpha_mask, 0u);
    EXPECT_EQ(layer::CaptureScreenToGraph(0, 0, 8, 8, graph, 1), 0);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            std::uint32_t pixel = 0;
            std::memcpy(
                &pixel,
                data->Image.Pixels + y * data->Image.Body->Pitch + x * format.bytes_per_pixel,
                format.bytes_per_pixel);
            EXPECT_EQ(pixel & format.alpha_mask, format.alpha_mask) << x << " " << y;
        }
    }
    layer::PutBox(0, 0, 8, 8, layer::RgbToPixel(250, 250, 250), 1);
    EXPECT_EQ(layer::PutGraph(0, 0, graph, 1), 0);
    const std::uint32_t first = BackColour(0, 0);
    EXPECT_NE(first, 0xFAFAFAu);
    EXPECT_EQ(BackColour(7, 7), first);
}

std::string CaptureFormatName(const testing::TestParamInfo<platform::ForcedDisplayFormat>& info) {
    constexpr const char* kNames[] = {"Display", "R5G6B5", "X1R5G5B5", "X8B8G8R8"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Formats, CaptureFormats,
                         testing::Values(platform::ForcedDisplayFormat::kNone,
                                         platform::ForcedDisplayFormat::kR5G6B5,
                                         platform::ForcedDisplayFormat::kX1R5G5B5,
                                         platform::ForcedDisplayFormat::kX8B8G8R8),
                         CaptureFormatName);

}  // namespace
