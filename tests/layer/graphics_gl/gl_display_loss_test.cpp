// What the OpenGL route keeps when the display goes and comes back: a lost display scrambles
// the GPU copies with the surfaces, a switch to full screen and back releases every surface and
// graph; either way the rebuild (graphs loaded again, their textures and framebuffers made
// again) draws the same picture as before, on the same context with its programmes.
#include <gtest/gtest.h>

#include <SDL.h>

#include "layer/core/window_mode.h"
#include "layer/core/window_state.h"
#include "layer/graphics/direct3d_texts.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/graph_restore.h"
#include "layer/graphics/graphics_services.h"
#include "platform/display_hooks.h"
#include "platform/game_path.h"
#include "platform/gfx3d/gl_combiner.h"
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
        LoadRamp();
    }

    void LoadRamp() {
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

// The window-mode switch on the window the context was made on. The fixture's clock stands
// still between sleeps, and the frame measure after each mode change busy-waits on the display's
// vertical blank, so the display gets a time source of its own that moves on every reading.
class GlModeToggle : public GlDisplayLoss {
  protected:
    void SetUp() override {
        GlDisplayLoss::SetUp();
        platform::InstallSteppingDisplayClock(0, kMillisecond);
        layer::window_state.window = test::SharedGlWindow();
    }
    void TearDown() override {
        layer::window_state.window = nullptr;
        platform::RemoveSteppingDisplayClock();
        GlDisplayLoss::TearDown();
    }

    // How often the log holds the line (its line feed left out).
    int TimesLogged(std::string text) const {
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        const std::string log = ReadLog();
        int count = 0;
        for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
            ++count;
        }
        return count;
    }

    static constexpr std::uint64_t kMillisecond = 1'000'000;
};

TEST_F(GlModeToggle, FullScreenAndBackKeepTheContextAndThePicture) {
    DrawScene();
    const test::RgbaImage before = Shown(200, 64);
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    platform::CombinerKey key;
    key.stage_count = 1;
    key.stages[0].colour_op = platform::kOpSelectArg1;
    key.stages[0].alpha_op = platform::kOpSelectArg1;
    const platform::CombinerProgram* programme = platform::CombinerFor(key);
    ASSERT_NE(programme, nullptr);
    const GLuint programme_name = programme->pipeline;
    int starts = TimesLogged(layer::kDirect3DStartedText);

    for (const int window_mode : {0, 1}) {
        SCOPED_TRACE(window_mode == 0 ? "full screen" : "window");
        ASSERT_EQ(layer::ChangeWindowMode(window_mode), 0);
        EXPECT_EQ(TimesLogged(layer::kDirect3DStartedText), ++starts);
        EXPECT_EQ(layer::IsTextureDrawingActive(), 1);
        EXPECT_EQ(SDL_GL_GetCurrentContext(), context);
        const platform::CombinerProgram* kept = platform::CombinerFor(key);
        ASSERT_EQ(kept, programme);
        EXPECT_EQ(kept->pipeline, programme_name);
        LoadRamp();
        DrawScene();
        EXPECT_EQ(Shown(200, 64).pixels, before.pixels);
    }
}

}  // namespace
