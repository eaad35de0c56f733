// Pictures drawn on the software back screen by the picture commands, their updates and
// effects, compared with golden pictures of our own output.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "game/core/display_scale.h"
#include "game/map/map_state.h"
#include "game/presentation/picture_commands.h"
#include "game/presentation/picture_update.h"
#include "game/presentation/render_text.h"
#include "game/presentation/text_resources.h"
#include "layer/core/layer_api.h"
#include "tests/game/presentation/picture_fixture.h"
#include "tests/game/presentation/text_fixture.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

class PictureGolden : public test::PictureScreens {
  protected:
    void SetUp() override {
        PictureScreens::SetUp();
        // Stripes to blend over.
        const int stripes[] = {0x203040, 0x806020, 0x2080A0, 0xC0C0C0};
        for (int band = 0; band < 4; ++band)
            layer::PutBox(0, band * 120, 640, band * 120 + 120,
                          layer::RgbToPixel(stripes[band] >> 16, (stripes[band] >> 8) & 255,
                                            stripes[band] & 255),
                          1);
        test::SetColourRecords({{255, 255, 255}, {255, 120, 120}});
        TheTextResources = TextResources();
        SetupFonts(TheTextResources);
        WriteImages();
    }
    void TearDown() override {
        ClearFontCache(TheTextResources);
        ResetTextColourTable();
        PictureScreens::TearDown();
    }

    // A 3 x 2 sheet of 32-pixel cells, each its own colour with n + 1 white bars; a 48 x 48
    // window skin of 16-pixel cells; a 64 x 64 shaded ball on the transparent colour.
    void WriteImages() {
        WriteImage("cells.png", 96, 64, [](int x, int y) -> std::uint32_t {
            const int cell = y / 32 * 3 + x / 32;
            const int cx = x % 32;
            const int cy = y % 32;
            const std::uint32_t colours[] = {0xC03030, 0x30A030, 0x3050D0,
                                             0xC0A020, 0xA030A0, 0x20A0A0};
            if (cy >= 8 && cy < 24 && cx >= 4 && cx < 4 + 4 * (cell + 1) && cx % 4 < 2)
                return 0xFFFFFF;
            return cx == 0 || cy == 0 ? 0x000000 : colours[cell];
        });
        WriteImage("skin.png", 48, 48, [](int x, int y) -> std::uint32_t {
            const bool border = x < 3 || y < 3 || x >= 45 || y >= 45;
            const bool corner = (x < 16 || x >= 32) && (y < 16 || y >= 32);
            if (border)
                return 0xE0E0F0;
            return corner ? 0x304080 : 0x182850;
        });
        WriteImage("ball.png", 64, 64, [](int x, int y) -> std::uint32_t {
            const double dx = x - 31.5;
            const double dy = y - 31.5;
            const double r = std::sqrt(dx * dx + dy * dy);
            if (r > 31)
                return kTransparent;
            const auto level = static_cast<std::uint32_t>(255 - r * 5);
            return level << 16 | (level / 2) << 8 | (255 - level);
        });
    }

    static PictureArgs Image(const char* file, int x, int y, int duration = 0) {
        PictureArgs args;
        args.text = file;
        args.x = x;
        args.y = y;
        args.duration = duration;
        return args;
    }

    static void Show(int number, const PictureArgs& args, int zoom = 100, int zoomMode = 0,
                     bool window = false) {
        ShowPictures(ThePictureList, number, number, args, zoom, zoomMode, window);
    }

    static void Updates(int count) {
        for (int update = 0; update < count; ++update)
            UpdatePictures(ThePictureList);
    }

    static test::RgbaImage Frame() {
        for (const int layer : {-2, -1, 0, 1})
            DrawPictureLayer(ThePictureList, layer);
        return Picture(layer::direct_draw.back_image, 640, 480);
    }
};

