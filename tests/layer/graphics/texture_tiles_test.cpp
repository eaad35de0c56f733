// Texture tiles on the recording device: how axes are cut, the tile limit, square-only
// devices, derived tiles sharing textures, pictures and movie frames written across tiles.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/surface_data.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loading.h"
#include "tests/layer/graphics/direct3d_fixture.h"

namespace {

class TextureTiles : public test::Direct3DScreens {
  protected:
    static std::vector<int> Split(int length, int single = 0) {
        std::vector<int> sizes(64);
        const int count = layer::SplitTextureAxis(length, sizes.data(), single);
        sizes.resize(static_cast<std::size_t>(count));
        return sizes;
    }

    static const layer::Surface3DData& TileOf(int graph, int index) {
        return *layer::GetSurface3DData(layer::GetGraphRecord(graph)->Tiles[index]);
    }
};

TEST_F(TextureTiles, AxesSplitByTheDeviceAndScreenLimits) {
    EXPECT_EQ(Split(640), (std::vector<int>{512, 128}));
    EXPECT_EQ(Split(700), (std::vector<int>{512, 128, 64}));
    EXPECT_EQ(Split(300), (std::vector<int>{512}));
    EXPECT_EQ(Split(20), (std::vector<int>{32}));
    EXPECT_EQ(Split(480), (std::vector<int>{512}));
    EXPECT_EQ(Split(1000), (std::vector<int>{1024}));
}

TEST_F(TextureTiles, AScreenSizedGraphIsTwoTiles) {
    const int graph = layer::NewGraph(640, 480, 0);
    ASSERT_GE(graph, 0);
    ASSERT_EQ(layer::GetGraphRecord(graph)->TileCount, 2);
    EXPECT_EQ(TileOf(graph, 0).Width, 512);
    EXPECT_EQ(TileOf(graph, 1).X, 512);
    EXPECT_EQ(TileOf(graph, 1).Width, 128);
    EXPECT_EQ(TileOf(graph, 1).Height, 480);
    EXPECT_FLOAT_EQ(TileOf(graph, 1).Vertices[3].v, 480.0f / 512.0f);
}

TEST_F(TextureTiles, MoreThanSixtyFourTilesAreRefused) {
    layer::direct3d.MaxTextureSize = 32;
    const int count = layer::surfaces_3d.count();
    EXPECT_EQ(layer::NewGraph(288, 256, 0), -1);
    EXPECT_TRUE(Logged("64"));
    EXPECT_EQ(layer::surfaces_3d.count(), count);
}

TEST_F(TextureTiles, ASquareOnlyDeviceCutsWideTilesIntoSquares) {
    layer::direct3d.DeviceDesc.texture_caps |= platform::kTextureSquareOnly;
    const int graph = layer::NewGraph(512, 256, 0);
    ASSERT_EQ(layer::GetGraphRecord(graph)->TileCount, 2);
    EXPECT_EQ(TileOf(graph, 0).Width, 256);
    EXPECT_EQ(TileOf(graph, 1).X, 256);
    EXPECT_EQ(TileOf(graph, 1).Height, 256);
}

TEST_F(TextureTiles, ADerivedGraphSharesItsParentsTextureAndOutlivesIt) {
    const int parent = Graph(32, 32, 0x123456);
    const int child = layer::DeriveSubGraph(10, 10, 20, 20, parent);
    ASSERT_GE(child, 0);
    const layer::Surface3DData& tile = TileOf(child, 0);
    EXPECT_EQ(tile.SurfaceHandle, TileOf(parent, 0).SurfaceHandle);
    EXPECT_FLOAT_EQ(tile.Vertices[0].u, 10.0f / 32.0f);
    EXPECT_FLOAT_EQ(tile.Vertices[0].v, 10.0f / 32.0f);
    EXPECT_FLOAT_EQ(tile.Vertices[3].u, 30.0f / 32.0f);
    const int surface = tile.SurfaceHandle;
    layer::DisposeGraph(parent, 0);
    EXPECT_NE(layer::GetSurfaceData(surface), nullptr);
    EXPECT_EQ(TileTexel(TileOf(child, 0), 15, 15) & 0xFFFFFF, 0x123456u);
    layer::DisposeGraph(child, 0);
    EXPECT_EQ(layer::GetSurfaceData(surface), nullptr);
}

TEST_F(TextureTiles, ARectangleAcrossTheSeamReachesBothTiles) {
    const int graph = layer::NewGraph(640, 64, 0);
    ASSERT_EQ(layer::GetGraphRecord(graph)->TileCount, 2);
    const std::string file =
        test::Bmp24(40, 8, [](int x, int) { return x < 20 ? 0xFF0000u : 0x0000FFu; });
    layer::GraphImage image;
    ASSERT_EQ(layer::LoadImageData(nullptr, file.data(), static_cast<int>(file.size()), 1, 0, 0,
                                   &image, nullptr, nullptr),
              0);
    layer::PictureSource source;
    source.colour = &image;
    ASSERT_EQ(layer::WriteImageToGraph(source, nullptr, {0, 0, 40, 8}, 492, 4, graph, 0), 0);
    EXPECT_EQ(TileTexel(TileOf(graph, 0), 500, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(TileTexel(TileOf(graph, 0), 511, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(TileTexel(TileOf(graph, 1), 0, 5) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(TileTexel(TileOf(graph, 1), 19, 5) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(TileTexel(TileOf(graph, 1), 20, 5) & 0xFFFFFF, 0u);
    layer::FreeGraphImage(&image);
}

// A movie frame carrying its alpha beside the picture: the right half's red is the alpha.
TEST_F(TextureTiles, AMovieFrameWithAlphaBesideFillsColourAndAlpha) {
    const int graph = layer::CreateGraphSurfaces(4, 2, 1, 1, 0);
    ASSERT_GE(graph, 0);
    layer::GraphImage frame;
    ASSERT_EQ(layer::CreateXrgb32Image(8, 2, &frame), 0);
    for (int y = 0; y < 2; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(frame.pixels + y * frame.pitch);
        for (int x = 0; x < 4; ++x) {
            row[x] = 0x00204060u + static_cast<std::uint32_t>(x);
            row[x + 4] = static_cast<std::uint32_t>(x * 60) << 16;
        }
    }
    ASSERT_EQ(layer::UpdateMovieFrameTiles(frame, 1, layer::GetGraphRecord(graph)), 0);
    const layer::Surface3DData& tile = TileOf(graph, 0);
    EXPECT_EQ(TileTexel(tile, 0, 1), 0x00204060u);
    EXPECT_EQ(TileTexel(tile, 3, 0), 0xB4204063u);
    layer::FreeGraphImage(&frame);
}

TEST_F(TextureTiles, FillingWhileTheTargetIsUnusableDoesNothing) {
    const int graph = Graph(8, 8, 0x00FF00);
    layer::direct3d.TargetUnusable = 1;
    EXPECT_EQ(layer::FillGraphColour(graph, 255, 0, 0, 255), 0);
    layer::direct3d.TargetUnusable = 0;
    EXPECT_EQ(TileTexel(TileOf(graph, 0), 4, 4) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(layer::FillGraphColour(graph, 255, 0, 0, 255), 0);
    EXPECT_EQ(TileTexel(TileOf(graph, 0), 4, 4) & 0xFFFFFF, 0xFF0000u);
}

}  // namespace
