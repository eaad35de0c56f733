#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

#include "layer/graphics/draw_setters.h"
#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"
#include "tests/layer/graphics/graphics_fixture.h"

namespace {

using layer::FormatKey;
using layer::GraphRecord;

const layer::SurfaceData* DataOf(const GraphRecord* graph) {
    const layer::Surface2D* tile = layer::GetSurface2D(graph->Tiles[0]);
    return tile != nullptr ? layer::GetSurfaceData(tile->SurfaceDataHandle) : nullptr;
}

class SoftwareGraphs : public testing::Test {
  protected:
    void SetUp() override { test::StartSoftwareGraphics(32); }
    void TearDown() override { test::StopGraphics(); }
};

struct FlagCase {
    const char* name;
    int draw_valid_option;
    int mode_word;
    int alpha_default;
    int alpha_channel;
    // Expected AlphaChFlag, DrawValid, AlphaTestFlag, BlendGraphFlag, MEMIMG colour type.
    int alpha;
    int draw_valid;
    int alpha_test;
    int blend;
    int colour_type;

    friend void PrintTo(const FlagCase& c, std::ostream* os) { *os << c.name; }
};

class GraphFlags : public SoftwareGraphs, public testing::WithParamInterface<FlagCase> {};

TEST_P(GraphFlags, FollowTheDefaults) {
    const FlagCase& c = GetParam();
    layer::SetNewGraphDrawValidOption(c.draw_valid_option);
    layer::SetNewGraphModeWord(c.mode_word);
    layer::SetNewGraphAlphaTestFlag(c.alpha_default);
    const int graph = layer::CreateGraphSurfaces(8, 4, 1, c.alpha_channel, 0);
    const GraphRecord* record = layer::GetGraphRecord(graph);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Key.TextureFlag, 0);
    EXPECT_EQ(record->Key.AlphaChFlag, c.alpha);
    EXPECT_EQ(record->Key.DrawValid, c.draw_valid);
    EXPECT_EQ(record->Key.AlphaTestFlag, c.alpha_test);
    EXPECT_EQ(record->Key.BlendGraphFlag, c.blend);
    EXPECT_EQ(record->Mode, c.mode_word);
    const layer::SurfaceData* data = DataOf(record);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->MemImgFlag, 1);
    EXPECT_EQ(data->Image.Body->ColorType, c.colour_type);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GraphFlags,
    testing::Values(FlagCase{"Plain", 0, 0, 1, 0, 0, 0, 1, 0, 1},
                    FlagCase{"WithAlpha", 0, 0, 1, 1, 1, 0, 1, 0, 1},
                    FlagCase{"NoAlphaTest", 0, 0, 0, 0, 0, 0, 0, 0, 1},
                    FlagCase{"DrawValidForcesNoAlpha", 1, 0, 1, 1, 0, 1, 0, 0, 1},
                    FlagCase{"FlaggedLoadIsABlendGraph", 0, 1, 1, 0, 0, 0, 1, 1, 2}),
    [](const testing::TestParamInfo<FlagCase>& info) { return info.param.name; });

TEST_F(SoftwareGraphs, NewGraphIsNeverTextureBasedWithoutA3DDevice) {
    for (const int no_texture : {0, 1}) {
        const GraphRecord* record = layer::GetGraphRecord(layer::NewGraph(4, 4, no_texture));
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->Key.TextureFlag, 0);
        EXPECT_EQ(record->Key.ColorBitDepth, 32);
    }
    EXPECT_EQ(layer::IsTextureDrawingActive(), 0);
}

TEST_F(SoftwareGraphs, HandlesStartAfreshWithManagement) {
    EXPECT_EQ(layer::NewGraph(4, 4, 1), 0x08000000);
    EXPECT_EQ(layer::NewGraph(4, 4, 1), 0x08010001);
    EXPECT_EQ(layer::GetGraphCount(), 2);
}

