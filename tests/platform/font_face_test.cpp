// Fonts of the FreeType glyph source over Debian's IPA fonts.
#include <gtest/gtest.h>

#include <string>

#include "platform/fonts/font_config.h"
#include "platform/fonts/freetype_font.h"
#include "tests/support/sjis.h"

namespace {

using platform::FaceMetrics;
using platform::FontFace;
using platform::GlyphFormat;
using platform::GlyphMetrics;

class FontFaceTest : public testing::Test {
  protected:
    FontFace* Make(const std::string& name, int height, int weight) {
        FontFace* face = platform::CreateFreeTypeFont({name.c_str(), height, weight});
        faces_.push_back(face);
        return face;
    }
    void TearDown() override {
        for (FontFace* face : faces_) {
            platform::DeleteFreeTypeFont(face);
        }
    }

  private:
    std::vector<FontFace*> faces_;
};

std::string Family(FontFace* face) {
    return platform::AsFreeTypeFont(face)->face->family_name;
}

TEST_F(FontFaceTest, CellHeightSizesTheFaceAsTheSystemDoes) {
    FontFace* face = Make(test::Sjis(u8"ＭＳ ゴシック"), 16, 400);
    ASSERT_NE(face, nullptr);
    const FaceMetrics metrics = platform::ReadFreeTypeMetrics(face);
    EXPECT_EQ(platform::AsFreeTypeFont(face)->face->size->metrics.y_ppem, 15);
    EXPECT_EQ(metrics.height, 16);
    EXPECT_EQ(metrics.ascent, 13);
    EXPECT_EQ(metrics.descent, 3);
    EXPECT_EQ(metrics.max_char_width, 15);
}

TEST_F(FontFaceTest, BoldOnALightFaceWidensGlyphsAndAdvancesByAPixel) {
    FontFace* light = Make("IPAGothic", 16, 400);
    FontFace* bold = Make("IPAGothic", 16, 600);
    ASSERT_NE(light, nullptr);
    ASSERT_NE(bold, nullptr);
    const unsigned code = 0x8AbF;  // 漢
    for (GlyphFormat format : {GlyphFormat::kBitmap, GlyphFormat::kGray4}) {
        GlyphMetrics plain;
        GlyphMetrics wide;
        ASSERT_GT(platform::ReadFreeTypeGlyph(light, code, format, &plain, nullptr, 0), 0);
        ASSERT_GT(platform::ReadFreeTypeGlyph(bold, code, format, &wide, nullptr, 0), 0);
        EXPECT_EQ(wide.box_width, plain.box_width + 1);
        EXPECT_EQ(wide.box_height, plain.box_height);
        EXPECT_EQ(wide.cell_increment_x, plain.cell_increment_x + 1);
    }
}

TEST_F(FontFaceTest, UnknownNameFallsBackToTheJapaneseGothic) {
    FontFace* face = Make("No Such Face At All", 16, 400);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(Family(face), "IPAGothic");
    EXPECT_TRUE(platform::AsFreeTypeFont(face)->yen_for_backslash);
}

}  // namespace
