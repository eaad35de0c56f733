// The game's images loaded again after the display lost them.
#include "game/map/graph_restore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/game_folder.h"
#include "game/map/image_cache.h"
#include "game/map/map_view.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_list.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/graphics_services.h"
#include "platform/display_hooks.h"
#include "platform/game_path.h"
#include "tests/game/core/report_capture.h"
#include "tests/game/map/map_screen_fixture.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_tree.h"

namespace game {
namespace {

class GraphRestore : public MapScreen {
  protected:
    void SetUp() override {
        MapScreen::SetUp();
        platform::CreateDisplayObject(&layer::direct_draw.object_storage.display);
        layer::direct_draw.object = &layer::direct_draw.object_storage;
        layer::direct_draw.flags.started = 1;
        previousGameFolder_ = GameFolder;
        GameFolder = platform::DiskPathToGamePath(folder_.tree().root().string()) + "\\";
    }
    void TearDown() override {
        layer::InstallGraphRestoreHandler(nullptr);
        GameFolder = previousGameFolder_;
        MapScreen::TearDown();
    }

    // A plain picture of one colour under the data folder.
    void WritePicture(const std::string& name, std::uint8_t red) {
        std::vector<std::uint8_t> pixels;
        for (int i = 0; i < 16 * 8; ++i)
            pixels.insert(pixels.end(), {red, 0, 0, 255});
        folder_.Write("Data/" + name, tools::EncodePng({16, 8, pixels}));
    }

    static bool Lost(int graph) { return layer::GetGraphRecord(graph)->LostFlag != 0; }

    // The red of a graph drawn at the top left corner.
    static std::uint32_t RedOf(int graph) {
        layer::PaintGraph(0, 0, graph, 0);
        return BackPixel(0, 0) >> 16;
    }

