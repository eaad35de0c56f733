// A lost display on the OpenGL route: the GPU copies are scrambled with the surfaces, and the
// rebuild (graphs reloaded, their textures made again) draws the same picture as before, on the
// same context.
#include <gtest/gtest.h>

#include "layer/graphics/graph_record.h"
#include "layer/graphics/graph_restore.h"
#include "platform/display_hooks.h"
#include "platform/game_path.h"
#include "tests/layer/graphics/draw_call_scenes.h"
#include "tests/layer/graphics_gl/gl_fixture.h"
#include "tests/support/temp_tree.h"

namespace {

class GlDisplayLoss : public test::GlScreens {
  protected:
    void SetUp() override {
        test::GlScreens::SetUp();
        layer::direct_draw.flags.started = 1;
        layer::SetGraphRestoreHandler(nullptr);
        tree_.write("ramp.bmp", test::Bmp24(32, 24, test::Ramp));
        const std::string path = platform::DiskPathToGamePath((tree_.root() / "ramp.bmp").string());
        ramp_ = layer::OpenGraphFile(path.c_str(), 0, 0, 0);
        ASSERT_GE(ramp_, 0);
    }

    void DrawScene() const {
        test::DrawBackdrop();
        layer::PutGraph(8, 8, ramp_, 1);
        layer::PutGraphStretched(48, 8, 112, 56, ramp_, 0);
        layer::SetBlendMode(1, 128);
        layer::PutGraphRotated(150, 30, 1.5, 0.5, ramp_, 1, 0);
        layer::SetBlendMode(0, 0);
    }

    test::TempTree tree_;
    int ramp_ = -1;
};

TEST_F(GlDisplayLoss, TheRebuildDrawsTheSamePicture) {
    DrawScene();
    const test::RgbaImage before = Shown(200, 64);
    platform::SimulateDisplayLoss();
    EXPECT_EQ(layer::RecreateGraphicsAfterLoss(), 0);
    EXPECT_EQ(layer::RestoreAllGraphs(), 0);
    EXPECT_EQ(layer::GetGraphRecord(ramp_)->LostFlag, 0);
    EXPECT_TRUE(platform::HasGlContext());
    DrawScene();
    EXPECT_EQ(Shown(200, 64).pixels, before.pixels);
}

}  // namespace
