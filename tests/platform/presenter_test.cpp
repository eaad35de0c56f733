#include "platform/presenter.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/sdl_main_window.h"
#include "platform/window.h"
#include "tests/support/golden.h"

namespace {

using namespace platform;

constexpr int kCardWidth = 16;
constexpr int kCardHeight = 12;

// Colour bars over a grey ramp, in 32-bit X8R8G8B8.
std::vector<std::uint32_t> TestCard() {
    const std::uint32_t bars[] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                  0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
    std::vector<std::uint32_t> card(kCardWidth * kCardHeight);
    for (int y = 0; y < kCardHeight; ++y) {
        for (int x = 0; x < kCardWidth; ++x) {
            const std::uint32_t grey = static_cast<std::uint32_t>(x * 16);
            card[y * kCardWidth + x] = y < 8 ? bars[x / 2] : grey << 16 | grey << 8 | grey;
        }
    }
    return card;
}

test::RgbaImage FrameAsRgba() {
    const RetainedFrame& frame = GetRetainedFrame();
    std::vector<std::uint32_t> xrgb(static_cast<std::size_t>(frame.width) * frame.height);
    EXPECT_EQ(ReadRetainedFrame({0, 0, frame.width, frame.height}, xrgb.data(), frame.width * 4),
              0);
    test::RgbaImage image{frame.width, frame.height, {}};
    for (const std::uint32_t pixel : xrgb) {
        image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(pixel >> 16),
                                                 static_cast<std::uint8_t>(pixel >> 8),
                                                 static_cast<std::uint8_t>(pixel), 255});
    }
    return image;
}

class PresenterTest : public testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        WindowRequest request;
        request.width = kCardWidth * GetParam();
        request.height = kCardHeight * GetParam();
        window = OpenWindow(request);
        ASSERT_NE(window, nullptr);
        ConfigureRetainedFrame(request.width, request.height,
                               {32, layer::kDdPixelFormatRgb, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0});
    }

    void TearDown() override {
        CloseWindow(window);
        ConfigureRetainedFrame(0, 0, {});
    }

    Window* window = nullptr;
};

TEST_P(PresenterTest, TestCardLandsInTheRetainedFrameAndTheWindow) {
    const int scale = GetParam();
    const std::vector<std::uint32_t> card = TestCard();
    PixelBits bits;
    bits.pixels = reinterpret_cast<const std::uint8_t*>(card.data());
    bits.width = kCardWidth;
    bits.height = kCardHeight;
    bits.pitch = kCardWidth * 4;
    bits.bits = 32;
    ASSERT_EQ(PresentBits({0, 0, kCardWidth * scale, kCardHeight * scale}, bits,
                          {0, 0, kCardWidth, kCardHeight}),
              0);
    EXPECT_TRUE(
        test::MatchesGolden(FrameAsRgba(), "platform/presenter_card_x" + std::to_string(scale)));

    SDL_Surface* surface = SDL_GetWindowSurface(CurrentSdlWindow());
    ASSERT_NE(surface, nullptr);
    for (int y = 0; y < kCardHeight * scale; ++y) {
        for (int x = 0; x < kCardWidth * scale; ++x) {
            const auto* row =
                static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
            const std::uint32_t pixel = *reinterpret_cast<const std::uint32_t*>(row + x * 4);
            Uint8 r = 0;
            Uint8 g = 0;
            Uint8 b = 0;
            SDL_GetRGB(pixel, surface->format, &r, &g, &b);
            const std::uint32_t expected = card[(y / scale) * kCardWidth + x / scale];
            ASSERT_EQ(std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b, expected)
                << x << "," << y;
        }
    }

    // A part presented 1 : 1 away from the corner lands at its own place in the window and
    // leaves the pixels beside it.
    const auto window_pixel = [&](int x, int y) {
        const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
        Uint8 r = 0;
        Uint8 g = 0;
        Uint8 b = 0;
        SDL_GetRGB(*reinterpret_cast<const std::uint32_t*>(row + x * 4), surface->format, &r, &g,
                   &b);
        return std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b;
    };
    const std::uint32_t beside = window_pixel(4, 3);
    ASSERT_EQ(PresentBits({5, 3, 11, 7}, bits, {0, 0, 6, 4}), 0);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(window_pixel(5 + x, 3 + y), card[y * kCardWidth + x]) << x << "," << y;
        }
    }
    EXPECT_EQ(window_pixel(4, 3), beside);
}

// Rows presented 1 : 1, long enough for the copy's eight-pixel steps and with a tail, land in
// the frame and in the window's surface alike, X cleared in both.
TEST_P(PresenterTest, OneToOneRowsLandInTheFrameAndTheWindowWithXCleared) {
    constexpr int kWidth = 13;
    constexpr int kHeight = 2;
    std::uint32_t source[kHeight][kWidth];
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            source[y][x] = 0x9E3779B9u * static_cast<std::uint32_t>(y * kWidth + x + 1);
        }
    }
    PixelBits bits;
    bits.pixels = reinterpret_cast<const std::uint8_t*>(source);
    bits.width = kWidth;
    bits.height = kHeight;
    bits.pitch = kWidth * 4;
    bits.bits = 32;
    ASSERT_EQ(PresentBits({2, 5, 2 + kWidth, 5 + kHeight}, bits, {0, 0, kWidth, kHeight}), 0);
    const RetainedFrame& frame = GetRetainedFrame();
    SDL_Surface* surface = SDL_GetWindowSurface(CurrentSdlWindow());
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->format->BytesPerPixel, 4);
    for (int y = 0; y < kHeight; ++y) {
        const auto* frame_row =
            reinterpret_cast<const std::uint32_t*>(frame.pixels.data() + (5 + y) * frame.pitch);
        const auto* window_row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const std::uint8_t*>(surface->pixels) + (5 + y) * surface->pitch);
        for (int x = 0; x < kWidth; ++x) {
            EXPECT_EQ(frame_row[2 + x], source[y][x] & 0x00FFFFFFu) << x << "," << y;
            EXPECT_EQ(window_row[2 + x], source[y][x] & 0x00FFFFFFu) << x << "," << y;
        }
        EXPECT_EQ(frame_row[1], 0u);
        EXPECT_EQ(frame_row[2 + kWidth], 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, PresenterTest, testing::Values(1, 2),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Scale" + std::to_string(info.param);
                         });

