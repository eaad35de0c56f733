#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/picture_writers_2d.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_pixels.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "tests/layer/core/log_capture.h"
#include "tests/layer/graphics/graphics_fixture.h"
#include "tests/support/sjis.h"

namespace {

using layer::GraphRecord;

std::uint32_t Colour(int x, int y) {
    return static_cast<std::uint32_t>(x * 40) << 16 | static_cast<std::uint32_t>(y * 60) << 8 |
           0x11;
}

// The alpha companion: its red channel is the alpha.
std::uint32_t Alpha(int x, int y) {
    return static_cast<std::uint32_t>(x * 50 + y * 10) << 16;
}

// The 32-bit pixel (x, y) of a graph's software picture.
std::uint32_t GraphPixel(int graph, int x, int y) {
    const GraphRecord* record = layer::GetGraphRecord(graph);
    const layer::Surface2D* tile = layer::GetSurface2D(record->Tiles[0]);
    const layer::SurfaceData* data = layer::GetSurfaceData(tile->SurfaceDataHandle);
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, data->Image.Pixels + y * data->Image.Body->Pitch + x * 4, 4);
    return pixel;
}

class GraphFiles : public test::LogCapture {
  protected:
    void SetUp() override {
        LogCapture::SetUp();
        previous_ = platform::GetCurrentFolder();
        ASSERT_TRUE(
            platform::SetCurrentFolder(platform::DiskPathToGamePath(files_.root().string())));
        files_.write("Data/pic.bmp", test::Bmp24(4, 3, Colour));
        files_.write("Data/pic_a.bmp", test::Bmp24(4, 3, Alpha));
        files_.write("Data/odd.bmp", test::Bmp24(4, 3, Colour));
        files_.write("Data/odd_a.bmp", test::Bmp24(5, 3, Alpha));
        files_.write("Data/text.bmp", "not a picture at all");
        test::StartSoftwareGraphics(32);
    }
    void TearDown() override {
        test::StopGraphics();
        platform::SetCurrentFolder(previous_);
        LogCapture::TearDown();
    }

    test::TempTree files_;
    std::string previous_;
};

TEST_F(GraphFiles, ImageWithItsCompanionGivesPixelsWithAlpha) {
    const int graph = layer::OpenGraphFile("Data\\pic.bmp", 1, 0, 0);
    ASSERT_GE(graph, 0);
    const GraphRecord* record = layer::GetGraphRecord(graph);
    EXPECT_EQ(record->Key.AlphaChFlag, 1);
    EXPECT_EQ(record->FileName, "Data\\pic.bmp");
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(GraphPixel(graph, x, y), (Alpha(x, y) << 8) | Colour(x, y)) << x << "," << y;
        }
    }
}

TEST_F(GraphFiles, ACompanionOfAnotherSizeIsRefused) {
    EXPECT_EQ(layer::OpenGraphFile("Data\\odd.bmp", 1, 0, 0), -1);
    EXPECT_EQ(layer::GetGraphCount(), 0);
}

TEST_F(GraphFiles, AFileThatIsNoPictureIsLogged) {
    EXPECT_EQ(layer::OpenGraphFile("Data\\text.bmp", 1, 0, 0), -1);
    EXPECT_NE(ReadLog().find(
                  test::Sjis(u8"右記のグラフィックファイルのロードに失敗しました：Data\\text.bmp")),
              std::string::npos);
}

TEST_F(GraphFiles, AMissingFileIsLogged) {
    EXPECT_EQ(layer::OpenGraphFile("Data\\none.bmp", 1, 0, 0), -1);
    EXPECT_NE(ReadLog().find(test::Sjis(u8"グラフィックファイル Data\\none.bmp がありません")),
              std::string::npos);
}

TEST_F(GraphFiles, MemoryImagesMirrorWhenAsked) {
    const std::string bmp = test::Bmp24(4, 3, Colour);
    const int graph =
        layer::CreateGraphFromMemory(bmp.data(), static_cast<int>(bmp.size()), nullptr, 0, 1, 1);
    ASSERT_GE(graph, 0);
    EXPECT_EQ(GraphPixel(graph, 0, 1) & 0xFFFFFF, Colour(3, 1));
    const std::string alpha = test::Bmp24(2, 2, Alpha);
    EXPECT_EQ(layer::CreateGraphFromMemory(bmp.data(), static_cast<int>(bmp.size()), alpha.data(),
                                           static_cast<int>(alpha.size()), 1, 0),
              -1);
}

class PictureWriters : public testing::Test {
  protected:
    void SetUp() override {
        test::StartSoftwareGraphics(32);
        layer::CreateXrgb32Image(20, 4, &picture_);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 20; ++x) {
                layer::WriteImagePixel(&picture_, x, y, x * 10, y, 0, 255);
            }
        }
    }
    void TearDown() override {
        layer::FreeGraphImage(&picture_);
        test::StopGraphics();
    }
    layer::GraphImage picture_;
};

TEST_F(PictureWriters, PlacementLeftOfTheGraphWritesTheLaterColumns) {
    const int graph = layer::NewGraph(8, 4, 1);
    layer::FillGraphColour(graph, 0, 0, 0, 255);
    layer::PictureSource source;
    source.colour = &picture_;
    ASSERT_EQ(layer::WriteImageToGraphSurfaces2D(source, {0, 0, 20, 4}, -10, 0,
                                                 layer::GetGraphRecord(graph)),
              0);
    EXPECT_EQ(GraphPixel(graph, 0, 0) >> 16 & 0xFF, 100u);
    EXPECT_EQ(GraphPixel(graph, 7, 2) >> 16 & 0xFF, 170u);
    EXPECT_EQ(GraphPixel(graph, 7, 2) >> 8 & 0xFF, 2u);
}

TEST_F(PictureWriters, PlacementOutsideWritesNothing) {
    const int graph = layer::NewGraph(8, 4, 1);
    layer::FillGraphColour(graph, 1, 2, 3, 255);
    layer::PictureSource source;
    source.colour = &picture_;
    EXPECT_EQ(layer::WriteImageToGraphSurfaces2D(source, {0, 0, 20, 4}, 8, 0,
                                                 layer::GetGraphRecord(graph)),
              0);
    EXPECT_EQ(GraphPixel(graph, 7, 3) & 0xFFFFFF, 0x010203u);
}

TEST_F(PictureWriters, GraphFromImageRecordHoldsTheImage) {
    const int graph = layer::GraphFromImageRecord(&picture_);
    ASSERT_GE(graph, 0);
    EXPECT_EQ(GraphPixel(graph, 19, 3) & 0xFFFFFF, 0xBE0300u);
    EXPECT_EQ(layer::GetGraphRecord(graph)->FileName, "");
}

}  // namespace
