#include "platform/display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/display_hooks.h"
#include "platform/message_queue.h"
#include "platform/presenter.h"
#include "platform/window.h"

namespace {

using namespace platform;

constexpr DisplayRect kClient{100, 50, 164, 98};

DisplayRect TestClientArea() {
    return kClient;
}

class DisplayTest : public testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ResetDisplayHooks();
        SetClientAreaReader(TestClientArea);
        ASSERT_EQ(CreateDisplayObject(&object), kDisplayOk);
        ASSERT_EQ(SetCooperativeLevel(object, nullptr, kCoopNormal), kDisplayOk);
    }

    void TearDown() override {
        ReleaseDisplayObject(object);
        SetClientAreaReader(nullptr);
        ResetDisplayHooks();
        DiscardWindowMessages();
    }

    DisplaySurface* Plain(int width, int height, std::uint32_t caps = kCapsOffscreenPlain) {
        SurfaceDescription description;
        description.fields = kDescCaps | kDescWidth | kDescHeight;
        description.caps = caps;
        description.width = width;
        description.height = height;
        DisplaySurface* surface = nullptr;
        EXPECT_EQ(CreateSurface(object, description, &surface), kDisplayOk);
        return surface;
    }

    DisplaySurface* Primary(int back_buffers = 0) {
        SurfaceDescription description;
        description.fields = kDescCaps | kDescBackBufferCount;
        description.caps = kCapsPrimary | (back_buffers > 0 ? kCapsFlip | kCapsComplex : 0);
        description.back_buffer_count = back_buffers;
        DisplaySurface* surface = nullptr;
        EXPECT_EQ(CreateSurface(object, description, &surface), kDisplayOk);
        return surface;
    }

    static std::uint32_t Pixel(DisplaySurface* surface, int x, int y) {
        SurfaceDescription locked;
        const DisplayRect one{x, y, x + 1, y + 1};
        if (LockSurface(surface, &one, &locked, kLockReadOnly) != kDisplayOk) {
            return 0xDEADBEEF;
        }
        std::uint32_t value = 0;
        std::memcpy(&value, locked.pixels, locked.format.rgb_bit_count / 8);
        UnlockSurface(surface);
        return value;
    }

    static void Put(DisplaySurface* surface, int x, int y, std::uint32_t value) {
        const DisplayRect one{x, y, x + 1, y + 1};
        BltSurface(surface, &one, nullptr, nullptr, kBltColourFill, value);
    }

    DisplayObject* object = nullptr;
};

TEST_F(DisplayTest, WindowModeReportsTheDesktopAs32BitXrgb) {
    DisplayMode mode;
    GetDisplayMode(object, &mode);
    EXPECT_EQ(mode.bits, 32);
    EXPECT_EQ(mode.format.flags, layer::kDdPixelFormatRgb);
    EXPECT_EQ(mode.format.red_mask, 0xFF0000u);
    EXPECT_EQ(mode.format.green_mask, 0x00FF00u);
    EXPECT_EQ(mode.format.blue_mask, 0x0000FFu);
    EXPECT_GT(mode.width, 0);
}

TEST_F(DisplayTest, SurfacesTakeTheDisplayFormatAndMemoryDefaults) {
    DisplaySurface* plain = Plain(8, 8);
    DisplaySurface* device = Plain(8, 8, kCapsOffscreenPlain | kCaps3DDevice);
    DisplaySurface* texture = Plain(8, 8, kCapsTexture);
    EXPECT_NE(GetSurfaceCaps(plain) & kCapsSystemMemory, 0u);
    EXPECT_NE(GetSurfaceCaps(device) & kCapsVideoMemory, 0u);
    EXPECT_NE(GetSurfaceCaps(texture) & kCapsVideoMemory, 0u);
    DdPixelFormat format;
    GetSurfacePixelFormat(plain, &format);
    EXPECT_EQ(format.rgb_bit_count, 32u);
}

TEST_F(DisplayTest, OverlaysAndFourCcFormatsAreRefused) {
    SurfaceDescription description;
    description.fields = kDescCaps | kDescWidth | kDescHeight | kDescPixelFormat;
    description.caps = kCapsOffscreenPlain;
    description.width = 16;
    description.height = 16;
    description.format = {32, kPixelFormatFourCc, 0x59565955, 0, 0, 0, 0, 0};
    DisplaySurface* surface = nullptr;
    EXPECT_NE(CreateSurface(object, description, &surface), kDisplayOk);
    description.caps = kCapsOverlay | kCapsVideoMemory;
    description.format = DdPixelFormat{32, layer::kDdPixelFormatRgb, 0, 16, 0x7C00, 0x3E0, 0x1F, 0};
    EXPECT_NE(CreateSurface(object, description, &surface), kDisplayOk);
    EXPECT_EQ(surface, nullptr);
}

