#pragma once

// The picture scenes both routes draw: the software route makes their goldens, the OpenGL route
// is compared with them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "game/core/display_scale.h"
#include "game/map/map_state.h"
#include "game/presentation/picture_commands.h"
#include "game/presentation/picture_update.h"
#include "game/presentation/render_text.h"
#include "game/presentation/text_resources.h"
#include "layer/core/layer_api.h"
#include "tests/game/presentation/picture_fixture.h"
#include "tests/game/presentation/text_fixture.h"
#include "tests/support/golden.h"
#include "tests/support/sjis.h"

namespace test {

// Four stripes to blend over, two text colours, the fonts, and the scenes' image files.
template <class Screens>
class PictureSceneOn : public PictureScreensOn<Screens> {
  protected:
    void SetUp() override {
        PictureScreensOn<Screens>::SetUp();
        const int stripes[] = {0x203040, 0x806020, 0x2080A0, 0xC0C0C0};
        for (int band = 0; band < 4; ++band)
            layer::PutBox(0, band * 120, 640, band * 120 + 120,
                          layer::RgbToPixel(stripes[band] >> 16, (stripes[band] >> 8) & 255,
                                            stripes[band] & 255),
                          1);
        SetColourRecords({{255, 255, 255}, {255, 120, 120}});
        game::TheTextResources = game::TextResources();
        game::SetupFonts(game::TheTextResources);
        WriteImages();
    }
    void TearDown() override {
        game::ClearFontCache(game::TheTextResources);
        game::ResetTextColourTable();
        PictureScreensOn<Screens>::TearDown();
    }