TEST_F(SoftwareGraphs, DisposeRefusesScreensAndStaleHandles) {
    const int surfaces_before = layer::CountSurfaces2D();
    const int graph = layer::NewGraph(4, 4, 1);
    EXPECT_EQ(layer::DisposeGraph(layer::kDrawTargetBack, 0), -1);
    EXPECT_EQ(layer::DisposeGraph(layer::kDrawTargetFront, 0), -1);
    EXPECT_EQ(layer::DisposeGraph(graph, 0), 0);
    EXPECT_EQ(layer::DisposeGraph(graph, 0), -1);
    EXPECT_EQ(layer::CountSurfaces2D(), surfaces_before);
}

TEST_F(SoftwareGraphs, NoticesAreWrittenByTheWholesaleDeletion) {
    int notices[3] = {7, 7, 7};
    for (int& notice : notices) {
        layer::SetGraphDeleteNotice(layer::NewGraph(2, 2, 1), &notice);
        EXPECT_EQ(notice, 0);
    }
    layer::DisposeAllGraphs(0);
    EXPECT_EQ(notices[0] + notices[1] + notices[2], 3);
    EXPECT_EQ(layer::GetGraphCount(), 0);
}

TEST_F(SoftwareGraphs, SizesOutsideSixteenBitsLeaveNoRecord) {
    for (const int width : {0, -3, 65536}) {
        EXPECT_EQ(layer::NewGraph(width, 4, 1), -1) << width;
    }
    EXPECT_EQ(layer::GetGraphCount(), 0);
    EXPECT_EQ(layer::GetGraphSlotEnd(), 0);
}

TEST_F(SoftwareGraphs, DerivationLimitsAndClipping) {
    const int source = layer::NewGraph(10, 6, 1);
    EXPECT_EQ(layer::DeriveSubGraph(10, 0, 2, 2, source), -1);
    EXPECT_EQ(layer::DeriveSubGraph(-1, 0, 2, 2, source), -1);
    EXPECT_EQ(layer::DeriveSubGraph(0, 6, 2, 2, source), -1);
    EXPECT_EQ(layer::DeriveSubGraph(2, 2, 0, 2, source), -1);
    int width = 0;
    int height = 0;
    const int derived = layer::DeriveSubGraph(7, 4, 8, 8, source);
    ASSERT_GE(derived, 0);
    layer::GetGraphDimensions(derived, &width, &height);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(layer::GetGraphRecord(derived)->SourceX, 7);
}

TEST_F(SoftwareGraphs, DerivedGraphKeepsItsPixelsAfterTheParentGoes) {
    const int source = layer::NewGraph(4, 4, 1);
    layer::FillGraphColour(source, 10, 20, 30, 255);
    const int derived = layer::DeriveSubGraph(1, 1, 2, 2, source);
    ASSERT_GE(derived, 0);
    ASSERT_EQ(layer::DisposeGraph(source, 0), 0);
    const layer::SurfaceData* data = DataOf(layer::GetGraphRecord(derived));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->RefCount, 1);
    ASSERT_EQ(layer::TestMemImgValid(&data->Image), 1);
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, data->Image.Pixels + data->Image.Body->Pitch + 4, 4);
    EXPECT_EQ(pixel & 0xFFFFFF, 0x0A141Eu);
}

TEST_F(SoftwareGraphs, AFailedDerivationLeavesNoRecord) {
    const int source = layer::NewGraph(4, 4, 1);
    layer::DeleteSurface2D(layer::GetGraphRecord(source)->Tiles[0]);
    EXPECT_EQ(layer::DeriveSubGraph(0, 0, 2, 2, source), -1);
    EXPECT_EQ(layer::GetGraphCount(), 1);
}

TEST_F(SoftwareGraphs, ManagementEndDeletesEverything) {
    layer::NewGraph(4, 4, 1);
    layer::DeriveSubGraph(0, 0, 2, 2, layer::NewGraph(4, 4, 1));
    layer::EndGraphicsManagement();
    EXPECT_EQ(layer::GetGraphCount(), 0);
    EXPECT_EQ(layer::CountSurfaces2D(), 0);
    EXPECT_EQ(layer::graphics_core.surface_data.count(), 0);
}

}  // namespace