TEST_F(DisplayTest, ColourFillWritesTheRawValueInsideTheRect) {
    DisplaySurface* surface = Plain(4, 4);
    const DisplayRect rect{1, 1, 3, 2};
    ASSERT_EQ(BltSurface(surface, &rect, nullptr, nullptr, kBltColourFill, 0x12345678), kDisplayOk);
    EXPECT_EQ(Pixel(surface, 1, 1), 0x12345678u);
    EXPECT_EQ(Pixel(surface, 2, 1), 0x12345678u);
    EXPECT_EQ(Pixel(surface, 3, 1), 0u);
    EXPECT_EQ(Pixel(surface, 1, 2), 0u);
}

TEST_F(DisplayTest, RectanglesOutsideASurfaceFail) {
    DisplaySurface* surface = Plain(4, 4);
    const DisplayRect outside{2, 2, 5, 3};
    SurfaceDescription locked;
    EXPECT_EQ(BltSurface(surface, &outside, nullptr, nullptr, kBltColourFill, 1),
              kDisplayInvalidRect);
    EXPECT_EQ(LockSurface(surface, &outside, &locked, 0), kDisplayInvalidRect);
    EXPECT_EQ(BltFastSurface(surface, 3, 0, Plain(2, 2), nullptr, 0), kDisplayInvalidRect);
}

TEST_F(DisplayTest, DepthFillNeedsADepthSurface) {
    DisplaySurface* depth = Plain(4, 4, kCapsZBuffer | kCapsVideoMemory);
    DisplaySurface* plain = Plain(4, 4);
    EXPECT_EQ(BltSurface(depth, nullptr, nullptr, nullptr, kBltDepthFill, 0xFFFF), kDisplayOk);
    EXPECT_EQ(Pixel(depth, 3, 3), 0xFFFFu);
    EXPECT_NE(BltSurface(plain, nullptr, nullptr, nullptr, kBltDepthFill, 0xFFFF), kDisplayOk);
}

TEST_F(DisplayTest, KeyedBltFastSkipsKeyPixels) {
    DisplaySurface* source = Plain(2, 1);
    DisplaySurface* target = Plain(2, 1);
    Put(source, 0, 0, 0x00FF00FF);
    Put(source, 1, 0, 0x00112233);
    BltSurface(target, nullptr, nullptr, nullptr, kBltColourFill, 0x00777777);
    const ColourKey key{0x00FF00FF, 0x00FF00FF};
    SetSurfaceColourKey(source, kColourKeySourceBlt, &key);
    ASSERT_EQ(BltFastSurface(target, 0, 0, source, nullptr, kBltFastSourceColourKey), kDisplayOk);
    EXPECT_EQ(Pixel(target, 0, 0), 0x00777777u);
    EXPECT_EQ(Pixel(target, 1, 0), 0x00112233u);
    ASSERT_EQ(BltFastSurface(target, 0, 0, source, nullptr, kBltFastNoColourKey), kDisplayOk);
    EXPECT_EQ(Pixel(target, 0, 0), 0x00FF00FFu);
}

TEST_F(DisplayTest, StretchIsNearestNeighbour) {
    DisplaySurface* source = Plain(2, 1);
    DisplaySurface* target = Plain(4, 2);
    Put(source, 0, 0, 1);
    Put(source, 1, 0, 2);
    ASSERT_EQ(BltSurface(target, nullptr, source, nullptr, 0, 0), kDisplayOk);
    const std::uint32_t expected[2][4] = {{1, 1, 2, 2}, {1, 1, 2, 2}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(Pixel(target, x, y), expected[y][x]) << x << "," << y;
        }
    }
}

TEST_F(DisplayTest, CopiesNeedOneFormat) {
    SurfaceDescription description;
    description.fields = kDescCaps | kDescWidth | kDescHeight | kDescPixelFormat;
    description.caps = kCapsOffscreenPlain;
    description.width = 2;
    description.height = 2;
    description.format = {32, layer::kDdPixelFormatRgb, 0, 16, 0xF800, 0x07E0, 0x001F, 0};
    DisplaySurface* sixteen = nullptr;
    ASSERT_EQ(CreateSurface(object, description, &sixteen), kDisplayOk);
    EXPECT_EQ(BltSurface(Plain(2, 2), nullptr, sixteen, nullptr, 0, 0), kDisplayUnsupported);
}

