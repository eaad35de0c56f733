// The font table, font creation and the standard font over the fake glyph source.
#include <gtest/gtest.h>

#include <cstring>

#include "layer/media/font_cache_geometry.h"
#include "layer/media/font_system.h"
#include "layer/media/font_table.h"
#include "tests/layer/media/font_fixture.h"
#include "tests/support/sjis.h"

namespace {

using test::FontTest;

TEST_F(FontTest, FortyFirstFontLogsTheLimitAndFails) {
    for (int i = 0; i < layer::kFontSlotCount; ++i) {
        ASSERT_NE(MakeFont(0), -1) << i;
    }
    EXPECT_EQ(MakeFont(0), -1);
    EXPECT_NE(ReadLog().find(test::Sjis(u8"作成できるフォントハンドル数 40 の限界を超えました")),
              std::string::npos);
}

TEST_F(FontTest, ReusedSlotRefusesTheOldHandle) {
    const int old_handle = MakeFont(0);
    ASSERT_EQ(layer::FreeFontHandle(old_handle), 0);
    const int new_handle = MakeFont(0);
    EXPECT_EQ(new_handle & 0xFFFF, old_handle & 0xFFFF);
    EXPECT_NE(new_handle, old_handle);
    EXPECT_EQ(layer::TestFontHandle(old_handle), 0);
    EXPECT_EQ(layer::QueryFontSize(old_handle), -1);
    EXPECT_EQ(layer::FreeFontHandle(old_handle), -1);
    EXPECT_EQ(layer::TestFontHandle(new_handle), 1);
}

TEST_F(FontTest, OccupiedSlotFailsQuietly) {
    const int handle = layer::CreateFontToHandle(nullptr, 16, 6, 0, -1, -1, 0, 3, -1);
    ASSERT_EQ(handle & 0xFFFF, 3);
    EXPECT_EQ(layer::CreateFontToHandle(nullptr, 16, 6, 0, -1, -1, 0, 3, -1), -1);
}

TEST_F(FontTest, DeleteNoticeIsSetWhenTheFontGoes) {
    const int handle = MakeFont(0);
    int notice = 7;
    ASSERT_EQ(layer::SetFontDeleteNotice(handle, &notice), 0);
    EXPECT_EQ(notice, 0);
    layer::FreeFontHandle(handle);
    EXPECT_EQ(notice, 1);
}

struct CellCase {
    const char* name;
    int max_char_width;
    int type;
    int edge_size;
    int expected_type;
    int cell_size;
    int line_height;
};

void PrintTo(const CellCase& cell, std::ostream* out) {
    *out << cell.name;
}

class FontCellTest : public FontTest, public testing::WithParamInterface<CellCase> {};

TEST_P(FontCellTest, CellAndLineFollowTheMetrics) {
    const CellCase& cell = GetParam();
    platform::FakeGlyphs().max_char_width = cell.max_char_width;
    const int handle = MakeFont(cell.type, 16, cell.edge_size);
    ASSERT_NE(handle, -1);
    EXPECT_EQ(Record(handle).type, cell.expected_type);
    EXPECT_EQ(Record(handle).cell_size, cell.cell_size);
    EXPECT_EQ(Record(handle).line_height, cell.line_height);
}

INSTANTIATE_TEST_SUITE_P(Metrics, FontCellTest,
                         testing::Values(CellCase{"Plain", 16, 0, -1, 0, 24, 16},
                                         CellCase{"Edged", 16, 1, 1, 1, 24, 18},
                                         CellCase{"EdgeTwoSetsTheEdgeBit", 20, 0, 2, 1, 32, 20},
                                         CellCase{"EdgeTwoWithoutGrowth", 20, 0, -1, 0, 24, 16},
                                         CellCase{"NarrowCellTakesTheLine", 4, 0, -1, 0, 16, 16}),
                         [](const testing::TestParamInfo<CellCase>& info) {
                             return info.param.name;
                         });

TEST(FontCacheGeometry, CellCountsOfMemoryAndTextureCaches) {
    EXPECT_EQ(layer::MemoryCacheCellCount(24), 568);
    EXPECT_EQ(layer::MemoryCacheCellCount(160), 20);
    EXPECT_EQ(layer::MemoryCacheCellCount(8), 2024);
    const layer::TextureCacheGeometry plain = layer::MeasureTextureCache(24);
    EXPECT_EQ(plain.cell_count, 441);
    EXPECT_EQ(plain.width, 512);
    const layer::TextureCacheGeometry large = layer::MeasureTextureCache(200);
    EXPECT_EQ(large.width, 1024);
    EXPECT_EQ(large.height, 512);
    EXPECT_EQ(large.cell_count, 10);
}

TEST_F(FontTest, PaletteScreenDropsAntiAliasing) {
    test::TextGraphics().screen_bits = 8;
    EXPECT_EQ(Record(MakeFont(3)).type, 1);
}

TEST_F(FontTest, EmptyFaceUsesTheGothicButReportsEmpty) {
    const int handle = MakeFont(0, 16, -1, "");
    ASSERT_NE(handle, -1);
    EXPECT_EQ(platform::FakeGlyphs().requests.front().face, test::Sjis(u8"ＭＳ ゴシック"));
    char face[256] = "x";
    int size = 0;
    int thickness = 0;
    ASSERT_EQ(layer::QueryFontInfo(face, &size, &thickness, handle), 0);
    EXPECT_STREQ(face, "");
    EXPECT_EQ(size, 16);
    EXPECT_EQ(thickness, 6);
}

TEST_F(FontTest, RefusedCharsetsFallBackInOrder) {
    platform::FakeGlyphs().refuse_fonts = 2;
    const int handle = layer::CreateFontToHandle("Face", 16, 6, 0, 2, -1, 1, -1, -1);
    ASSERT_NE(handle, -1);
    const auto& requests = platform::FakeGlyphs().requests;
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].charset, platform::kHangulCharsetValue);
    EXPECT_EQ(requests[1].charset, platform::kDefaultCharsetValue);
    EXPECT_EQ(requests[2].charset, platform::kShiftJisCharsetValue);
    EXPECT_EQ(requests[2].italic, 1);
    EXPECT_EQ(requests[2].weight, 600);
}

