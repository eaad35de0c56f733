// Fonts whose glyph caches live in texture graphs, on the recording device: the choice of
// cache, the cells' texels in both 16-bit formats and the quads a string becomes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "layer/graphics/texture_tiles.h"
#include "layer/media/font_table.h"
#include "layer/media/font_texture_cache.h"
#include "layer/media/glyph_cache.h"
#include "layer/media/media_services.h"
#include "platform/fonts/fake_glyph_source.h"
#include "tests/layer/graphics/direct3d_fixture.h"

namespace {

class FontTextureCache : public test::Direct3DScreens {
  protected:
    void SetUp() override {
        test::Direct3DScreens::SetUp();
        platform::ResetFakeGlyphs();
        platform::UseGlyphSource(&platform::FakeGlyphSource());
        layer::font_table = layer::FontTable{};
    }
    void TearDown() override {
        for (int slot = 0; slot < layer::kFontSlotCount; ++slot) {
            layer::FreeFontHandle(layer::FontHandleInSlot(slot));
        }
        platform::UseGlyphSource(nullptr);
        test::Direct3DScreens::TearDown();
    }

    static int MakeFont(int type, int edge_size = -1) {
        return layer::CreateFontToHandle(nullptr, 16, -1, type, -1, edge_size, 0, -1, -1);
    }
    static layer::FontRecord& Record(int handle) { return *layer::GetFontRecord(handle); }

    static const layer::TextCacheEntry& EntryOf(const layer::FontRecord& record, char c) {
        return *record.character_map[static_cast<unsigned char>(c)].entry;
    }

