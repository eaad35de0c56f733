// The glyph cache: entries, round-robin reuse and every memory cell format.
#include <gtest/gtest.h>

#include "layer/media/glyph_cache.h"
#include "layer/media/glyph_pixels.h"
#include "tests/layer/media/font_fixture.h"
#include "tests/support/joined.h"
#include "tests/support/sjis.h"

namespace {

using test::FontTest;

// The byte of cell pixel (x, y) of a character's entry in a byte-per-pixel cache.
int CellByte(const layer::FontRecord& record, const layer::TextCacheEntry& entry, int x, int y) {
    const int row = entry.cell_index % record.cells_per_column;
    return record.cache_memory[(row * record.cell_size + y) * record.cache_pitch + x];
}

const layer::TextCacheEntry& EntryOf(const layer::FontRecord& record, const char* text) {
    layer::CharacterCell cell{{static_cast<unsigned char>(text[0]),
                               static_cast<unsigned char>(text[0] != 0 ? text[1] : 0), 0}};
    return *record.character_map[layer::CharacterCode(cell)].entry;
}

TEST_F(FontTest, TwentyFirstGlyphEvictsTheFirst) {
    platform::FakeGlyphs().max_char_width = 150;
    const int handle = MakeFont(0);
    layer::FontRecord& record = Record(handle);
    ASSERT_EQ(record.cell_count, 20);
    ASSERT_EQ(layer::PrepareStringGlyphs(-1, "ABCDEFGHIJKLMNOPQRST", handle, nullptr, nullptr), 0);
    ASSERT_EQ(layer::PrepareStringGlyphs(-1, "U", handle, nullptr, nullptr), 0);
    EXPECT_EQ(record.character_map[int{'A'}].cached, 0);
    EXPECT_EQ(record.character_map[int{'B'}].cached, 1);
    EXPECT_EQ(record.character_map[int{'U'}].cached, 1);
    EXPECT_EQ(record.character_map[int{'U'}].entry->cell_index, 0);
    platform::FakeGlyphs().rendered_codes.clear();
    ASSERT_EQ(layer::PrepareStringGlyphs(-1, "A", handle, nullptr, nullptr), 0);
    EXPECT_EQ(platform::FakeGlyphs().rendered_codes, std::vector<unsigned>{'A'});
}

TEST_F(FontTest, RepeatedCharacterIsRenderedOnce) {
    const int handle = MakeFont(0);
    const std::string text = test::Sjis(u8"ああAあA");
    int count = 0;
    ASSERT_EQ(layer::PrepareStringGlyphs(-1, text.c_str(), handle, nullptr, &count), 0);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(platform::FakeGlyphs().rendered_codes, (std::vector<unsigned>{0x82A0, 'A'}));
}

TEST_F(FontTest, GreyLevelOneVanishesAndSixteenIsFifteen) {
    platform::FakeGlyphs().box_width = 2;
    platform::FakeGlyphs().box_height = 1;
    platform::FakeGlyphs().pixels = {1, 16};
    const int handle = MakeFont(2);
    layer::PrepareStringGlyphs(-1, "A", handle, nullptr, nullptr);
    const layer::FontRecord& record = Record(handle);
    EXPECT_EQ(CellByte(record, EntryOf(record, "A"), 0, 0), 0);
    EXPECT_EQ(CellByte(record, EntryOf(record, "A"), 1, 0), 15);
}

TEST_F(FontTest, EdgeOfOnePixelIsAPlusShapedRing) {
    platform::FakeGlyphs().box_width = 1;
    platform::FakeGlyphs().box_height = 1;
    const int handle = MakeFont(1, 16, 1);
    layer::PrepareStringGlyphs(-1, "A", handle, nullptr, nullptr);
    const layer::FontRecord& record = Record(handle);
    const layer::TextCacheEntry& entry = EntryOf(record, "A");
    EXPECT_EQ(entry.box_width, 3);
    EXPECT_EQ(entry.box_height, 3);
    const int expected[3][3] = {{0, 2, 0}, {2, 1, 2}, {0, 2, 0}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(CellByte(record, entry, x, y), expected[y][x]) << x << "," << y;
        }
    }
}

