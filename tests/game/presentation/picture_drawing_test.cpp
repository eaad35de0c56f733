// What the picture drawing hands the layer: geometry, blend modes and colour passes, logged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/display_scale.h"
#include "game/core/play_settings.h"
#include "game/map/map_state.h"
#include "game/presentation/picture_list.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/presentation/picture_layer_fake.h"
#include "tests/game/presentation/text_layer_fake.h"

namespace game {
namespace {

using Calls = std::vector<std::string>;

const std::string kResetBlend = "blend 0 255";
const std::string kResetBright = "bright 255 255 255";

class PictureDrawing : public testing::Test {
  protected:
    void SetUp() override {
        FreshGameState();
        FramesPerUpdate = 1;
        ThePictureList = PictureList();
    }
    void TearDown() override {
        ThePictureList = PictureList();
        FreshGameState();
    }

    // A settled, shown image picture of one cell (graph 11) of width x height at (x, y).
    static Picture& Add(int number, int x, int y, int width = 64, int height = 32) {
        Picture& picture = ThePictureList.Pictures.emplace_back(number);
        picture.Hidden = 0;
        picture.Cells = {11};
        picture.ImageHandle = 10;
        picture.Width = picture.PreviousWidth = width;
        picture.Height = picture.PreviousHeight = height;
        picture.TargetX = picture.StartX = x;
        picture.TargetY = picture.StartY = y;
        picture.Opacity = picture.StartOpacity = 255;
        picture.Remaining = -1;
        picture.Duration = 1;
        return picture;
    }

    // The calls of one layer's drawing, without the closing reset of blend and bright.
    static Calls Draw(int layer = 0) {
        test::PictureCalls().clear();
        DrawPictureLayer(ThePictureList, layer);
        Calls calls = test::PictureCalls();
        if (calls.size() >= 2 && calls[calls.size() - 2] == kResetBlend &&
            calls.back() == kResetBright)
            calls.resize(calls.size() - 2);
        return calls;
    }

    static std::array<int, 4> Hit(const Picture& picture) {
        return {picture.HitLeft, picture.HitTop, picture.HitRight, picture.HitBottom};
    }

