// Glyphs of the FreeType glyph source over Debian's IPA fonts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fonts/freetype_font.h"
#include "tests/support/sjis.h"

namespace {

using platform::FontFace;
using platform::GlyphFormat;
using platform::GlyphMetrics;

}  // namespace

namespace platform {
void PrintTo(GlyphFormat format, std::ostream* out) {
    *out << (format == GlyphFormat::kBitmap ? "bitmap" : "gray4");
}
}  // namespace platform

namespace {

class FontGlyphTest : public testing::TestWithParam<GlyphFormat> {
  protected:
    void SetUp() override {
        face_ = platform::CreateFreeTypeFont({gothic_.c_str(), 16, 400});
        ASSERT_NE(face_, nullptr);
    }
    void TearDown() override { platform::DeleteFreeTypeFont(face_); }

    const std::string gothic_ = test::Sjis(u8"ＭＳ ゴシック");
    FontFace* face_ = nullptr;
};

unsigned CodeOf(const std::string& cp932) {
    const auto lead = static_cast<unsigned char>(cp932[0]);
    return cp932.size() == 2 ? lead << 8 | static_cast<unsigned char>(cp932[1]) : lead;
}

TEST_P(FontGlyphTest, CharactersRenderInsideTheirCell) {
    const GlyphFormat format = GetParam();
    const platform::FaceMetrics cell = platform::ReadFreeTypeMetrics(face_);
    for (const char8_t* character : {u8"あ", u8"A", u8"漢"}) {
        GlyphMetrics metrics;
        const int size = platform::ReadFreeTypeGlyph(face_, CodeOf(test::Sjis(character)), format,
                                                     &metrics, nullptr, 0);
        const int stride = platform::GlyphRowStride(format, metrics.box_width);
        ASSERT_EQ(size, stride * metrics.box_height);
        EXPECT_EQ(stride % 4, 0);
        std::vector<std::uint8_t> bitmap(static_cast<std::size_t>(size));
        ASSERT_EQ(platform::ReadFreeTypeGlyph(face_, CodeOf(test::Sjis(character)), format,
                                              &metrics, bitmap.data(), size),
                  size);
        int set = 0;
        for (std::uint8_t byte : bitmap) {
            set += byte != 0;
            if (format == GlyphFormat::kGray4) {
                EXPECT_LE(byte, 16);
            }
        }
        EXPECT_GT(set, 0);
        EXPECT_GE(metrics.origin_x, 0);
        EXPECT_LE(metrics.origin_x + metrics.box_width, cell.max_char_width + 1);
        EXPECT_GE(cell.ascent - metrics.origin_y, 0);
        EXPECT_LE(cell.ascent - metrics.origin_y + metrics.box_height, cell.height);
        EXPECT_GT(metrics.cell_increment_x, 0);
    }
}

TEST_P(FontGlyphTest, SpaceHasAnAdvanceButNoPixels) {
    GlyphMetrics metrics;
    EXPECT_EQ(platform::ReadFreeTypeGlyph(face_, 0x20, GetParam(), &metrics, nullptr, 0), 0);
    EXPECT_EQ(metrics.box_width, 1);
    EXPECT_EQ(metrics.box_height, 1);
    EXPECT_EQ(metrics.cell_increment_x, 8);
}

TEST_P(FontGlyphTest, UnconvertibleBytesDrawTheMissingGlyph) {
    GlyphMetrics missing;
    GlyphMetrics lone_lead;
    const int size = platform::ReadFreeTypeGlyph(face_, 0xFF, GetParam(), &missing, nullptr, 0);
    EXPECT_GE(size, 0);
    EXPECT_EQ(platform::ReadFreeTypeGlyph(face_, 0x8120, GetParam(), &lone_lead, nullptr, 0), size);
    EXPECT_EQ(lone_lead.cell_increment_x, missing.cell_increment_x);
}

INSTANTIATE_TEST_SUITE_P(Formats, FontGlyphTest,
                         testing::Values(GlyphFormat::kBitmap, GlyphFormat::kGray4),
                         [](const testing::TestParamInfo<GlyphFormat>& info) {
                             return info.param == GlyphFormat::kBitmap ? "Bitmap" : "Gray4";
                         });

struct CodeCase {
    const char* name;
    unsigned code;
    std::optional<char32_t> unicode;
};

void PrintTo(const CodeCase& code, std::ostream* out) {
    *out << code.name;
}

class GlyphCodeTest : public testing::TestWithParam<CodeCase> {};

TEST_P(GlyphCodeTest, ConvertsOneCharacterOfCodePage932) {
    FontFace* face = platform::CreateFreeTypeFont({test::Sjis(u8"ＭＳ ゴシック").c_str(), 16, 400});
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(platform::GlyphCodeToUnicode(*platform::AsFreeTypeFont(face), GetParam().code),
              GetParam().unicode);
    platform::DeleteFreeTypeFont(face);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, GlyphCodeTest,
    testing::Values(CodeCase{"Hiragana", 0x82A0, U'あ'}, CodeCase{"CircledOne", 0x8740, U'①'},
                    CodeCase{"HalfWidthKana", 0xA6, U'ｦ'}, CodeCase{"Letter", 0x41, U'A'},
                    CodeCase{"BackslashIsYen", 0x5C, U'¥'},
                    CodeCase{"TableSecondByte5C", 0x955C, U'表'},
                    CodeCase{"BadTrail", 0x8120, std::nullopt},
                    CodeCase{"LoneLead", 0x81, std::nullopt},
                    CodeCase{"Byte80", 0x80, std::nullopt}, CodeCase{"ByteA0", 0xA0, std::nullopt},
                    CodeCase{"ByteFD", 0xFD, std::nullopt}),
    [](const testing::TestParamInfo<CodeCase>& info) { return info.param.name; });

TEST(GlyphCode, BackslashStaysABackslashInFacesOfTheirOwnName) {
    FontFace* face = platform::CreateFreeTypeFont({"IPAGothic", 16, 400});
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(platform::GlyphCodeToUnicode(*platform::AsFreeTypeFont(face), 0x5C), U'\\');
    platform::DeleteFreeTypeFont(face);
}

}  // namespace