TEST_F(FontTest, EdgedGreyTakesTheLargestNeighbouringLevel) {
    platform::FakeGlyphs().box_width = 2;
    platform::FakeGlyphs().box_height = 1;
    platform::FakeGlyphs().pixels = {9, 5};
    const int handle = MakeFont(3, 16, 1);
    layer::PrepareStringGlyphs(-1, "A", handle, nullptr, nullptr);
    const layer::FontRecord& record = Record(handle);
    const layer::TextCacheEntry& entry = EntryOf(record, "A");
    EXPECT_EQ(CellByte(record, entry, 0, 1), 8 << 4);
    EXPECT_EQ(CellByte(record, entry, 1, 1), 4 << 4 | 8);
    EXPECT_EQ(CellByte(record, entry, 2, 1), 8 << 4 | 4);
    EXPECT_EQ(CellByte(record, entry, 3, 1), 4 << 4);
    EXPECT_EQ(CellByte(record, entry, 1, 0), 8 << 4);
}

TEST_F(FontTest, SpacesTakeAnEntryWithAnEmptyBox) {
    const int handle = MakeFont(1, 16, 2);
    const std::string text = test::Joined({" ", test::Sjis(u8"　")});
    layer::PrepareStringGlyphs(-1, text.c_str(), handle, nullptr, nullptr);
    const layer::FontRecord& record = Record(handle);
    for (const char* space : {" ", "\x81\x40"}) {
        const layer::TextCacheEntry& entry = EntryOf(record, space);
        EXPECT_EQ(entry.box_width, 4);
        EXPECT_EQ(entry.box_height, 4);
        EXPECT_EQ(entry.advance, 8 + 4);
    }
    EXPECT_TRUE(platform::FakeGlyphs().rendered_codes.empty());
}

TEST_F(FontTest, GlyphLargerThanItsCellIsCutToTheCell) {
    platform::FakeGlyphs().box_width = 60;
    platform::FakeGlyphs().box_height = 60;
    const int handle = MakeFont(1, 16, 2);
    layer::PrepareStringGlyphs(-1, "AB", handle, nullptr, nullptr);
    const layer::FontRecord& record = Record(handle);
    EXPECT_EQ(EntryOf(record, "A").box_width, record.cell_size);
    EXPECT_EQ(EntryOf(record, "A").box_height, record.cell_size);
    // The next cell starts clean: nothing of A ran into it.
    EXPECT_EQ(CellByte(record, EntryOf(record, "B"), 0, 0), 0);
}

TEST_F(FontTest, GlyphTheSourceCannotRenderIsEmptyWithTheSpaceAdvance) {
    platform::FakeGlyphs().failing_code = 'A';
    platform::FakeGlyphs().space_advance = 7;
    const int handle = MakeFont(0);
    layer::PrepareStringGlyphs(-1, "A", handle, nullptr, nullptr);
    const layer::TextCacheEntry& entry = EntryOf(Record(handle), "A");
    EXPECT_EQ(entry.box_width, 0);
    EXPECT_EQ(entry.advance, 7);
    EXPECT_NE(ReadLog().find(test::Sjis(u8"GetGlyphOutline 関数が失敗しました")),
              std::string::npos);
}

TEST(GlyphPixels, EdgedGreyComposition) {
    // b = 8, e = 15: alpha 128 + 7 x 15 = 233, t = 32768 / 233 = 140.
    const std::uint32_t pixel = layer::ComposeEdgedPixel(0xF8, 0x00FF0000, 0x000000FF, true, 24);
    EXPECT_EQ(pixel >> 24, 233u);
    EXPECT_EQ(pixel >> 16 & 0xFF, 255u * 140 / 256);
    EXPECT_EQ(pixel & 0xFF, 255u + ((0 - 255) * 140 >> 8));
    EXPECT_EQ(layer::ComposeEdgedPixel(0x0F, 0x123456, 0, true, 24), 0xFF123456u);
    EXPECT_EQ(layer::ComposeEdgedPixel(0x30, 0, 0x00ABCDEF, true, 24), 0x30ABCDEFu);
    EXPECT_EQ(layer::ComposeEdgedPixel(0x00, 0x123456, 0x654321, true, 24), 0u);
    EXPECT_EQ(layer::ComposeEdgedPixel(0x0F, 0xF800, 0, false, 16), 0x00FFF800u);
}

}  // namespace