    test::FakePictureLayer layer_;
    test::FakeTextLayer text_;
};

TEST_F(PictureDrawing, AnAnchoredZoomedPictureCoversItsBoxAndHalfAPixelMore) {
    Picture& picture = Add(0, 100, 100);
    picture.Anchor = 1;
    picture.ZoomX = picture.ZoomY = 200;
    EXPECT_EQ(Draw(), (Calls{"blend 0 255", "bright 255 255 255", "paint 36 68 164 132 g11"}));
    EXPECT_EQ(Hit(picture), (std::array<int, 4>{36, 68, 164, 132}));
    // At zoom factor 2 the box is in game pixels and the layer gets screen pixels.
    ZoomFactor = 2;
    EXPECT_EQ(Draw().back(), "paint 72 136 328 264 g11");
}

TEST_F(PictureDrawing, APositiveTintIsAddedInASecondPassANegativeOneDarkens) {
    Picture& picture = Add(0, 0, 0, 20, 10);
    picture.Tint = {50, 0, 0};
    EXPECT_EQ(Draw(), (Calls{"blend 0 255", "bright 255 255 255", "paint 0 0 20 10 g11",
                             "bright 50 0 0", "blend 2 255", "paint 0 0 20 10 g11"}));
    picture.Tint = {-100, 0, 0};
    EXPECT_EQ(Draw(), (Calls{"blend 0 255", "bright 155 255 255", "paint 0 0 20 10 g11"}));
    // A colour effect lightens like a tint.
    picture.Tint = {0, 0, 0};
    picture.EffectColour = picture.EffectStartColour = 0x966464;
    EXPECT_EQ(Draw(), (Calls{"blend 0 255", "bright 255 255 255", "paint 0 0 20 10 g11",
                             "bright 127 0 0", "blend 2 255", "paint 0 0 20 10 g11"}));
}

TEST_F(PictureDrawing, TheBlendKindPicksTheLayerMode) {
    Picture& picture = Add(0, 0, 0, 20, 10);
    const int modes[] = {1, 2, 3, 11, 10};
    for (int kind = 0; kind < 5; ++kind) {
        picture.BlendKind = kind;
        picture.Opacity = 128;
        EXPECT_EQ(Draw().front(), "blend " + std::to_string(modes[kind]) + " 128") << kind;
    }
}

TEST_F(PictureDrawing, ATurnedPictureStaysOnTheRotatedPathAfterItsTurn) {
    Picture& picture = Add(0, 100, 100);
    picture.StartAngle = 0;
    picture.Angle = 3600;
    EXPECT_EQ(Draw().back(), "rotate 132 116 1.000 6.2832 g11");
    EXPECT_EQ(Hit(picture), (std::array<int, 4>{100, 100, 164, 132}));
    picture.ZoomX = 150;
    EXPECT_EQ(Draw().back(), "rotate 148 124 1.500 6.2832 g11");
    picture.Angle = 0;
    picture.ZoomX = 100;
    EXPECT_EQ(Draw().back(), "paint 100 100 164 132 g11");
}

TEST_F(PictureDrawing, EachLayerDrawsItsOwnNumbers) {
    const int numbers[] = {-100000, -5, 0, 99999, 100000};
    for (int i = 0; i < 5; ++i)
        Add(numbers[i], 0, 0, 8, 8).Cells = {i + 1};
    const auto graphs = [](int layer) {
        std::string drawn;
        for (const std::string& call : Draw(layer)) {
            if (call.starts_with("paint"))
                drawn += call.substr(call.rfind('g'));
        }
        return drawn;
    };
    EXPECT_EQ(graphs(-2), "g1");
    EXPECT_EQ(graphs(-1), "g2");
    EXPECT_EQ(graphs(0), "g3g4");
    EXPECT_EQ(graphs(1), "g5");
    EXPECT_EQ(graphs(2), "");
}

TEST_F(PictureDrawing, AWindowStretchesItsEdgesAndCentreAndKeepsItsCorners) {
    Picture& picture = Add(0, 10, 20, 16, 16);
    picture.IsWindowPicture = 1;
    picture.SplitX = 160;
    picture.SplitY = 96;
    picture.Cells = {20, 21, 22, 23, 24, 25, 26, 27, 28};
    const Calls calls = Draw();
    ASSERT_EQ(calls.size(), 11u);
    EXPECT_EQ(Calls(calls.begin() + 2, calls.end()),
              (Calls{"paint 10 20 26 36 g20", "paint 154 20 170 36 g22", "paint 26 20 154 36 g21",
                     "paint 10 36 26 100 g23", "paint 154 36 170 100 g25",
                     "paint 26 36 154 100 g24", "paint 10 100 26 116 g26",
                     "paint 154 100 170 116 g28", "paint 26 100 154 116 g27"}));
}

TEST_F(PictureDrawing, AMovingPictureIsDrawnBetweenItsStartAndTarget) {
    Picture& picture = Add(0, 100, 40, 20, 10);
    picture.StartX = 0;
    picture.StartY = 0;
    picture.StartOpacity = 0;
    picture.Remaining = 5;
    picture.Duration = 10;
    EXPECT_EQ(Draw(), (Calls{"blend 1 127", "bright 255 255 255", "paint 50 20 70 30 g11"}));
}

TEST_F(PictureDrawing, AnErasingPictureFadesFromItsOpacity) {
    Picture& picture = Add(0, 0, 0, 20, 10);
    picture.Opacity = 200;
    picture.Erasing = 1;
    picture.Remaining = 3;
    picture.Duration = 4;
    EXPECT_EQ(Draw(), (Calls{"blend 1 150", "bright 255 255 255", "paint 0 0 20 10 g11"}));
}

TEST_F(PictureDrawing, NothingIsDrawnForOpacityZeroABadBlendKindOrPatternButTheHitMoves) {
    Picture& picture = Add(0, 5, 5, 20, 10);
    picture.Opacity = 0;
    EXPECT_TRUE(Draw().empty());
    EXPECT_EQ(Hit(picture), (std::array<int, 4>{5, 5, 25, 15}));
    picture.Opacity = 255;
    picture.TargetX = 7;
    picture.BlendKind = 7;
    EXPECT_TRUE(Draw().empty());
    EXPECT_EQ(picture.HitLeft, 7);
    picture.BlendKind = 0;
    for (const int pattern : {0, 2, -1000000}) {
        picture.Pattern = pattern;
        EXPECT_EQ(Draw(), (Calls{"blend 0 255", "bright 255 255 255"})) << pattern;
    }
}

TEST_F(PictureDrawing, OffsetShakeAndZoomEffectsMoveTheDrawingAndTheHitRectangle) {
    Picture& picture = Add(0, 0, 0, 20, 10);
    picture.EffectOffsetX = picture.EffectStartOffsetX = 10;
    picture.ShakeX = 4;
    picture.ShakeCount = 1;
    picture.ShakeHalfPeriod = 2;
    picture.ShakePhase = 3;
    EXPECT_EQ(Draw().back(), "paint 12 0 32 10 g11");
    EXPECT_EQ(Hit(picture), (std::array<int, 4>{12, 0, 32, 10}));
    picture.EffectOffsetX = picture.EffectStartOffsetX = 0;
    picture.ShakeCount = 0;
    picture.TargetX = picture.TargetY = 10;
    picture.EffectZoom = picture.StartEffectZoom = 200;
    EXPECT_EQ(Draw().back(), "paint 20 20 60 40 g11");
}

TEST_F(PictureDrawing, AMapLinkedPictureOnALoopingMapWrapsAndReportsWhereItIs) {
    TheMapState.mapData.header.width = 20;
    TheMapState.mapData.header.height = 15;
    TheMapState.loopsHorizontally = 1;
    Picture& picture = Add(0, 10, 50);
    picture.FollowsMap = 1;
    TheMapState.scrollX = 4 * 5;
    EXPECT_EQ(Draw().back(), "paint 5 50 69 82 g11");
    EXPECT_EQ(ThePictureList.GetPictureInfo(0, 0), 5);
    TheMapState.scrollX = 4 * 40;
    EXPECT_EQ(Draw().back(), "paint 610 50 674 82 g11");
    EXPECT_EQ(picture.WrapOffsetX, 640);
    EXPECT_EQ(ThePictureList.GetPictureInfo(0, 0), 610);
}

TEST_F(PictureDrawing, AStringPicturesHitRectangleUsesTheZoomsItIsDrawnWith) {
    Picture& picture = Add(0, 10, 10, 50, 20);
    picture.IsStringPicture = 1;
    picture.StartZoomX = 100;
    picture.ZoomX = 200;
    Draw();
    EXPECT_EQ(picture.Text.OriginX, 10);
    EXPECT_EQ(Hit(picture), (std::array<int, 4>{10, 10, 110, 30}));
}

}  // namespace
}  // namespace game