    std::string previousGameFolder_;
};

TEST_F(GraphRestore, ALostDisplayIsRestoredToTheSameMapFrame) {
    Load(tools::DemoStartMap());
    MapView view;
    ViewAt(view, 40, 70);
    DrawMap(view);
    const test::RgbaImage before = Screen();
    ASSERT_FALSE(TheImageCache.handles.empty());
    layer::InstallGraphRestoreHandler(&RestoreGraphics);
    // Something moved the current folder away from the game's; the restore goes back to it.
    test::TempTree elsewhere;
    layer::ChangeCurrentFolder(platform::DiskPathToGamePath(elsewhere.root().string()).c_str());
    platform::SimulateDisplayLoss();
    ASSERT_EQ(layer::RecreateGraphicsAfterLoss(), 0);
    for (const std::vector<int>& graphs : TheImageCache.handles) {
        for (const int graph : graphs)
            EXPECT_FALSE(Lost(graph)) << graph;
    }
    Clear();
    DrawMap(view);
    EXPECT_EQ(Screen().pixels, before.pixels);
}

TEST_F(GraphRestore, ReloadingReadsEveryFileAgainAndKeepsItsSplit) {
    WritePicture("a.png", 10);
    ImageCache cache;
    ASSERT_TRUE(cache.LoadGraphic("a.png", 4, 2, ImageCache::kCellCounts));
    ASSERT_TRUE(cache.LoadGraphic("MapChip\\base.png", 8, 8, ImageCache::kCellSizes));
    const std::vector<int> old = cache.handles[0];
    WritePicture("a.png", 90);
    EXPECT_TRUE(cache.ReLoadGraphic());
    EXPECT_EQ(cache.FindGraphic("a.png"), 0);
    EXPECT_EQ(cache.CellCountX(0), 4);
    EXPECT_EQ(cache.CellCountY(0), 2);
    ASSERT_EQ(cache.handles[0].size(), 9u);
    EXPECT_EQ(RedOf(cache.GraphicHandle(0, 0)), 90u);
    EXPECT_EQ(RedOf(cache.GraphicHandle(0, 8)), 90u);
    for (const int graph : old)
        EXPECT_EQ(layer::IsGraphHandleLive(graph), 0) << graph;
    const int base = cache.FindGraphic("MapChip\\base.png");
    EXPECT_EQ(cache.handles[static_cast<std::size_t>(base)].size(),
              1u + static_cast<std::size_t>(cache.CellCountX(base) * cache.CellCountY(base)));
    cache.ReleaseAllGraphics();
}

TEST_F(GraphRestore, AMissingFileStopsTheReloadThere) {
    for (const char* name : {"a.png", "b.png", "c.png"})
        WritePicture(name, 10);
    ImageCache cache;
    for (const char* name : {"a.png", "b.png", "c.png"})
        ASSERT_TRUE(cache.LoadGraphic(name, 1, 1, ImageCache::kCellCounts));
    const std::vector<std::vector<int>> old = cache.handles;
    for (const char* name : {"a.png", "c.png"})
        WritePicture(name, 90);
    std::filesystem::remove(folder_.tree().root() / "Data" / "b.png");
    ReportCapture reports;
    EXPECT_FALSE(cache.ReLoadGraphic());
    // Names before the missing one are loaded again; it and those after it keep their graphs.
    EXPECT_EQ(RedOf(cache.GraphicHandle(cache.FindGraphic("a.png"), 0)), 90u);
    EXPECT_EQ(cache.handles[static_cast<std::size_t>(cache.FindGraphic("b.png"))],
              old[static_cast<std::size_t>(cache.FindGraphic("b.png"))]);
    EXPECT_EQ(cache.handles[static_cast<std::size_t>(cache.FindGraphic("c.png"))],
              old[static_cast<std::size_t>(cache.FindGraphic("c.png"))]);
    EXPECT_EQ(RedOf(cache.GraphicHandle(cache.FindGraphic("c.png"), 0)), 10u);
    ASSERT_EQ(ReportCapture::boxes().size(), 1u);
    EXPECT_EQ(ReportCapture::boxes()[0].text,
              "\x81\xA1ReLoadGraphic error:\x83t\x83@\x83"
              "C\x83\x8B Data\\b.png \x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82"
              "\xF1\nb.png");
    cache.ReleaseAllGraphics();
}

TEST_F(GraphRestore, PictureImagesComeBackAndAFileGoneSinceIsSkipped) {
    for (const char* name : {"a.png", "b.png", "c.png"})
        WritePicture(name, 10);
    ThePictureList = PictureList();
    const struct {
        const char* name;
        int split;
    } shown[] = {{"a.png", 2}, {"b.png", 1}, {"c.png", 3}};
    for (int number = 0; number < 3; ++number) {
        game::Picture& picture = ThePictureList.Pictures.emplace_back(number);
        ASSERT_TRUE(PictureControl(picture, shown[number].name, shown[number].split, 1));
        picture.ImageName = shown[number].name;
    }
    // Picture 2 is a window of 160 x 90 pixels drawn from 3 x 3 cells.
    game::Picture& window = ThePictureList.Pictures[2];
    ASSERT_TRUE(PictureControl(window, "c.png", 3, 3));
    window.IsWindowPicture = 1;
    window.SplitX = 160;
    window.SplitY = 90;
    const game::Picture before = ThePictureList.Pictures[1];
    for (const char* name : {"a.png", "c.png"})
        WritePicture(name, 90);
    std::filesystem::remove(folder_.tree().root() / "Data" / "b.png");
    ReportCapture reports;
    layer::InstallGraphRestoreHandler(&RestoreGraphics);
    platform::SimulateDisplayLoss();
    ASSERT_EQ(layer::RecreateGraphicsAfterLoss(), 0);
    ASSERT_EQ(ReportCapture::boxes().size(), 1u);
    EXPECT_EQ(ReportCapture::boxes()[0].text,
              test::Sjis(u8"■RePictureControl error:ファイル Data\\b.png が見つかりません\n"));
    const game::Picture& sheet = ThePictureList.Pictures[0];
    ASSERT_EQ(sheet.Cells.size(), 2u);
    EXPECT_EQ(RedOf(sheet.Cells[1]), 90u);
    EXPECT_EQ(sheet.Width, 8);
    EXPECT_EQ(ThePictureList.Pictures[1].Cells, before.Cells);
    ASSERT_EQ(window.Cells.size(), 9u);
    EXPECT_EQ(RedOf(window.Cells[4]), 90u);
    EXPECT_EQ(window.SplitX, 160);
    EXPECT_EQ(window.SplitY, 90);
    ReleaseAllPictureImages();
    ThePictureList = PictureList();
}

}  // namespace
}  // namespace game
