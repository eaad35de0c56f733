#include "layer/graphics/surface_data.h"

#include <gtest/gtest.h>

#include <ostream>

#include "layer/graphics/draw_setters.h"
#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/surface_2d.h"
#include "tests/layer/graphics/graphics_fixture.h"

namespace {

using layer::FormatKey;
using layer::SurfaceData;

SurfaceData* DataOf(int graph) {
    const layer::GraphRecord* record = layer::GetGraphRecord(graph);
    const layer::Surface2D* tile =
        record != nullptr ? layer::GetSurface2D(record->Tiles[0]) : nullptr;
    return tile != nullptr ? layer::GetSurfaceData(tile->SurfaceDataHandle) : nullptr;
}

class DisplaySurfaceData : public testing::Test {
  protected:
    void SetUp() override { test::StartDisplayGraphics(platform::ForcedDisplayFormat::kR5G6B5); }
    void TearDown() override { test::StopGraphics(); }
};

TEST_F(DisplaySurfaceData, PlainGraphsAreVideoMemorySurfaces) {
    const SurfaceData* data = DataOf(layer::NewGraph(16, 16, 1));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->MemImgFlag, 0);
    EXPECT_EQ(data->FormatIndex, 14);
    ASSERT_NE(data->Surface, nullptr);
    EXPECT_NE(platform::GetSurfaceCaps(data->Surface) & platform::kCapsVideoMemory, 0u);
    EXPECT_EQ(data->Key.SystemMemFlag, 0);
}

TEST_F(DisplaySurfaceData, AlphaAndBlendGraphsAreAlwaysSoftwareImages) {
    const SurfaceData* alpha = DataOf(layer::CreateGraphSurfaces(8, 8, 1, 1, 0));
    layer::SetNewGraphModeWord(1);
    const SurfaceData* blend = DataOf(layer::NewGraph(8, 8, 1));
    layer::SetNewGraphModeWord(0);
    ASSERT_NE(alpha, nullptr);
    ASSERT_NE(blend, nullptr);
    EXPECT_EQ(alpha->MemImgFlag, 1);
    EXPECT_EQ(alpha->FormatIndex, 16);
    EXPECT_EQ(blend->MemImgFlag, 1);
    EXPECT_EQ(blend->Image.Body->ColorType, 2);
}

TEST_F(DisplaySurfaceData, SurfacesLargerThanTheScreenGoToSystemMemory) {
    const SurfaceData* data = DataOf(layer::NewGraph(641, 8, 1));
    ASSERT_NE(data, nullptr);
    EXPECT_NE(platform::GetSurfaceCaps(data->Surface) & platform::kCapsSystemMemory, 0u);
    EXPECT_EQ(data->Key.SystemMemFlag, 1);
}

TEST_F(DisplaySurfaceData, ARefusedVideoSurfaceIsTriedInSystemMemory) {
    platform::FailNextDisplayOperation(platform::DisplayOperation::kCreateSurface,
                                       platform::kCapsVideoMemory);
    const SurfaceData* data = DataOf(layer::NewGraph(8, 8, 1));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Key.SystemMemFlag, 1);
}

TEST_F(DisplaySurfaceData, NestedLockGivesTheSamePointer) {
    const int graph = layer::NewGraph(8, 8, 1);
    const int handle =
        layer::GetSurface2D(layer::GetGraphRecord(graph)->Tiles[0])->SurfaceDataHandle;
    int pitch = 0;
    std::uint8_t* first = nullptr;
    std::uint8_t* second = nullptr;
    const int point[2] = {2, 1};
    ASSERT_EQ(layer::LockSurfaceData(handle, &pitch, &first, 1, point, nullptr), 0);
    EXPECT_EQ(layer::LockSurfaceData(handle, &pitch, &second, 1, point, nullptr), -2);
    EXPECT_EQ(first, second);
    EXPECT_EQ(layer::UnlockSurfaceData(handle), 0);
    EXPECT_EQ(layer::UnlockSurfaceData(handle), 0);
    EXPECT_EQ(layer::UnlockSurfaceData(handle), -1);
}

TEST_F(DisplaySurfaceData, AFailedLockIsReported) {
    const int graph = layer::NewGraph(8, 8, 1);
    const int handle =
        layer::GetSurface2D(layer::GetGraphRecord(graph)->Tiles[0])->SurfaceDataHandle;
    platform::FailNextDisplayOperation(platform::DisplayOperation::kLock);
    int pitch = 0;
    std::uint8_t* pixels = nullptr;
    EXPECT_EQ(layer::LockSurfaceData(handle, &pitch, &pixels, 0, nullptr, nullptr), -1);
}

