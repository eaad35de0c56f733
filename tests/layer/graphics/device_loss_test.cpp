// The full rebuild after a lost display on the software screens: every graph flagged lost and
// the restore handler asked to load the pictures again.
#include <gtest/gtest.h>

#include "layer/graphics/graph_record.h"
#include "layer/graphics/graph_restore.h"
#include "platform/display_hooks.h"
#include "platform/game_path.h"
#include "tests/layer/graphics/software_screen_fixture.h"
#include "tests/support/temp_tree.h"

namespace {

int handler_calls = 0;
int handler_count = 0;

void CountingHandler(int count) {
    ++handler_calls;
    handler_count = count;
}

std::uint32_t Teal(int, int) {
    return 0x008080;
}

class DeviceLoss : public test::SoftwareScreens {
  protected:
    void SetUp() override {
        SoftwareScreens::SetUp();
        platform::CreateDisplayObject(&layer::direct_draw.object_storage.display);
        layer::direct_draw.object = &layer::direct_draw.object_storage;
        layer::direct_draw.flags.started = 1;
        // As the layer start does: the built-in reload.
        layer::SetGraphRestoreHandler(nullptr);
        tree_.write("pic.bmp", test::Bmp24(8, 4, Teal));
        path_ = platform::DiskPathToGamePath((tree_.root() / "pic.bmp").string());
        from_file_ = layer::OpenGraphFile(path_.c_str(), 0, 0, 0);
        sub_graph_ = layer::DeriveSubGraph(2, 1, 4, 2, from_file_);
        blank_ = layer::NewGraph(8, 8, 0);
        handler_calls = 0;
    }
    void TearDown() override {
        layer::SetGraphRestoreHandler(nullptr);
        SoftwareScreens::TearDown();
    }

    static int Lost(int graph) { return layer::GetGraphRecord(graph)->LostFlag; }

    test::TempTree tree_;
    std::string path_;
    int from_file_ = -1;
    int sub_graph_ = -1;
    int blank_ = -1;
};

TEST_F(DeviceLoss, CustomHandlerIsAskedAndBuiltInReloadStillWorks) {
    ASSERT_GE(from_file_, 0);
    ASSERT_GE(sub_graph_, 0);
    layer::SetGraphRestoreHandler(CountingHandler);
    platform::SimulateDisplayLoss();
    EXPECT_EQ(layer::RecreateGraphicsAfterLoss(), 0);
    EXPECT_EQ(handler_calls, 1);
    EXPECT_EQ(handler_count, 3);
    EXPECT_EQ(Lost(from_file_), 1);
    EXPECT_EQ(layer::RestoreAllGraphs(), 0);
    EXPECT_EQ(Lost(from_file_), 0);
    EXPECT_EQ(Lost(sub_graph_), 0);
    EXPECT_EQ(Lost(blank_), 1);
    layer::PutGraph(0, 0, sub_graph_, 0);
    EXPECT_EQ(BackPixel(3, 1), 0x008080u);
}

TEST_F(DeviceLoss, NullHandlerBringsBackTheBuiltInReload) {
    layer::SetGraphRestoreHandler(CountingHandler);
    layer::SetGraphRestoreHandler(nullptr);
    EXPECT_EQ(layer::RecreateGraphicsAfterLoss(), 0);
    EXPECT_EQ(handler_calls, 0);
    EXPECT_EQ(Lost(from_file_), 0);
    EXPECT_EQ(Lost(blank_), 1);
}

TEST_F(DeviceLoss, MissingFileClearsTheFlagAndKeepsTheGraph) {
    std::filesystem::remove(tree_.root() / "pic.bmp");
    EXPECT_EQ(layer::RecreateGraphicsAfterLoss(), 0);
    EXPECT_EQ(Lost(from_file_), 0);
    EXPECT_EQ(layer::IsGraphHandleLive(from_file_), 1);
}

}  // namespace
