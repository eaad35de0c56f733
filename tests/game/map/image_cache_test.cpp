#include "game/map/image_cache.h"

#include <gtest/gtest.h>

#include "tests/game/core/report_capture.h"
#include "tests/game/map/map_screen_fixture.h"

namespace game {
namespace {

class ImageCacheTest : public MapScreen {
  protected:
    // A plain picture of that size under the data folder.
    void WritePicture(const std::string& name, int width, int height) {
        tools::RgbaPicture picture{width, height,
                                   std::vector<std::uint8_t>(std::size_t(width) * height * 4, 200)};
        folder_.Write("Data/" + name, tools::EncodePng(picture));
    }
};

TEST_F(ImageCacheTest, AFileKeepsItsFirstSplit) {
    ImageCache cache;
    ASSERT_TRUE(cache.LoadGraphic("MapChip\\base.png", 4, 2, ImageCache::kCellCounts));
    ASSERT_TRUE(cache.LoadGraphic("MapChip\\base.png", 1, 1, ImageCache::kCellCounts));
    const int index = cache.FindGraphic("MapChip\\base.png");
    ASSERT_EQ(index, 0);
    EXPECT_EQ(cache.handles[0].size(), 9u);
    EXPECT_EQ(cache.CellCountX(index), 4);
    EXPECT_EQ(cache.CellCountY(index), 2);
    int width = 0;
    int height = 0;
    layer::GetGraphExtent(cache.GraphicHandle(index, 8), &width, &height);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 128);
    cache.ReleaseAllGraphics();
}

TEST_F(ImageCacheTest, CellSizesLeaveTheRemainderOutOfEveryCell) {
    WritePicture("odd.png", 100, 50);
    ImageCache cache;
    ASSERT_TRUE(cache.LoadGraphic("odd.png", 32, 32, ImageCache::kCellSizes));
    EXPECT_EQ(cache.CellCountX(0), 3);
    EXPECT_EQ(cache.CellCountY(0), 1);
    EXPECT_EQ(cache.handles[0].size(), 4u);
    cache.ReleaseAllGraphics();
}

TEST_F(ImageCacheTest, AMissingFileIsShownOnceUntilTheCacheIsReleased) {
    ReportCapture reports;
    ImageCache cache;
    EXPECT_FALSE(cache.LoadGraphic("none.png", 1, 1, ImageCache::kCellCounts));
    EXPECT_FALSE(cache.LoadGraphic("none.png", 1, 1, ImageCache::kCellCounts));
    EXPECT_EQ(cache.FindGraphic("none.png"), -1);
    ASSERT_EQ(ReportCapture::boxes().size(), 1u);
    EXPECT_NE(ReportCapture::boxes()[0].text.find("Data\\none.png"), std::string::npos);
    cache.ReleaseAllGraphics();
    EXPECT_FALSE(cache.LoadGraphic("none.png", 1, 1, ImageCache::kCellCounts));
    EXPECT_EQ(ReportCapture::boxes().size(), 2u);
}

TEST_F(ImageCacheTest, AFileThatDoesNotDecodeHasNoImageAndNoCells) {
    folder_.Write("Data/bad.png", {1, 2, 3, 4});
    ImageCache cache;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(cache.LoadGraphic("bad.png", 32, 32, ImageCache::kCellSizes));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Data\\bad.png: not a PNG, JPEG, BMP, TGA or DDS image\n");
    const int index = cache.FindGraphic("bad.png");
    EXPECT_EQ(cache.GraphicHandle(index, 0), -1);
    EXPECT_EQ(cache.handles[static_cast<std::size_t>(index)].size(), 1u);
    EXPECT_EQ(cache.CellCountX(index), 0);
}

TEST_F(ImageCacheTest, AReleasedNameIsLoadedAgainUnderANewIndex) {
    ImageCache cache;
    ASSERT_TRUE(cache.LoadGraphic("Picture\\sky.png", 1, 1, ImageCache::kCellCounts));
    ASSERT_TRUE(cache.LoadGraphic("MapChip\\base.png", 1, 1, ImageCache::kCellCounts));
    cache.ReleaseAllGraphics();
    EXPECT_TRUE(cache.names.empty());
    ASSERT_TRUE(cache.LoadGraphic("MapChip\\base.png", 1, 1, ImageCache::kCellCounts));
    EXPECT_EQ(cache.FindGraphic("MapChip\\base.png"), 0);
    EXPECT_GE(cache.GraphicHandle(0, 0), 0);
    cache.ReleaseAllGraphics();
}

TEST_F(ImageCacheTest, LoadingOutsideTheCacheSplitsOnlyIntoMoreThanOneCell) {
    std::vector<int> cells{7};
    const int whole = LoadGraphicSP("MapChip\\base.png", 1, 1, &cells, true);
    EXPECT_GE(whole, 0);
    EXPECT_EQ(cells, std::vector<int>{7});
    const int split = LoadGraphicSP("MapChip\\base.png", 2, 2, &cells, true);
    EXPECT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[0], split);
    for (const int graph : cells)
        layer::RemoveGraph(graph, 0);
    layer::RemoveGraph(whole, 0);
    EXPECT_EQ(LoadGraphicSP("none.png", 1, 1, nullptr, true), -1);
}

}  // namespace
}  // namespace game
