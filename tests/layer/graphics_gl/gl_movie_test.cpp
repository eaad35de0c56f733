// A movie graph on the OpenGL route: its texture tiles get the frame due at each draw, and the
// frame's flat colour reaches the window exactly (one texel colour, sampled without blending).
#include <gtest/gtest.h>

#include <string>

#include "layer/graphics/graph_record.h"
#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"
#include "tests/layer/graphics_gl/gl_fixture.h"
#include "tests/layer/media/theora_clip_files.h"

namespace {

constexpr std::uint64_t kFramePeriod = 100'000'000;

class GlMovie : public test::GlScreens {
  protected:
    void SetUp() override {
        GlScreens::SetUp();
        layer::BuildYuvTables();
        tools::TheoraClipOptions options;
        options.coded_width = 48;
        options.coded_height = 32;
        options.picture_width = 40;
        options.picture_height = 28;
        options.picture_x = 4;
        options.picture_y = 2;
        options.frame_count = 12;
        options.fps_numerator = 10;
        options.keyframe_interval = 5;
        path_ = test::WriteClipFile(tree, "movie.ogv", tools::WriteTheoraClip(options).bytes);
    }

    // Every pixel of the graph's place on the frame is the frame's colour.
    static void ExpectFrameShown(const test::RgbaImage& image, int frame) {
        const std::uint32_t wanted = test::TableXrgb(tools::ClipFrameColour(frame)) & 0xFFFFFF;
        int off = 0;
        for (int y = 0; y < 28; ++y) {
            for (int x = 0; x < 40; ++x) {
                off += At(image, 10 + x, 10 + y) != wanted ? 1 : 0;
            }
        }
        EXPECT_EQ(off, 0) << "pixels not of frame " << frame;
        EXPECT_EQ(At(image, 50, 10), 0u) << "beside the graph";
    }

    std::string path_;
};

TEST_F(GlMovie, EachDrawShowsTheFrameDue) {
    const int graph = layer::OpenGraphFile(path_.c_str(), 1, 0, 0);
    ASSERT_GE(graph, 0);
    ASSERT_EQ(layer::GetGraphRecord(graph)->Key.TextureFlag, 1);
    ASSERT_EQ(layer::PutGraph(10, 10, graph, 0), 0);
    ExpectFrameShown(Shown(64, 48), 0);
    layer::PlayMovie(layer::GetGraphRecord(graph)->Movie, 1);
    clock.Advance(7 * kFramePeriod);
    ASSERT_EQ(layer::PutGraph(10, 10, graph, 0), 0);
    ExpectFrameShown(Shown(64, 48), 7);
}

}  // namespace
