// Movie graphs in textures, on the recording device: each draw brings the frame due into the
// tiles, and a display rebuild, which loses the textures, has them filled again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "layer/graphics/graph_record.h"
#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"
#include "tests/layer/graphics/direct3d_fixture.h"
#include "tests/layer/media/theora_clip_files.h"

namespace {

constexpr std::uint64_t kFramePeriod = 100'000'000;

class MovieTextures : public test::Direct3DScreens {
  protected:
    void SetUp() override {
        Direct3DScreens::SetUp();
        layer::BuildYuvTables();
        tools::TheoraClipOptions options;
        options.coded_width = 32;
        options.coded_height = 16;
        options.frame_count = 12;
        options.fps_numerator = 10;
        path_ = test::WriteClipFile(tree, "movie.ogv", tools::WriteTheoraClip(options).bytes);
    }

    // A texel of the graph's first tile, as 0x00RRGGBB.
    static std::uint32_t Texel(int graph, int x, int y) {
        const layer::Surface3DData& tile =
            *layer::GetSurface3DData(layer::GetGraphRecord(graph)->Tiles[0]);
        platform::DisplaySurface* texture = layer::GetTileTexture(tile);
        platform::SurfaceDescription locked;
        platform::LockSurface(texture, nullptr, &locked, platform::kLockReadOnly);
        std::uint32_t value = 0;
        std::memcpy(&value, locked.pixels + y * locked.pitch + x * 4, 4);
        platform::UnlockSurface(texture);
        return value & 0xFFFFFF;
    }

    static std::uint32_t Rgb(int frame) {
        return test::TableXrgb(tools::ClipFrameColour(frame)) & 0xFFFFFF;
    }

    std::string path_;
};

TEST_F(MovieTextures, EachDrawBringsTheFrameDueIntoTheTiles) {
    const int graph = layer::OpenGraphFile(path_.c_str(), 1, 0, 0);
    ASSERT_GE(graph, 0);
    ASSERT_EQ(layer::GetGraphRecord(graph)->Key.TextureFlag, 1);
    ASSERT_EQ(layer::PutGraph(0, 0, graph, 0), 0);
    EXPECT_EQ(Texel(graph, 31, 15), Rgb(0));
    layer::PlayMovie(layer::GetGraphRecord(graph)->Movie, 1);
    clock.Advance(4 * kFramePeriod);
    ASSERT_EQ(layer::PutGraph(0, 0, graph, 0), 0);
    EXPECT_EQ(Texel(graph, 0, 0), Rgb(4));
}

TEST_F(MovieTextures, ADisplayRebuildHasTheTexturesFilledAtTheNextDraw) {
    layer::direct_draw.flags.started = 1;
    layer::SetGraphRestoreHandler(nullptr);
    const int graph = layer::OpenGraphFile(path_.c_str(), 1, 0, 0);
    ASSERT_EQ(layer::PutGraph(0, 0, graph, 0), 0);
    platform::SimulateDisplayLoss();
    ASSERT_EQ(layer::RecreateGraphicsAfterLoss(), 0);
    ASSERT_NE(Texel(graph, 4, 4), Rgb(0)) << "the textures came back empty";
    ASSERT_EQ(layer::PutGraph(0, 0, graph, 0), 0);
    EXPECT_EQ(Texel(graph, 4, 4), Rgb(0));
}

}  // namespace