    // A texel of the font's texture graph (one tile) as stored.
    static std::uint32_t Texel(const layer::FontRecord& record, int x, int y) {
        const layer::GraphRecord* graph = layer::GetGraphRecord(record.texture_graph);
        return TileTexel(*layer::GetSurface3DData(graph->Tiles[0]), x, y, 2);
    }
};

TEST_F(FontTextureCache, FontsOnTheDeviceKeepTheirGlyphsInTextures) {
    struct Case {
        int type;
        int edge_size;
        int graph_width;
        std::uint16_t clear_texel;
    };
    // Cell size 24: 21 x 21 cells on 512 x 512; an edge doubles the texture's width.
    for (const Case& c : {Case{0, -1, 512, 0x7FFF}, Case{2, -1, 512, 0x0FFF},
                          Case{1, 1, 1024, 0x7FFF}, Case{3, 1, 1024, 0x0FFF}}) {
        const int handle = MakeFont(c.type, c.edge_size);
        ASSERT_GE(handle, 0);
        const layer::FontRecord& record = Record(handle);
        EXPECT_EQ(record.texture_cache, 1) << c.type;
        EXPECT_EQ(record.cache_memory, nullptr);
        EXPECT_EQ(record.work_surface, -1);
        EXPECT_EQ(record.cell_count, 441);
        int width = 0;
        int height = 0;
        layer::GetGraphDimensions(record.texture_graph, &width, &height);
        EXPECT_EQ(width, c.graph_width) << c.type;
        EXPECT_EQ(height, 512);
        EXPECT_EQ(record.edge_texture_graph != -1, c.edge_size != -1) << c.type;
        EXPECT_EQ(Texel(record, 5, 5), c.clear_texel) << c.type;
        layer::FreeFontHandle(handle);
    }
}

// Grey level 1 vanishes and 16 is alpha 15 in A4R4G4B4; a bitmap pixel is alpha 1 in
// A1R5G5B5; two edges of level 8 meet at (256 - 8 x 8) >> 4 = 12.
TEST_F(FontTextureCache, CellsHoldWhiteWithTheCoverageInAlpha) {
    platform::FakeGlyphs().box_width = 2;
    platform::FakeGlyphs().box_height = 1;
    platform::FakeGlyphs().pixels = {1, 16};
    const int grey = MakeFont(2);
    ASSERT_EQ(layer::PrepareStringGlyphs(-1, "AB", grey, nullptr, nullptr), 0);
    const layer::FontRecord& grey_record = Record(grey);
    const layer::CellCorner b =
        layer::CellCornerOf(grey_record, EntryOf(grey_record, 'B').cell_index);
    EXPECT_EQ(b.x, 0);
    EXPECT_EQ(b.y, 24);
    EXPECT_EQ(Texel(grey_record, b.x, b.y), 0x0FFF);
    EXPECT_EQ(Texel(grey_record, b.x + 1, b.y), 0xFFFF);

    platform::FakeGlyphs().pixels = {0, 16};
    const int bits = MakeFont(0);
    ASSERT_EQ(layer::PrepareStringGlyphs(-1, "A", bits, nullptr, nullptr), 0);
    EXPECT_EQ(Texel(Record(bits), 0, 0), 0x7FFF);
    EXPECT_EQ(Texel(Record(bits), 1, 0), 0xFFFF);

    platform::FakeGlyphs().box_width = 3;
    platform::FakeGlyphs().pixels = {8, 0, 8};
    const int edged = MakeFont(3, 1);
    ASSERT_EQ(layer::PrepareStringGlyphs(-1, "A", edged, nullptr, nullptr), 0);
    const layer::FontRecord& edged_record = Record(edged);
    const int edge_x = edged_record.cache_width;
    // Body at (1, 1) of the cell; the edge half's middle pixel (2, 1) is reached from both
    // sides, its corners (1, 0) from one.
    EXPECT_EQ(Texel(edged_record, 1, 1), (8 << 12) - 1);
    EXPECT_EQ(Texel(edged_record, 2, 1), 0x0FFF);
    EXPECT_EQ(Texel(edged_record, edge_x + 2, 1), (12 << 12) - 1);
    EXPECT_EQ(Texel(edged_record, edge_x + 1, 0), (8 << 12) - 1);
}

// A string is two triangles a glyph, edge first in the edge colour, then the body in the text
// colour: the bright colour over the white cells becomes the diffuse colour.
TEST_F(FontTextureCache, AStringBecomesTexturedQuadsWithTheColoursAsBright) {
    const int handle = MakeFont(1, 1);
    test::Recording().calls.clear();
    ASSERT_EQ(layer::DrawFontString(10, 20, "AB", layer::RgbToPixel(255, 0, 0), handle,
                                    layer::RgbToPixel(0, 0, 255), 0),
              0);
    layer::EndScene3D();
    std::vector<std::uint32_t> quad_colours;
    const std::vector<const test::DeviceCall*> draws = test::Recording().Calls("DrawPrimitive");
    for (const test::DeviceCall* call : draws) {
        for (int vertex = 0; vertex < call->VertexCount(); vertex += 6) {
            quad_colours.push_back(call->VertexAt<platform::TexturedVertex>(vertex).diffuse &
                                   0xFFFFFF);
        }
    }
    EXPECT_EQ(quad_colours, (std::vector<std::uint32_t>{0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000}));
    // The first body quad: the pen plus the glyph's origin and top, the box grown by the edge
    // on both sides.
    ASSERT_EQ(draws.size(), 1u);
    const auto& top_left = draws[0]->VertexAt<platform::TexturedVertex>(6);
    const auto& bottom_right = draws[0]->VertexAt<platform::TexturedVertex>(9);
    EXPECT_FLOAT_EQ(top_left.x, 10 + 1);
    EXPECT_FLOAT_EQ(top_left.y, 20 + 12 - 10);
    EXPECT_FLOAT_EQ(bottom_right.x, 11 + 6 + 2);
    EXPECT_FLOAT_EQ(bottom_right.y, 22 + 8 + 2);
}

// The quad of one plain glyph: its corners' positions and texture coordinates, in the order
// sent.
std::vector<platform::TexturedVertex> GlyphQuad() {
    layer::EndScene3D();
    const std::vector<const test::DeviceCall*> draws = test::Recording().Calls("DrawPrimitive");
    std::vector<platform::TexturedVertex> quad;
    for (const test::DeviceCall* call : draws) {
        for (int vertex = 0; vertex < call->VertexCount(); ++vertex) {
            quad.push_back(call->VertexAt<platform::TexturedVertex>(vertex));
        }
    }
    return quad;
}

struct GlyphCorner {
    float x;
    float y;
    // Texture coordinates in texels of the font's texture graph.
    float u;
    float v;
};

struct PenCase {
    const char* label;
    bool scaled;
    int vertical;
    // The first three corners sent, and the draw area's viewport while drawing (none when the
    // area is not narrowed through it).
    GlyphCorner corners[3];
    std::vector<std::int64_t> viewport;
};

// The 6 x 8 glyph "A" of the fake source (origin 1, top 2, line height 16) in cell 0, drawn at
// (10, 20); scaled cases by 2 across and 1.5 down. Stretched, the glyph's cell fills the box
// (12, 23)-(24, 35); vertical, the whole texture turns a quarter clockwise with the cell's
// corner at (24, 21) inside a narrowed area, scaled, the cell alone turns into (22, 21)-(38, 30).
const PenCase kPenCases[] = {
    {"Stretched",
     true,
     0,
     {{12, 23, 0.25f, 1 / 3.0f}, {24, 23, 6.25f, 1 / 3.0f}, {12, 35, 0.25f, 8 + 1 / 3.0f}},
     {}},
    {"Vertical",
     false,
     1,
     {{23.5f, 20.5f, 0, 0}, {23.5f, 532.5f, 512, 0}, {-488.5f, 20.5f, 0, 512}},
     {15, 21, 10, 6}},
    {"VerticalStretched",
     true,
     1,
     {{37.5f, 20.5f, 0, 0}, {37.5f, 29.5f, 6, 0}, {21.5f, 20.5f, 0, 8}},
     {21, 21, 18, 9}},
};

TEST_F(FontTextureCache, StretchedAndVerticalGlyphsPlaceTheirCell) {
    const int handle = MakeFont(0);
    const int white = layer::RgbToPixel(255, 255, 255);
    for (const PenCase& pen : kPenCases) {
        SCOPED_TRACE(pen.label);
        test::Recording().calls.clear();
        ASSERT_EQ(pen.scaled ? layer::DrawFontStringScaled(10, 20, 2.0, 1.5, "A", white, handle, 0,
                                                           pen.vertical)
                             : layer::DrawFontString(10, 20, "A", white, handle, 0, pen.vertical),
                  0);
        const layer::FontRecord& record = Record(handle);
        const layer::TextCacheEntry& entry = EntryOf(record, 'A');
        ASSERT_EQ(layer::CellCornerOf(record, entry.cell_index).x, 0);
        ASSERT_EQ(entry.box_width, 6);
        int width = 0;
        int height = 0;
        layer::GetGraphDimensions(record.texture_graph, &width, &height);
        ASSERT_EQ(width, 512);
        ASSERT_EQ(height, 512);
        const std::vector<const test::DeviceCall*> viewports =
            test::Recording().Calls("SetViewport");
        const std::vector<platform::TexturedVertex> quad = GlyphQuad();
        ASSERT_EQ(quad.size(), 6u);
        for (int corner = 0; corner < 3; ++corner) {
            const GlyphCorner& expected = pen.corners[corner];
            EXPECT_FLOAT_EQ(quad[corner].x, expected.x) << corner;
            EXPECT_FLOAT_EQ(quad[corner].y, expected.y) << corner;
            EXPECT_NEAR(quad[corner].u * 512, expected.u, 1e-3) << corner;
            EXPECT_NEAR(quad[corner].v * 512, expected.v, 1e-3) << corner;
        }
        if (pen.viewport.empty()) {
            EXPECT_TRUE(viewports.empty());
        } else {
            ASSERT_EQ(viewports.size(), 2u);
            EXPECT_EQ(viewports[0]->args, pen.viewport);
            EXPECT_EQ(viewports[1]->args, (std::vector<std::int64_t>{0, 0, 640, 480}));
        }
    }
}

}  // namespace