TEST_F(PictureGolden, EachKindOfPicture) {
    PictureArgs cell = Image("cells.png", 20, 20);
    cell.splitX = 3;
    cell.splitY = 2;
    cell.pattern = 5;
    Show(1, cell);
    PictureArgs window = Image("skin.png", 140, 20);
    window.splitX = 200;
    window.splitY = 120;
    Show(2, window, 100, 0, true);
    PictureArgs text = Image("", 360, 30);
    text.text = test::Sjis(u8"ピクチャの文字\n") + "\x01\x02\x0E\x0F" + "Abc";
    ShowStringPictures(ThePictureList, 3, 3, text, 100, 0);
    PictureArgs turned = Image("ball.png", 120, 320);
    turned.anchor = 1;
    turned.angle = 450;
    Show(4, turned, 150);
    PictureArgs tall = Image("cells.png", 320, 320);
    tall.anchor = 1;
    tall.angle = 900;
    tall.splitX = 3;
    tall.splitY = 2;
    tall.pattern = 2;
    Show(5, tall, 200, 1);
    PictureArgs wide = Image("ball.png", 440, 240);
    Show(6, wide, 250, 2);
    Updates(1);
    EXPECT_TRUE(test::MatchesGolden(Frame(), "game/presentation/picture-kinds"));
}

TEST_F(PictureGolden, BlendKindsAndBothSignsOfTint) {
    for (int kind = 0; kind < 5; ++kind) {
        PictureArgs ball = Image("ball.png", 20 + kind * 120, 90);
        ball.flags = kind;
        ball.opacity = 200;
        Show(kind, ball);
    }
    const int colours[] = {0xC86464, 0x3264C8, 0x000000, 0xC8C8C8, 0x64C832};
    for (int tint = 0; tint < 5; ++tint) {
        PictureArgs ball = Image("ball.png", 20 + tint * 120, 330);
        ball.colour = colours[tint];
        Show(10 + tint, ball);
    }
    Updates(1);
    EXPECT_TRUE(test::MatchesGolden(Frame(), "game/presentation/blend-kinds-and-tints"));
}

TEST_F(PictureGolden, HalfWayThroughAMoveAndAnErase) {
    Show(1, Image("ball.png", 40, 60));
    PictureArgs move = Image("ball.png", 400, 260, 10);
    move.angle = 900;
    move.colour = 0x64C8C8;
    move.opacity = 120;
    MovePictures(ThePictureList, 1, 1, move, 200, 0);
    Show(2, Image("ball.png", 500, 40));
    ErasePictures(ThePictureList, 2, 2, 10, 0, 0xC86464);
    PictureArgs fading = Image("cells.png", 60, 360, 10);
    fading.splitX = 3;
    fading.splitY = 2;
    Show(3, fading);
    Updates(5);
    EXPECT_TRUE(test::MatchesGolden(Frame(), "game/presentation/move-and-erase"));
}

TEST_F(PictureGolden, EachTimedEffectHalfWay) {
    const struct {
        int kind, a, b, c, d;
    } effects[] = {{0, 100, 100, 100, 10},
                   {1, -100, 0, 100, 10},
                   {2, 40, 20, 0, 10},
                   {3, 12, 6, 4, 4},
                   {4, 310, 300, 200, 10}};
    for (int number = 0; number < 5; ++number) {
        Show(number, Image("ball.png", 30 + number * 120, 268));
        ApplyPictureEffect(ThePictureList, number, number, effects[number].kind, effects[number].a,
                           effects[number].b, effects[number].c, effects[number].d);
    }
    Updates(5);
    EXPECT_TRUE(test::MatchesGolden(Frame(), "game/presentation/timed-effects"));
}

TEST_F(PictureGolden, MapLinkedPicturesWrapOnALoopingMap) {
    TheMapState.mapData.header.width = 20;
    TheMapState.mapData.header.height = 15;
    TheMapState.loopsHorizontally = 1;
    TheMapState.loopsVertically = 1;
    PictureArgs ball = Image("ball.png", 60, 100);
    ball.flags = 0x100;
    Show(0, ball);
    PictureArgs text = Image("", 40, 300);
    text.text = test::Sjis(u8"地図の文字");
    text.flags = 0x100;
    ShowStringPictures(ThePictureList, 1, 1, text, 100, 0);
    Updates(1);
    TheMapState.scrollX = 4 * 100;
    TheMapState.scrollY = 4 * 140;
    const test::RgbaImage frame = Frame();
    EXPECT_EQ(ThePictureList.GetPictureInfo(0, 0), 60 - 100 + 640);
    EXPECT_EQ(ThePictureList.GetPictureInfo(0, 1), 100 - 140 + 480);
    EXPECT_TRUE(test::MatchesGolden(frame, "game/presentation/map-linked-wrap"));
}

}  // namespace
}  // namespace game