TEST_F(FontTest, FontThatNoFaceOpensLogsAndLeavesTheSlotEmpty) {
    platform::FakeGlyphs().refuse_fonts = 3;
    EXPECT_EQ(layer::CreateFontToHandle("Face", 16, 6, 0, -1, -1, 0, -1, -1), -1);
    EXPECT_NE(ReadLog().find(test::Sjis(u8"指定のフォントの作成に失敗しました")),
              std::string::npos);
    EXPECT_EQ(layer::FontHandleInSlot(0), -1);
    EXPECT_EQ(platform::FakeGlyphs().live_fonts, 0);
}

TEST_F(FontTest, MissingWorkSurfaceFailsTheFont) {
    test::TextGraphics().refuse_surfaces = true;
    EXPECT_EQ(MakeFont(2), -1);
    EXPECT_EQ(layer::FontHandleInSlot(0), -1);
    EXPECT_EQ(platform::FakeGlyphs().live_fonts, 0);
}

TEST_F(FontTest, RecreateAllFontsKeepsHandlesAndGaps) {
    const int first = MakeFont(0);
    const int second = MakeFont(3, 20, 2);
    layer::SetFontCharacterGap(-2, second);
    layer::RecreateAllFonts();
    EXPECT_EQ(layer::TestFontHandle(first), 1);
    EXPECT_EQ(layer::TestFontHandle(second), 1);
    EXPECT_EQ(Record(second).character_gap, -2);
    EXPECT_EQ(Record(second).size, 20);
    EXPECT_EQ(Record(second).edge_size, 2);
}

TEST_F(FontTest, ResetMakesANewStandardFontAndFreesTheRest) {
    layer::StartFontSystem();
    const int standard = layer::GetStandardFont();
    ASSERT_EQ(layer::TestFontHandle(standard), 1);
    const int game_font = MakeFont(0);
    layer::ResetFontSystem();
    EXPECT_EQ(layer::TestFontHandle(game_font), 0);
    EXPECT_NE(layer::GetStandardFont(), standard);
    EXPECT_EQ(layer::TestFontHandle(layer::GetStandardFont()), 1);
    layer::EndFontSystem();
    EXPECT_EQ(layer::TestFontHandle(layer::GetStandardFont()), 0);
}

TEST_F(FontTest, StandardFontIsMadeAgainOnlyWhenItsSettingsChange) {
    layer::StartFontSystem();
    const int standard = layer::GetStandardFont();
    layer::ApplyStandardFontSettings();
    EXPECT_EQ(layer::GetStandardFont(), standard);
    ASSERT_EQ(layer::SetStandardFontMetrics(nullptr, 24, -1), 0);
    EXPECT_NE(layer::GetStandardFont(), standard);
    EXPECT_EQ(layer::QueryFontSize(layer::GetStandardFont()), 24);
    EXPECT_EQ(Record(layer::GetStandardFont()).thickness, 6);
}

TEST_F(FontTest, FaceListStopsAtTheMaximumAndFilters) {
    platform::UseGlyphSource(nullptr);
    char names[4][64] = {};
    EXPECT_EQ(layer::ListFontFaces(names, 1, 0), 1);
    EXPECT_STREQ(names[0], test::Sjis(u8"ＭＳ ゴシック").c_str());
    EXPECT_GT(layer::ListFontFaces(nullptr, 0, 1), 0);
    EXPECT_EQ(layer::ListFontFaces(nullptr, 0, 2), 0);
}

}  // namespace