    // A 3 x 2 sheet of 32-pixel cells, each its own colour with n + 1 white bars; a 48 x 48
    // window skin of 16-pixel cells; a 64 x 64 shaded ball on the transparent colour.
    void WriteImages() {
        this->WriteImage("cells.png", 96, 64, [](int x, int y) -> std::uint32_t {
            const int cell = y / 32 * 3 + x / 32;
            const int cx = x % 32;
            const int cy = y % 32;
            const std::uint32_t colours[] = {0xC03030, 0x30A030, 0x3050D0,
                                             0xC0A020, 0xA030A0, 0x20A0A0};
            if (cy >= 8 && cy < 24 && cx >= 4 && cx < 4 + 4 * (cell + 1) && cx % 4 < 2)
                return 0xFFFFFF;
            return cx == 0 || cy == 0 ? 0x000000 : colours[cell];
        });
        this->WriteImage("skin.png", 48, 48, [](int x, int y) -> std::uint32_t {
            const bool border = x < 3 || y < 3 || x >= 45 || y >= 45;
            const bool corner = (x < 16 || x >= 32) && (y < 16 || y >= 32);
            if (border)
                return 0xE0E0F0;
            return corner ? 0x304080 : 0x182850;
        });
        this->WriteImage("ball.png", 64, 64, [](int x, int y) -> std::uint32_t {
            const double dx = x - 31.5;
            const double dy = y - 31.5;
            const double r = std::sqrt(dx * dx + dy * dy);
            if (r > 31)
                return PictureScreensOn<Screens>::kTransparent;
            const auto level = static_cast<std::uint32_t>(255 - r * 5);
            return level << 16 | (level / 2) << 8 | (255 - level);
        });
    }
};

inline game::PictureArgs ImageArgs(const char* file, int x, int y, int duration = 0) {
    game::PictureArgs args;
    args.text = file;
    args.x = x;
    args.y = y;
    args.duration = duration;
    return args;
}

inline void ShowPicture(int number, const game::PictureArgs& args, int zoom = 100, int zoomMode = 0,
                        bool window = false) {
    game::ShowPictures(game::ThePictureList, number, number, args, zoom, zoomMode, window);
}

inline void UpdatePicturesTimes(int count) {
    for (int update = 0; update < count; ++update)
        game::UpdatePictures(game::ThePictureList);
}

// Every picture layer drawn, and the back screen as a picture.
inline RgbaImage DrawnPictures() {
    for (const int layer : {-2, -1, 0, 1})
        game::DrawPictureLayer(game::ThePictureList, layer);
    return BackScreenPicture(640, 480);
}

inline RgbaImage EachKindOfPicture() {
    game::PictureArgs cell = ImageArgs("cells.png", 20, 20);
    cell.splitX = 3;
    cell.splitY = 2;
    cell.pattern = 5;
    ShowPicture(1, cell);
    game::PictureArgs window = ImageArgs("skin.png", 140, 20);
    window.splitX = 200;
    window.splitY = 120;
    ShowPicture(2, window, 100, 0, true);
    game::PictureArgs text = ImageArgs("", 360, 30);
    text.text = Sjis(u8"ピクチャの文字\n") + "\x01\x02\x0E\x0F" + "Abc";
    game::ShowStringPictures(game::ThePictureList, 3, 3, text, 100, 0);
    game::PictureArgs turned = ImageArgs("ball.png", 120, 320);
    turned.anchor = 1;
    turned.angle = 450;
    ShowPicture(4, turned, 150);
    game::PictureArgs tall = ImageArgs("cells.png", 320, 320);
    tall.anchor = 1;
    tall.angle = 900;
    tall.splitX = 3;
    tall.splitY = 2;
    tall.pattern = 2;
    ShowPicture(5, tall, 200, 1);
    game::PictureArgs wide = ImageArgs("ball.png", 440, 240);
    ShowPicture(6, wide, 250, 2);
    UpdatePicturesTimes(1);
    return DrawnPictures();
}

inline RgbaImage BlendKindsAndBothSignsOfTint() {
    for (int kind = 0; kind < 5; ++kind) {
        game::PictureArgs ball = ImageArgs("ball.png", 20 + kind * 120, 90);
        ball.flags = kind;
        ball.opacity = 200;
        ShowPicture(kind, ball);
    }
    const int colours[] = {0xC86464, 0x3264C8, 0x000000, 0xC8C8C8, 0x64C832};
    for (int tint = 0; tint < 5; ++tint) {
        game::PictureArgs ball = ImageArgs("ball.png", 20 + tint * 120, 330);
        ball.colour = colours[tint];
        ShowPicture(10 + tint, ball);
    }
    UpdatePicturesTimes(1);
    return DrawnPictures();
}

inline RgbaImage HalfWayThroughAMoveAndAnErase() {
    ShowPicture(1, ImageArgs("ball.png", 40, 60));
    game::PictureArgs move = ImageArgs("ball.png", 400, 260, 10);
    move.angle = 900;
    move.colour = 0x64C8C8;
    move.opacity = 120;
    game::MovePictures(game::ThePictureList, 1, 1, move, 200, 0);
    ShowPicture(2, ImageArgs("ball.png", 500, 40));
    game::ErasePictures(game::ThePictureList, 2, 2, 10, 0, 0xC86464);
    game::PictureArgs fading = ImageArgs("cells.png", 60, 360, 10);
    fading.splitX = 3;
    fading.splitY = 2;
    ShowPicture(3, fading);
    UpdatePicturesTimes(5);
    return DrawnPictures();
}

inline RgbaImage EachTimedEffectHalfWay() {
    const struct {
        int kind, a, b, c, d;
    } effects[] = {{0, 100, 100, 100, 10},
                   {1, -100, 0, 100, 10},
                   {2, 40, 20, 0, 10},
                   {3, 12, 6, 4, 4},
                   {4, 310, 300, 200, 10}};
    for (int number = 0; number < 5; ++number) {
        ShowPicture(number, ImageArgs("ball.png", 30 + number * 120, 268));
        game::ApplyPictureEffect(game::ThePictureList, number, number, effects[number].kind,
                                 effects[number].a, effects[number].b, effects[number].c,
                                 effects[number].d);
    }
    UpdatePicturesTimes(5);
    return DrawnPictures();
}

// Pictures tied to the map, on a looping map scrolled by (100, 140): they wrap around the screen.
inline RgbaImage MapLinkedPicturesWrapOnALoopingMap() {
    game::TheMapState.mapData.header.width = 20;
    game::TheMapState.mapData.header.height = 15;
    game::TheMapState.loopsHorizontally = 1;
    game::TheMapState.loopsVertically = 1;
    game::PictureArgs ball = ImageArgs("ball.png", 60, 100);
    ball.flags = 0x100;
    ShowPicture(0, ball);
    game::PictureArgs text = ImageArgs("", 40, 300);
    text.text = Sjis(u8"地図の文字");
    text.flags = 0x100;
    game::ShowStringPictures(game::ThePictureList, 1, 1, text, 100, 0);
    UpdatePicturesTimes(1);
    game::TheMapState.scrollX = 4 * 100;
    game::TheMapState.scrollY = 4 * 140;
    const RgbaImage frame = DrawnPictures();
    EXPECT_EQ(game::ThePictureList.GetPictureInfo(0, 0), 60 - 100 + 640);
    EXPECT_EQ(game::ThePictureList.GetPictureInfo(0, 1), 100 - 140 + 480);
    return frame;
}

// Rotated or stretched: texel boundaries fall a pixel apart, the software renderer stepping
// from each pixel's corner, the hardware sampling at its centre.
inline RouteRule Turned(const PictureArea& area) {
    return AreaRule(area, 2, 1.0, "rotated or stretched, sampled at the pixel's corner or centre");
}

// The ball half-way through its move: turned, stretched and tinted in two passes at once, the
// sampling of the turn and the truncation of the passes leave no colour to compare within 2;
// only its shape over the two stripes is compared (each rule alone is checked at full colour by
// the other scenes and the erased ball).
inline RouteRule MovingBallShape() {
    RouteRule rule = AreaRule({218, 158, 318, 258}, 2, 1.0,
                              "turned and tinted in two passes: only the shape is compared");
    rule.backgrounds = {0x806020, 0x2080A0};
    return rule;
}

// A scene, its golden, the areas its text covers, and the other rules the routes differ by.
struct PictureScene {
    const char* name;
    const char* golden;
    RgbaImage (*picture)();
    std::vector<PictureArea> text;
    std::vector<RouteRule> rules;
};

inline const std::vector<PictureScene> kPictureScenes = {
    {"EachKindOfPicture",
     "game/presentation/picture-kinds",
     EachKindOfPicture,
     {{358, 29, 501, 77}},
     {Turned({70, 270, 170, 370}), Turned({285, 285, 356, 356}), Turned({459, 243, 601, 301})}},
    {"BlendKindsAndBothSignsOfTint",
     "game/presentation/blend-kinds-and-tints",
     BlendKindsAndBothSignsOfTint,
     {},
     {AreaRule({260, 90, 324, 154}, 3, 0.005,
               "textured subtraction: the software renderer subtracts the source through its "
               "parameter table, the hardware inverts, adds the source times the parameter / 255 "
               "and inverts again")}},
    {"HalfWayThroughAMoveAndAnErase",
     "game/presentation/move-and-erase",
     HalfWayThroughAMoveAndAnErase,
     {},
     {MovingBallShape(),
      AreaRule({500, 40, 564, 104}, 3, 0.005,
               "a tinted fade in two passes: the software renderer truncates texel times bright "
               "colour and then the blend in each pass, the hardware rounds once a pass")}},
    {"EachTimedEffectHalfWay", "game/presentation/timed-effects", EachTimedEffectHalfWay, {}, {}},
    {"MapLinkedPicturesWrapOnALoopingMap",
     "game/presentation/map-linked-wrap",
     MapLinkedPicturesWrapOnALoopingMap,
     {{579, 160, 640, 180}},
     {}},
};

}  // namespace test
