// The pictures' image cache: one entry per file and split, shared and released by name.
#include "game/presentation/picture_image_cache.h"

#include <gtest/gtest.h>

#include "game/core/processing_point.h"
#include "layer/graphics/graphics_services.h"
#include "tests/game/presentation/picture_fixture.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

class PictureImageCacheTest : public test::PictureScreens {
  protected:
    // A picture of that number in the global list that shows the file.
    static game::Picture& Showing(int number, const std::string& name) {
        game::Picture& picture = ThePictureList.Pictures.emplace_back(number);
        picture.ImageName = name;
        return picture;
    }

    static std::vector<int> GraphsOf(const PictureImageEntry& entry) {
        std::vector<int> graphs{entry.whole};
        graphs.insert(graphs.end(), entry.cells.begin(), entry.cells.end());
        return graphs;
    }

    static bool AllLive(const std::vector<int>& graphs, bool live) {
        for (const int graph : graphs) {
            if ((layer::IsGraphHandleLive(graph) != 0) != live)
                return false;
        }
        return true;
    }
};

TEST_F(PictureImageCacheTest, APictureTakesTheCellsAndSizesOfItsEntry) {
    WriteImage("Picture\\sheet.png", 100, 50, 0xFF0000);
    game::Picture picture;
    picture.Width = 7;
    picture.Height = 9;
    ASSERT_TRUE(PictureControl(picture, "Picture\\sheet.png", 3, 2));
    ASSERT_EQ(ThePictureImageCache.entries.size(), 1u);
    const PictureImageEntry& entry = ThePictureImageCache.entries[0];
    EXPECT_EQ(entry.cells.size(), 6u);
    // 100 / 3 and 50 / 2: the rightmost pixel column is in no cell.
    EXPECT_EQ(picture.Width, 33);
    EXPECT_EQ(picture.Height, 25);
    EXPECT_EQ(picture.PreviousWidth, 7);
    EXPECT_EQ(picture.PreviousHeight, 9);
    EXPECT_EQ(picture.SplitX, 3);
    EXPECT_EQ(picture.ImageHandle, entry.whole);
    EXPECT_EQ(picture.Cells, entry.cells);
    int width = 0;
    int height = 0;
    layer::GetGraphExtent(entry.cells[5], &width, &height);
    EXPECT_EQ(width, 33);
    EXPECT_EQ(height, 25);
    EXPECT_TRUE(reports_.errors().empty());
}

TEST_F(PictureImageCacheTest, TwoPicturesShareAnEntryAndTheLastOneReleasesIt) {
    WriteImage("a.png", 8, 8, 0x00FF00);
    game::Picture& first = Showing(1, "a.png");
    game::Picture& second = Showing(2, "a.png");
    ASSERT_TRUE(PictureControl(first, "a.png", 1, 1));
    ASSERT_TRUE(PictureControl(second, "a.png", 1, 1));
    ASSERT_EQ(ThePictureImageCache.entries.size(), 1u);
    const std::vector<int> graphs = GraphsOf(ThePictureImageCache.entries[0]);
    ReleasePictureImage("a.png", false, 1);
    EXPECT_EQ(ThePictureImageCache.entries.size(), 1u);
    ThePictureList.Pictures.pop_back();
    // game::Picture 1 is left out of its own test unless it counts itself.
    ReleasePictureImage("a.png", true, 1);
    EXPECT_EQ(ThePictureImageCache.entries.size(), 1u);
    ReleasePictureImage("a.png", false, 1);
    EXPECT_TRUE(ThePictureImageCache.entries.empty());
    EXPECT_TRUE(AllLive(graphs, false));
}

TEST_F(PictureImageCacheTest, OneReleaseRemovesEverySplitOfTheFile) {
    WriteImage("a.png", 8, 8, 0x00FF00);
    WriteImage("b.png", 8, 8, 0x0000FF);
    game::Picture picture;
    ASSERT_TRUE(PictureControl(picture, "a.png", 2, 1));
    ASSERT_TRUE(PictureControl(picture, "b.png", 1, 1));
    ASSERT_TRUE(PictureControl(picture, "a.png", 1, 2));
    ASSERT_EQ(ThePictureImageCache.entries.size(), 3u);
    EXPECT_NE(ThePictureImageCache.entries[0].whole, ThePictureImageCache.entries[2].whole);
    ReleasePictureImage("a.png", false, 0);
    ASSERT_EQ(ThePictureImageCache.entries.size(), 1u);
    EXPECT_EQ(ThePictureImageCache.entries[0].name, "b.png");
    ReleasePictureImage("", true, 0);
    EXPECT_EQ(ThePictureImageCache.entries.size(), 1u);
}