TEST_F(DisplayTest, FlipCopiesBackToFrontAndKeepsTheBack) {
    ForceDisplayFormat(ForcedDisplayFormat::kR5G6B5);
    DisplaySurface* front = Primary(1);
    DisplaySurface* back = nullptr;
    ASSERT_EQ(GetAttachedSurface(front, kCapsBackBuffer, &back), kDisplayOk);
    const DisplayRect spot{110, 60, 111, 61};
    BltSurface(back, &spot, nullptr, nullptr, kBltColourFill, 0xF800);
    ASSERT_EQ(FlipSurface(front, kFlipNoVsync), kDisplayOk);
    EXPECT_EQ(Pixel(front, 110, 60), 0xF800u);
    EXPECT_EQ(Pixel(back, 110, 60), 0xF800u);
    const RetainedFrame& frame = GetRetainedFrame();
    std::uint16_t shown = 0;
    std::memcpy(&shown, frame.pixels.data() + 10 * frame.pitch + 10 * 2, 2);
    EXPECT_EQ(shown, 0xF800);
}

TEST_F(DisplayTest, FlipWaitsForTheNextBlank) {
    InstallSteppingDisplayClock(0, 1000);
    DisplaySurface* front = Primary(1);
    ASSERT_EQ(FlipSurface(front, 0), kDisplayOk);
    int in_blank = 0;
    GetVerticalBlankStatus(object, &in_blank);
    EXPECT_EQ(in_blank, 1);
}

TEST_F(DisplayTest, PrimaryUsesDesktopCoordinatesClippedToTheClientArea) {
    DisplaySurface* primary = Primary();
    const DisplayRect across{90, 40, 110, 60};
    ASSERT_EQ(BltSurface(primary, &across, nullptr, nullptr, kBltColourFill, 0x00ABCDEF),
              kDisplayOk);
    const RetainedFrame& frame = GetRetainedFrame();
    ASSERT_EQ(frame.width, 64);
    ASSERT_EQ(frame.height, 48);
    const auto* row0 = reinterpret_cast<const std::uint32_t*>(frame.pixels.data());
    const auto* row9 =
        reinterpret_cast<const std::uint32_t*>(frame.pixels.data() + 9 * frame.pitch);
    EXPECT_EQ(row0[0], 0x00ABCDEFu);
    EXPECT_EQ(row9[9], 0x00ABCDEFu);
    EXPECT_EQ(row9[10], 0u);
    EXPECT_EQ(Pixel(primary, 109, 59), 0x00ABCDEFu);
}

TEST_F(DisplayTest, PrimaryLocksOnlyInsideTheClientArea) {
    DisplaySurface* primary = Primary();
    SurfaceDescription locked;
    const DisplayRect inside{100, 50, 164, 98};
    const DisplayRect outside{99, 50, 120, 60};
    ASSERT_EQ(LockSurface(primary, &inside, &locked, kLockWriteOnly), kDisplayOk);
    EXPECT_EQ(locked.pixels, GetRetainedFrame().pixels.data());
    UnlockSurface(primary);
    EXPECT_EQ(LockSurface(primary, &outside, &locked, 0), kDisplayInvalidRect);
}

TEST_F(DisplayTest, LockPointsAtTheRectOrigin) {
    DisplaySurface* surface = Plain(8, 4);
    SurfaceDescription whole;
    SurfaceDescription part;
    LockSurface(surface, nullptr, &whole, 0);
    const DisplayRect rect{3, 2, 5, 4};
    LockSurface(surface, &rect, &part, 0);
    EXPECT_EQ(part.pixels, whole.pixels + 2 * whole.pitch + 3 * 4);
    UnlockSurface(surface);
    UnlockSurface(surface);
}

TEST_F(DisplayTest, LossFailsBlitsAndLocksUntilRestore) {
    DisplaySurface* video = Plain(4, 4, kCapsOffscreenPlain | kCapsVideoMemory);
    DisplaySurface* system = Plain(4, 4);
    Put(video, 0, 0, 0x00010203);
    SimulateDisplayLoss();
    SurfaceDescription locked;
    EXPECT_EQ(IsSurfaceLost(video), kDisplaySurfaceLost);
    EXPECT_EQ(IsSurfaceLost(system), kDisplayOk);
    EXPECT_EQ(LockSurface(video, nullptr, &locked, 0), kDisplaySurfaceLost);
    EXPECT_EQ(BltFastSurface(system, 0, 0, video, nullptr, 0), kDisplaySurfaceLost);
    EXPECT_EQ(RestoreSurface(video), kDisplayOk);
    EXPECT_EQ(IsSurfaceLost(video), kDisplayOk);
    EXPECT_NE(Pixel(video, 0, 0), 0x00010203u);
}