TEST(PresenterBits, SixteenBitSourcesAndPartsOutsideTheFrame) {
    ConfigureRetainedFrame(4, 1, {32, layer::kDdPixelFormatRgb, 0, 16, 0xF800, 0x07E0, 0x001F, 0});
    const std::uint16_t source[2] = {0xF800, 0x001F};
    PixelBits bits;
    bits.pixels = reinterpret_cast<const std::uint8_t*>(source);
    bits.width = 2;
    bits.height = 1;
    bits.pitch = 4;
    bits.bits = 16;
    ASSERT_EQ(PresentBits({3, 0, 5, 1}, bits, {0, 0, 2, 1}), 0);
    const RetainedFrame& frame = GetRetainedFrame();
    const auto* pixels = reinterpret_cast<const std::uint16_t*>(frame.pixels.data());
    EXPECT_EQ(pixels[2], 0);
    EXPECT_EQ(pixels[3], 0xF800);
    EXPECT_EQ(PresentBits({2, 0, 1, 1}, bits, {0, 0, 2, 1}), -1);
    ConfigureRetainedFrame(0, 0, {});
}

// 32-bit rows in the frame's own format are copied straight, still from the first column
// inside the frame and with X cleared as every conversion clears it.
TEST(PresenterBits, ThirtyTwoBitRowsClearXAndStartAtTheClippedColumn) {
    ConfigureRetainedFrame(4, 1, {32, layer::kDdPixelFormatRgb, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0});
    const std::uint32_t source[3] = {0xAB123456, 0xCD654321, 0xEF000001};
    PixelBits bits;
    bits.pixels = reinterpret_cast<const std::uint8_t*>(source);
    bits.width = 3;
    bits.height = 1;
    bits.pitch = 12;
    bits.bits = 32;
    ASSERT_EQ(PresentBits({-1, 0, 2, 1}, bits, {0, 0, 3, 1}), 0);
    const RetainedFrame& frame = GetRetainedFrame();
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(frame.pixels.data());
    EXPECT_EQ(pixels[0], 0x654321u);
    EXPECT_EQ(pixels[1], 0x000001u);
    EXPECT_EQ(pixels[2], 0u);

    // A row long enough for the copy's wide steps, from an unaligned column, with a tail.
    ConfigureRetainedFrame(16, 1, {32, layer::kDdPixelFormatRgb, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0});
    std::uint32_t row[16];
    for (std::uint32_t i = 0; i < 16; ++i) {
        row[i] = 0x9E3779B9u * (i + 1);
    }
    bits.pixels = reinterpret_cast<const std::uint8_t*>(row);
    bits.width = 16;
    bits.pitch = 64;
    ASSERT_EQ(PresentBits({-3, 0, 13, 1}, bits, {0, 0, 16, 1}), 0);
    const auto* long_row = reinterpret_cast<const std::uint32_t*>(frame.pixels.data());
    for (int x = 0; x < 13; ++x) {
        EXPECT_EQ(long_row[x], row[x + 3] & 0x00FFFFFFu) << "column " << x;
    }
    EXPECT_EQ(long_row[13], 0u);
    ConfigureRetainedFrame(0, 0, {});
}

// A frame of 640 x 480 on a window twice its size, and on a wider one with bars beside it.
TEST(PresenterPoints, FramePointsLandWhereTheFrameIsShownAndBack) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    WindowRequest request;
    request.width = 1280;
    request.height = 960;
    Window* window = OpenWindow(request);
    ASSERT_NE(window, nullptr);
    ConfigureRetainedFrame(640, 480,
                           {32, layer::kDdPixelFormatRgb, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0});
    struct PointCase {
        int window_width;
        int window_height;
        int x;
        int y;
        int window_x;
        int window_y;
    };
    for (const PointCase& c :
         {PointCase{1280, 960, 50, 30, 100, 60}, PointCase{1000, 600, 0, 0, 100, 0},
          PointCase{1000, 600, 320, 240, 500, 300}, PointCase{640, 600, 64, 0, 64, 60}}) {
        SDL_SetWindowSize(CurrentSdlWindow(), c.window_width, c.window_height);
        int x = c.x;
        int y = c.y;
        FrameToWindowPoint(&x, &y);
        EXPECT_EQ(x, c.window_x) << c.window_width << "x" << c.window_height;
        EXPECT_EQ(y, c.window_y) << c.window_width << "x" << c.window_height;
        WindowToFramePoint(&x, &y);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
    }
    CloseWindow(window);
    ConfigureRetainedFrame(0, 0, {});
}

}  // namespace