TEST_F(PictureImageCacheTest, ASplitLargerThanTheImageIsReportedAndUsedWhole) {
    WriteImage("small.png", 4, 4, 0xFFFFFF);
    TheProcessingPoint = {3, 5, 12};
    game::Picture picture;
    ASSERT_TRUE(PictureControl(picture, "small.png", 5, 1));
    ASSERT_EQ(reports_.errors().size(), 1u);
    EXPECT_EQ(reports_.errors()[0].line1,
              test::Sjis(u8"分割数が画像サイズより大きすぎます！ 横5分割 縦1分割  サイズX=4 Y=4"));
    EXPECT_EQ(reports_.errors()[0].line2, GetProcessingPointText());
    EXPECT_EQ(reports_.errors()[0].line3, "");
    EXPECT_EQ(picture.SplitX, 1);
    EXPECT_EQ(picture.Cells.size(), 1u);
    EXPECT_EQ(picture.Width, 4);
    // The entry keeps the split it was asked for.
    EXPECT_EQ(ThePictureImageCache.entries[0].splitX, 5);
}

TEST_F(PictureImageCacheTest, AMissingFileIsShownAndLeavesThePictureAlone) {
    TheProcessingPoint = {1, 2, 3};
    game::Picture picture;
    picture.ImageHandle = 77;
    EXPECT_FALSE(PictureControl(picture, "Picture\\none.png", 1, 1));
    EXPECT_EQ(picture.ImageHandle, 77);
    EXPECT_TRUE(ThePictureImageCache.entries.empty());
    ASSERT_EQ(reports_.boxes().size(), 1u);
    EXPECT_EQ(reports_.boxes()[0].text,
              test::Sjis(u8"■PictureControl error:ファイル Data\\Picture\\none.png が見つかりません"
                         u8"\r\n") +
                  GetProcessingPointText());
    EXPECT_EQ(reports_.boxes()[0].caption, test::Sjis(u8"ファイル読み込みエラー"));
    EXPECT_EQ(reports_.boxes()[0].buttons, MessageBoxButtons::kOkCancel);
    // Names that stand for no file fail without a word.
    EXPECT_FALSE(PictureControl(picture, "", 1, 1));
    EXPECT_FALSE(PictureControl(picture, "<<ERROR>>", 1, 1));
    EXPECT_EQ(reports_.boxes().size(), 1u);
}

TEST_F(PictureImageCacheTest, AFileThatDoesNotDecodeHasNoSizeAndNoCells) {
    folder_.Write("Data/bad.png", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13});
    game::Picture picture;
    picture.Width = 20;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(PictureControl(picture, "bad.png", 2, 2));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Data\\bad.png: a damaged or unsupported PNG image\n");
    EXPECT_EQ(picture.ImageHandle, -1);
    EXPECT_TRUE(picture.Cells.empty());
    EXPECT_EQ(picture.Width, 0);
    EXPECT_EQ(picture.Height, 0);
    EXPECT_TRUE(reports_.errors().empty());
}

TEST_F(PictureImageCacheTest, OnlyAnEmptiedListWithTheFlagReleasesTheCache) {
    WriteImage("a.png", 8, 8, 0x00FF00);
    game::Picture& picture = Showing(1, "a.png");
    ASSERT_TRUE(PictureControl(picture, "a.png", 2, 2));
    const std::vector<int> graphs = GraphsOf(ThePictureImageCache.entries[0]);
    ThePictureList = PictureList(false);
    EXPECT_EQ(ThePictureImageCache.entries.size(), 1u);
    EXPECT_TRUE(AllLive(graphs, true));
    ThePictureList.ClearPictureList(true);
    EXPECT_TRUE(ThePictureImageCache.entries.empty());
    EXPECT_TRUE(AllLive(graphs, false));
}

}  // namespace
}  // namespace game
