// Strings in every font type, across and down, with Debian's IPA Gothic, compared with golden
// pictures of our own output (FreeType 2.12.1, fonts-ipafont 00303).
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstring>

#include "layer/media/string_layout.h"
#include "tests/layer/media/font_fixture.h"
#include "tests/support/golden.h"
#include "tests/support/sjis.h"

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 200;
constexpr std::uint32_t kBody = 0xFFFFFF;
constexpr std::uint32_t kEdge = 0x2040C0;
constexpr std::uint8_t kBackground = 0x50;

class StringGolden : public test::FontTest {
  protected:
    void SetUp() override {
        FontTest::SetUp();
        platform::UseGlyphSource(nullptr);
        picture_.width = kWidth;
        picture_.height = kHeight;
        picture_.pixels.assign(kWidth * kHeight * 4, kBackground);
        for (std::size_t i = 3; i < picture_.pixels.size(); i += 4) {
            picture_.pixels[i] = 255;
        }
    }

    // Draws the text with a font of the type onto the picture; anti-aliased pixels carry
    // their coverage in the top byte.
    void Draw(int type, int x, int y, int vertical, const std::string& text) {
        const std::string face = test::Sjis(u8"ＭＳ ゴシック");
        const int handle = layer::CreateFontToHandle(face.c_str(), 16, 5, type, -1, -1, 0, -1, -1);
        ASSERT_NE(handle, -1);
        layer::MEMIMG image;
        ASSERT_EQ(layer::SetupMemImg(&image, kWidth, kHeight, -1, 0, 1, 0, 1, 0, nullptr), 0);
        layer::FillMemImgRaw(&image, nullptr, 0);
        const layer::Rect clip{0, 0, kWidth, kHeight};
        ASSERT_GT(layer::DrawStringThroughCache(1, x, y, 0, 1.0, 1.0, text.c_str(), kBody, &image,
                                                &clip, 1, handle, kEdge, -1, vertical, nullptr),
                  0);
        const bool coverage = (type & 2) != 0;
        for (int py = 0; py < kHeight; ++py) {
            for (int px = 0; px < kWidth; ++px) {
                std::uint32_t value = 0;
                std::memcpy(&value, image.Pixels + py * image.Body->Pitch + px * 4, 4);
                const int alpha = coverage ? static_cast<int>(value >> 24) : (value != 0) * 255;
                if (alpha == 0) {
                    continue;
                }
                std::uint8_t* out = &picture_.pixels[(py * kWidth + px) * 4];
                for (int channel = 0; channel < 3; ++channel) {
                    const int colour = static_cast<int>(value >> (16 - 8 * channel) & 0xFF);
                    out[channel] = static_cast<std::uint8_t>(
                        (colour * alpha + out[channel] * (255 - alpha) + 127) / 255);
                }
            }
        }
        layer::ReleaseMemImg(&image);
        layer::FreeFontHandle(handle);
    }

    test::RgbaImage picture_;
};

TEST_F(StringGolden, FourTypesAcrossAndDown) {
    const std::string text = test::Sjis(u8"あA漢字ｶﾅ①\\");
    for (int type = 0; type < 4; ++type) {
        Draw(type, 4, 4 + type * 22, 0, text);
        Draw(type, 140 + type * 24, 4, 1, text);
    }
    EXPECT_TRUE(test::MatchesGolden(picture_, "layer/media/string_types"))
        << "made with FreeType " << FREETYPE_MAJOR << "." << FREETYPE_MINOR << "." << FREETYPE_PATCH
        << " and fonts-ipafont 00303";
}

}  // namespace