TEST_F(DisplayTest, FailNextRefusesOnceByCaps) {
    FailNextDisplayOperation(DisplayOperation::kCreateSurface, kCapsVideoMemory);
    SurfaceDescription description;
    description.fields = kDescCaps | kDescWidth | kDescHeight;
    description.caps = kCapsOffscreenPlain | kCapsSystemMemory;
    description.width = 2;
    description.height = 2;
    DisplaySurface* surface = nullptr;
    EXPECT_EQ(CreateSurface(object, description, &surface), kDisplayOk);
    description.caps = kCapsOffscreenPlain | kCapsVideoMemory;
    EXPECT_NE(CreateSurface(object, description, &surface), kDisplayOk);
    EXPECT_EQ(CreateSurface(object, description, &surface), kDisplayOk);
}

TEST_F(DisplayTest, DisplayModeNeedsExclusiveLevelAndPostsTheChange) {
    EXPECT_NE(SetDisplayMode(object, 640, 480, 16, 60), kDisplayOk);
    DiscardWindowMessages();
    SetCooperativeLevel(object, nullptr, kCoopFullScreen | kCoopExclusive);
    ASSERT_EQ(SetDisplayMode(object, 640, 480, 16, 60), kDisplayOk);
    const DisplayMode mode = ReadDisplayModeInForce();
    EXPECT_EQ(mode.width, 640);
    EXPECT_EQ(mode.bits, 16);
    EXPECT_EQ(mode.format.red_mask, 0xF800u);
    Message message;
    ASSERT_TRUE(TakeWindowMessage(&message));
    EXPECT_EQ(message.kind, MessageKind::kDisplayChange);
    EXPECT_EQ(message.depth, 16);
    RestoreDisplayMode(object);
    EXPECT_EQ(ReadDisplayModeInForce().bits, 32);
}

TEST_F(DisplayTest, TheDesktopReportsTheDisplayModeWhileItIsSet) {
    SetCooperativeLevel(object, nullptr, kCoopFullScreen | kCoopExclusive);
    ASSERT_EQ(SetDisplayMode(object, 800, 600, 16, 60), kDisplayOk);
    const DesktopMode set = ReadDesktopMode();
    EXPECT_EQ(set.width, 800);
    EXPECT_EQ(set.height, 600);
    EXPECT_EQ(set.bits, 16);
    RestoreDisplayMode(object);
    const DesktopMode restored = ReadDesktopMode();
    EXPECT_EQ(restored.width, 1024);
    EXPECT_EQ(restored.height, 768);
    EXPECT_EQ(restored.bits, 32);
}

TEST_F(DisplayTest, ScanLineAndBlankFollowTheClock) {
    InstallSteppingDisplayClock(0, 0);
    const std::uint64_t period = 1'000'000'000 / 60;
    SleepOnDisplayClock(period / 2);
    int line = 0;
    int in_blank = 1;
    GetScanLine(object, &line);
    GetVerticalBlankStatus(object, &in_blank);
    EXPECT_NEAR(line, ReadDisplayModeInForce().height / 2, 1);
    EXPECT_EQ(in_blank, 0);
    WaitForVerticalBlank(object);
    GetVerticalBlankStatus(object, &in_blank);
    EXPECT_EQ(in_blank, 1);
    EXPECT_EQ(ReadDisplayClock() % period, period - period / 20);
}

TEST_F(DisplayTest, DrawContextCopyIsASameFormatCopy) {
    DisplaySurface* source = Plain(2, 2);
    DisplaySurface* target = Plain(2, 2);
    Put(source, 1, 1, 0x00445566);
    EXPECT_NE(CopyBetweenDrawContexts(target, 0, 0, 2, 2, source, 0, 0), kDisplayOk);
    GetSurfaceDrawContext(source);
    GetSurfaceDrawContext(target);
    EXPECT_EQ(CopyBetweenDrawContexts(target, 0, 0, 2, 2, source, 0, 0), kDisplayOk);
    ReleaseSurfaceDrawContext(source);
    ReleaseSurfaceDrawContext(target);
    EXPECT_EQ(Pixel(target, 1, 1), 0x00445566u);
}

// The dummy driver has no GL: there is no 3D interface to hand out.
TEST_F(DisplayTest, Direct3DNeedsGl) {
    Direct3D* direct3d = nullptr;
    EXPECT_NE(QueryDirect3D(object, &direct3d), kDisplayOk);
    EXPECT_EQ(direct3d, nullptr);
}

}  // namespace
