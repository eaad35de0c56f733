// The vertex batch on the recording device: its capacities, the grid strips' index lists, free
// quads and the blend image's border of 255, which hides everything.
#include <gtest/gtest.h>

#include "tests/layer/graphics/direct3d_fixture.h"

namespace {

using platform::VertexLayout;

class VertexBatch : public test::Direct3DScreens {
  protected:
    // Quads of the layout until the first send: the vertices it carried.
    static std::int64_t FirstSendOf(VertexLayout layout) {
        layer::DeviceState& state = Device();
        state.BatchFormat = layout;
        state.BatchCount = 0;
        state.Request.SkipDraw = 0;
        test::Recording().calls.clear();
        while (test::Recording().Count("DrawPrimitive") == 0) {
            layer::ReserveBatch(&state, platform::Primitive::kTriangleList, 6);
        }
        return test::Recording().Calls("DrawPrimitive")[0]->args[1];
    }

    static std::vector<std::uint16_t> GridIndices(int columns, int rows) {
        std::vector<platform::TexturedVertex> grid(static_cast<std::size_t>(columns * rows));
        test::Recording().calls.clear();
        EXPECT_EQ(layer::DrawGridStrips(0, columns, grid.data(), rows), 0);
        std::vector<std::uint16_t> all;
        for (const test::DeviceCall* call : test::Recording().Calls("DrawIndexedPrimitive")) {
            all.insert(all.end(), call->indices.begin(), call->indices.end());
        }
        return all;
    }
};

TEST_F(VertexBatch, EachLayoutIsSentJustBeforeItWouldFill) {
    EXPECT_EQ(FirstSendOf(VertexLayout::kTextured), 389 * 6);
    EXPECT_EQ(FirstSendOf(VertexLayout::kBlend), 272 * 6);
    EXPECT_EQ(FirstSendOf(VertexLayout::kPlain), 537 * 6);
}

TEST_F(VertexBatch, GridStripsJoinRowPairsWithDegenerateIndices) {
    EXPECT_EQ(GridIndices(2, 2), (std::vector<std::uint16_t>{2, 0, 3, 1}));
    EXPECT_EQ(GridIndices(3, 3),
              (std::vector<std::uint16_t>{3, 0, 4, 1, 5, 2, 2, 6, 6, 3, 7, 4, 8, 5}));
    const std::vector<std::uint16_t> eight = GridIndices(8, 8);
    EXPECT_EQ(eight.size(), 7u * 16 + 6 + 6);
    EXPECT_EQ(test::Recording().Count("DrawIndexedPrimitive"), 1);
}

TEST_F(VertexBatch, LongGridsAreSentInListsOfAtMostAThousand) {
    GridIndices(100, 6);
    const auto sends = test::Recording().Calls("DrawIndexedPrimitive");
    ASSERT_EQ(sends.size(), 2u);
    EXPECT_EQ(sends[0]->args[2], 807);
    EXPECT_EQ(sends[1]->args[2], 200);
    EXPECT_EQ(sends[0]->args[1], 600);
}

TEST_F(VertexBatch, GridsBelowTwoByTwoAreRefused) {
    platform::TexturedVertex grid[4] = {};
    EXPECT_EQ(layer::DrawGridStrips(0, 1, grid, 4), -1);
    EXPECT_EQ(layer::DrawGridStrips(0, 4, grid, 1), -1);
    EXPECT_EQ(test::Recording().Count("DrawIndexedPrimitive"), 0);
}

TEST_F(VertexBatch, AParallelogramIsTwoTrianglesAndOtherQuadsAGrid) {
    const int graph = Graph(16, 16, 0x808080);
    const layer::GraphRecord* record = layer::GetGraphRecord(graph);
    const float parallelogram[8] = {10.0f, 10.0f, 40.0f, 10.3f, 12.0f, 40.0f, 42.0f, 40.3f};
    layer::DrawTileQuad3D(record->Tiles[0], parallelogram);
    EXPECT_EQ(Device().BatchCount, 6);
    layer::FlushVertexBatch();
    test::Recording().calls.clear();
    const float kite[8] = {10.0f, 10.0f, 60.0f, 0.0f, 0.0f, 60.0f, 80.0f, 80.0f};
    layer::DrawTileQuad3D(record->Tiles[0], kite);
    const auto grids = test::Recording().Calls("DrawIndexedPrimitive");
    ASSERT_EQ(grids.size(), 1u);
    EXPECT_EQ(grids[0]->args[1], 64);
}

TEST_F(VertexBatch, AMirroredParallelogramHasItsWindingSwapped) {
    const int graph = Graph(16, 16, 0x808080);
    const layer::GraphRecord* record = layer::GetGraphRecord(graph);
    // Right and left exchanged: both signed areas are negative.
    const float mirrored[8] = {40.0f, 10.0f, 10.0f, 10.0f, 40.0f, 40.0f, 10.0f, 40.0f};
    layer::DrawTileQuad3D(record->Tiles[0], mirrored);
    layer::FlushVertexBatch();
    const auto draws = test::Recording().Calls("DrawPrimitive");
    ASSERT_EQ(draws.size(), 1u);
    using V = platform::TexturedVertex;
    // Top-left, bottom-left, top-right; bottom-right, top-right, bottom-left.
    EXPECT_EQ(draws[0]->VertexAt<V>(1).x, 40.0f);
    EXPECT_EQ(draws[0]->VertexAt<V>(1).y, 40.0f);
    EXPECT_EQ(draws[0]->VertexAt<V>(2).x, 10.0f);
    EXPECT_EQ(draws[0]->VertexAt<V>(2).y, 10.0f);
    EXPECT_EQ(draws[0]->VertexAt<V>(0).diffuse, layer::draw_settings.draw_colour);
}

// Border 255 hides what the blend image covers: a send forced by a full batch draws nothing
// either.
TEST_F(VertexBatch, BorderTwoFiftyFiveDrawsNothingEvenFromAFullBatch) {
    const int blend = Graph(16, 16, 0x808080);
    const int graph = Graph(16, 16, 0xFF0000);
    layer::SetBlendImage(blend, 255, 1);
    for (int i = 0; i < 300; ++i) {
        layer::PutGraph(i % 600, 10, graph, 0);
    }
    layer::FlushVertexBatch();
    EXPECT_EQ(test::Recording().Count("DrawPrimitive"), 0);
    layer::SetBlendImage(-1, 0, 0);
    layer::PutGraph(0, 10, graph, 0);
    layer::FlushVertexBatch();
    EXPECT_EQ(test::Recording().Count("DrawPrimitive"), 1);
}

}  // namespace