TEST_F(DisplaySurfaceData, ReferenceCountTwoReleasedOnceStaysAlive) {
    const int graph = layer::NewGraph(8, 8, 1);
    const int handle =
        layer::GetSurface2D(layer::GetGraphRecord(graph)->Tiles[0])->SurfaceDataHandle;
    EXPECT_EQ(layer::AddSurfaceDataRef(handle), 2);
    EXPECT_EQ(layer::ReleaseSurfaceDataRef(handle), 1);
    EXPECT_NE(layer::GetSurfaceData(handle), nullptr);
}

TEST_F(DisplaySurfaceData, ColourKeyIsTheTransparentColourAsAScreenPixel) {
    layer::SetTransparentColour(255, 0, 255);
    const SurfaceData* data = DataOf(layer::NewGraph(8, 8, 1));
    platform::ColourKey key;
    ASSERT_EQ(platform::GetSurfaceColourKey(data->Surface, &key), platform::kDisplayOk);
    EXPECT_EQ(key.low, 0xF81Fu);
    EXPECT_EQ(key.high, 0xF81Fu);
}

TEST_F(DisplaySurfaceData, LostSurfacesAreRestoredForRewriting) {
    const int graph = layer::NewGraph(8, 8, 1);
    platform::SimulateDisplayLoss();
    EXPECT_EQ(layer::RestoreGraphSurfaces2D(layer::GetGraphRecord(graph)), -1);
    EXPECT_EQ(layer::RestoreGraphSurfaces2D(layer::GetGraphRecord(graph)), 0);
}

TEST_F(DisplaySurfaceData, FillPacksForTheScreenFormat) {
    const int graph = layer::NewGraph(4, 4, 1);
    ASSERT_EQ(layer::FillGraphColour(graph, 255, 0, 0, 255), 0);
    const int handle =
        layer::GetSurface2D(layer::GetGraphRecord(graph)->Tiles[0])->SurfaceDataHandle;
    int pitch = 0;
    std::uint8_t* pixels = nullptr;
    layer::LockSurfaceData(handle, &pitch, &pixels, 0, nullptr, nullptr);
    EXPECT_EQ(pixels[0] | pixels[1] << 8, 0xF800);
    layer::UnlockSurfaceData(handle);
}

struct TextureFormatCase {
    const char* name;
    int draw_valid;
    int alpha;
    int alpha_test;
    int bits;
    int format_select;
    int expected;

    friend void PrintTo(const TextureFormatCase& c, std::ostream* os) { *os << c.name; }
};

class TextureFormats : public testing::TestWithParam<TextureFormatCase> {};

TEST_P(TextureFormats, FollowTheKey) {
    const TextureFormatCase& c = GetParam();
    FormatKey key;
    key.DrawValid = static_cast<std::uint8_t>(c.draw_valid);
    key.AlphaChFlag = static_cast<std::uint8_t>(c.alpha);
    key.AlphaTestFlag = static_cast<std::uint8_t>(c.alpha_test);
    key.ColorBitDepth = static_cast<std::uint8_t>(c.bits);
    key.FormatSelect = static_cast<std::uint8_t>(c.format_select);
    EXPECT_EQ(layer::ChooseTextureFormat(key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TextureFormats,
    testing::Values(TextureFormatCase{"TargetWithAlpha", 1, 1, 0, 16, 0, 13},
                    TextureFormatCase{"TargetWithAlphaTest", 1, 0, 1, 32, 0, 13},
                    TextureFormatCase{"Target16", 1, 0, 0, 16, 0, 11},
                    TextureFormatCase{"Target32", 1, 0, 0, 32, 0, 12},
                    TextureFormatCase{"Alpha16", 0, 1, 1, 16, 0, 2},
                    TextureFormatCase{"Alpha32", 0, 1, 0, 32, 0, 3},
                    TextureFormatCase{"Plain16", 0, 0, 0, 16, 0, 0},
                    TextureFormatCase{"Plain32", 0, 0, 0, 32, 0, 1},
                    TextureFormatCase{"AlphaTest16", 0, 0, 1, 16, 0, 4},
                    TextureFormatCase{"AlphaTest32", 0, 0, 1, 32, 0, 5},
                    TextureFormatCase{"SpecialFirst", 1, 1, 1, 16, 1, 6},
                    TextureFormatCase{"SpecialLast", 0, 0, 0, 32, 5, 10}),
    [](const testing::TestParamInfo<TextureFormatCase>& info) { return info.param.name; });

}  // namespace
