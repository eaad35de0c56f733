#include "game/map/panorama_and_fog.h"

#include <gtest/gtest.h>

#include "tests/game/core/report_capture.h"
#include "tests/game/map/map_screen_fixture.h"

namespace game {
namespace {

class PanoramaAndFog : public MapScreen {
  protected:
    void SetUp() override {
        MapScreen::SetUp();
        Load(tools::DemoStartMap());
    }
};

TEST_F(PanoramaAndFog, AFileSettingGivesTheSpeedsAndAClampedDivisor) {
    MainInterpreter& m = TheMainInterpreter;
    m.PanoramaFile = tools::kDemoPanoramaImage + "\n16\n-8\n5";
    TheScreenState.panoramaChanged = 1;
    PanoramaState state;
    ApplyPanoramaFileSetting(state);
    EXPECT_EQ(TheScreenState.panoramaChanged, 0);
    EXPECT_EQ(m.PanoramaFile, tools::kDemoPanoramaImage);
    EXPECT_EQ(m.PanoramaScrollX, 16);
    EXPECT_EQ(m.PanoramaScrollY, -8);
    EXPECT_EQ(m.PanoramaParallax, 1);
    EXPECT_EQ(m.PanoramaImage, -2);
    EXPECT_EQ(state.shownNumber, -2);
    EXPECT_EQ(state.width, 320);
    EXPECT_EQ(state.height, 240);
}

TEST_F(PanoramaAndFog, ThePanoramaMultipliesItsSpeedByTheFramesAndTheFogDivides) {
    MainInterpreter& m = TheMainInterpreter;
    m.PanoramaImage = m.FogImage = -2;
    m.PanoramaFile = tools::kDemoPanoramaImage;
    m.FogFile = tools::kDemoFogImage;
    m.PanoramaScrollX = m.FogScrollX = 8;
    m.PanoramaScrollY = m.FogScrollY = -3;
    struct Case {
        int framesPerUpdate, panoramaX, fogX;
    } const cases[] = {{1, 8, 8}, {2, 16, 4}};
    for (const Case& c : cases) {
        FramesPerUpdate = c.framesPerUpdate;
        PanoramaState panorama;
        FogState fog;
        ChangePanorama(panorama, TheMapState);
        ChangeFog(fog, TheMapState);
        ScrollPanorama(panorama, TheMapState);
        ScrollFog(fog, TheMapState);
        EXPECT_EQ(panorama.scrollX, 2 * c.panoramaX);
        EXPECT_EQ(fog.scrollX, 2 * c.fogX);
        // Upward drift wraps into the image: 8 x 240 - 6 and less.
        EXPECT_EQ(panorama.scrollY, 8 * 240 + 2 * -3 * c.framesPerUpdate);
    }
}

TEST_F(PanoramaAndFog, TheParallaxFollowsTheViewAndTheShakeAddsOn) {
    MainInterpreter& m = TheMainInterpreter;
    m.PanoramaImage = -2;
    m.PanoramaFile = tools::kDemoPanoramaImage;
    m.PanoramaScrollX = m.PanoramaScrollY = 0;
    PanoramaState state;
    ChangePanorama(state, TheMapState);
    m.PanoramaParallax = 2;
    TheMapState.scrollX = 400;
    TheMapState.shakeOffsetX = 3;
    ScrollPanorama(state, TheMapState);
    // -400 x 2 / 2 = -400 eighths, plus 3, wrapped into 8 x 320.
    EXPECT_EQ(state.scrollX, 8 * 320 - 400 + 3);
}

TEST_F(PanoramaAndFog, AMissingImageIsReportedOnceAndNotDrawn) {
    ReportCapture reports;
    TheMainInterpreter.FogImage = -2;
    TheMainInterpreter.FogFile = "Fog\\none.png";
    FogState fog;
    DrawFog(fog, TheMapState);
    DrawFog(fog, TheMapState);
    ASSERT_EQ(ReportCapture::errors().size(), 1u);
    EXPECT_EQ(ReportCapture::errors()[0].line2, "Fog\\none.png");
    EXPECT_EQ(fog.imageIndex, -1);
    EXPECT_EQ(BackPixel(10, 10), 0u);
}

TEST_F(PanoramaAndFog, AResetStateShowsNothingAndDropsTheDivisor) {
    TheMainInterpreter.FogParallax = 1;
    const FogState fog = ResetFog();
    EXPECT_EQ(TheMainInterpreter.FogParallax, 0);
    EXPECT_EQ(fog.shownNumber, -1);
    EXPECT_EQ(fog.imageIndex, -1);
}

}  // namespace
}  // namespace game
