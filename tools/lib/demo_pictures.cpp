#include "tools/lib/demo_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "platform/text_encoding.h"

namespace tools {
namespace {

constexpr int kPictureCommand = 150;
constexpr int kScreenColour = 151;
constexpr int kConfigureTransition = 160;
constexpr int kPrepareTransition = 161;
constexpr int kExecuteTransition = 162;
constexpr int kMessage = 101;
constexpr int kWait = 180;

// The operation word of the picture command.
constexpr std::int32_t kMove = 1;
constexpr std::int32_t kErase = 2;
constexpr std::int32_t kStringSource = 2 << 4;
constexpr std::int32_t kWindowSource = 3 << 4;
constexpr std::int32_t kLeaveBlend = 15 << 8;
constexpr std::int32_t kRelative = 1 << 16;
constexpr std::int32_t kHeightOnly = 1 << 20;
constexpr std::int32_t kRange = 1 << 24;
constexpr std::int32_t kMapLink = 1 << 25;
constexpr std::int32_t kLeave = -1000000;
constexpr std::int32_t kNeutral = 0x646464;

constexpr int kCell = 48;

std::int32_t Blend(int kind) {
    return kind << 8;
}

std::int32_t Anchor(int anchor) {
    return anchor << 12;
}

std::string Sjis(const std::string& utf8) {
    return platform::Utf8ToCp932(utf8);
}

using Rgba = RgbaColour;

std::uint8_t Level(double value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
}

// Digits 1 to 6 on a 3 x 5 grid, a row per string.
constexpr std::array<std::array<const char*, 5>, 6> kDigits = {{
    {".#.", "##.", ".#.", ".#.", "###"},
    {"##.", "..#", ".#.", "#..", "###"},
    {"##.", "..#", ".#.", "..#", "##."},
    {"#.#", "#.#", "###", "..#", "..#"},
    {"###", "#..", "##.", "..#", "##."},
    {".##", "#..", "###", "#.#", "###"},
}};

// One command line of the picture command: its fifteen ints after the code.
struct PictureLine {
    std::int32_t operation = 0;
    std::int32_t number = 0;
    std::int32_t duration = 0;
    std::int32_t splitX = 1;
    std::int32_t splitY = 1;
    std::int32_t pattern = 1;
    std::int32_t opacity = 255;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t zoom = 100;
    std::int32_t angle = 0;
    std::int32_t colour = kNeutral;
    std::int32_t rangeEnd = 0;
    std::string text;
};

void AddPicture(CommandListBuilder& list, const PictureLine& line, std::int8_t indent = 0) {
    list.Add(
        kPictureCommand,
        {line.operation, line.number, line.duration, line.splitX, line.splitY, line.pattern,
         line.opacity, line.x, line.y, line.zoom, line.angle, 0, line.colour, 0, line.rangeEnd},
        {line.text}, indent);
}

// A fade out of the pictures first..last over some frames.
void AddErase(CommandListBuilder& list, int first, int last, int duration, std::int8_t indent = 0) {
    list.Add(kPictureCommand, {kErase | kRange, first, duration, 0, kNeutral, last}, {}, indent);
}

// A tone or flash colour: red, green and blue from 0 to 200, 100 neutral.
std::int32_t ScreenColour(int red, int green, int blue) {
    return red | green << 8 | blue << 16;
}

// A cell of the numbers sheet at (x, y), 48 x 48 from a 3 x 2 sheet.
PictureLine Cell(std::int32_t number, int pattern, int x, int y) {
    PictureLine line;
    line.number = number;
    line.text = kDemoNumbersImage;
    line.splitX = 3;
    line.splitY = 2;
    line.pattern = pattern;
    line.x = x;
    line.y = y;
    line.duration = 20;
    return line;
}

PictureLine Window(std::int32_t number, int x, int y, int width, int height, int opacity) {
    PictureLine line;
    line.operation = kWindowSource;
    line.number = number;
    line.text = kDemoSkinImage;
    line.splitX = width;
    line.splitY = height;
    line.x = x;
    line.y = y;
    line.opacity = opacity;
    line.duration = 20;
    return line;
}

PictureLine Text(std::int32_t number, int x, int y, const std::string& text) {
    PictureLine line;
    line.operation = kStringSource;
    line.number = number;
    line.text = Sjis(text);
    line.x = x;
    line.y = y;
    line.duration = 20;
    return line;
}

// The gallery's first row: the five anchors, each naming the point under its position.
void AddCells(CommandListBuilder& list) {
    for (int anchor = 0; anchor < 5; ++anchor) {
        PictureLine cell = Cell(10 + anchor, anchor + 1, 60 + anchor * 100, 70);
        cell.operation = Anchor(anchor);
        AddPicture(list, cell);
    }
    PictureLine tall = Cell(15, 6, 540, 40);
    tall.operation = kHeightOnly;
    tall.zoom = 150;
    AddPicture(list, tall);
    PictureLine turned = Cell(16, 3, 600, 160);
    turned.operation = Anchor(1);
    turned.angle = 450;
    turned.zoom = 150;
    AddPicture(list, turned);
}

// The second row: blend kinds 0 to 4 over the map, then a red tint added and a blue one
// that darkens the other channels.
void AddBlendsAndTints(CommandListBuilder& list) {
    for (int kind = 0; kind < 5; ++kind) {
        PictureLine cell = Cell(20 + kind, 1, 40 + kind * 70, 150);
        cell.operation = Blend(kind);
        cell.opacity = 180;
        AddPicture(list, cell);
    }
    PictureLine red = Cell(25, 2, 400, 150);
    red.colour = 0xC86464;
    AddPicture(list, red);
    PictureLine blue = Cell(26, 2, 460, 150);
    blue.colour = 0x3232C8;
    AddPicture(list, blue);
}

// One picture in each layer: under the tiles, between the ground and the characters, under
// and over the message window; and one that follows the map beside the counter.
void AddLayers(CommandListBuilder& list) {
    PictureLine hidden = Cell(-100001, 4, 200, 200);
    hidden.zoom = 300;
    AddPicture(list, hidden);
    AddPicture(list, Window(-1, 424, 264, 112, 80, 160));
    AddPicture(list, Window(50, 16, 300, 608, 96, 200));
    AddPicture(list, Text(100000, 440, 296, "\\E前面のピクチャ"));
    PictureLine linked = Cell(30, 5, 16 * 32, 10 * 32 + 4);
    linked.operation = kMapLink;
    AddPicture(list, linked);
}

}  // namespace

RgbaPicture DemoTitlePicture() {
    return PaintPicture(640, 480, [](int x, int y) {
        // A dusk sky over two rows of hills, with the sun between them.
        const double sun = std::hypot(x - 430.0, y - 250.0);
        const double farHill = 300 + 30 * std::sin(x / 70.0);
        const double nearHill = 360 + 40 * std::sin(x / 110.0 + 1.5);
        if (y > nearHill)
            return Rgba{40, Level(90 + (y - nearHill) / 4), 50, 255};
        if (y > farHill)
            return Rgba{70, 110, 90, 255};
        if (sun < 50)
            return Rgba{255, 230, 150, 255};
        return Rgba{Level(60 + y * 0.5), Level(50 + y * 0.25), Level(140 - y * 0.1), 255};
    });
}

RgbaPicture DemoNumbersPicture() {
    constexpr std::array<Rgba, 6> kColours = {{{200, 60, 60, 255},
                                               {60, 170, 70, 255},
                                               {60, 90, 210, 255},
                                               {210, 170, 40, 255},
                                               {170, 60, 180, 255},
                                               {40, 170, 170, 255}}};
    return PaintPicture(3 * kCell, 2 * kCell, [&](int x, int y) {
        const int cell = y / kCell * 3 + x / kCell;
        const int cx = x % kCell;
        const int cy = y % kCell;
        if (cx < 2 || cy < 2 || cx >= kCell - 2 || cy >= kCell - 2)
            return Rgba{250, 250, 250, 255};
        // The digit at 6 pixels a square, centred.
        const int column = (cx - 15) / 6;
        const int row = (cy - 9) / 6;
        if (cx >= 15 && cy >= 9 && column < 3 && row < 5 &&
            kDigits[static_cast<std::size_t>(cell)][static_cast<std::size_t>(row)]
                   [static_cast<std::size_t>(column)] == '#')
            return Rgba{255, 255, 255, 255};
        return kColours[static_cast<std::size_t>(cell)];
    });
}

RgbaPicture DemoSkinPicture() {
    return PaintPicture(48, 48, [](int x, int y) {
        const int edge = std::min(std::min(x, y), std::min(47 - x, 47 - y));
        if (edge < 2)
            return Rgba{240, 220, 160, 255};
        if (edge < 4)
            return Rgba{150, 100, 40, 255};
        return Rgba{60, 40, 30, Level(170 + edge * 2)};
    });
}

RgbaPicture DemoRulePicture() {
    // Dark at the centre, light at the corners: the new screen opens from the middle.
    return PaintPicture(640, 480, [](int x, int y) {
        const double distance = std::hypot(x - 320.0, y - 240.0) / 400.0;
        const std::uint8_t level = Level(255 * distance);
        return Rgba{level, level, level, 255};
    });
}

std::vector<DemoFile> DemoPictureFiles() {
    return {DemoDataFile(kDemoTitleImage, EncodePng(DemoTitlePicture())),
            DemoDataFile(kDemoNumbersImage, EncodePng(DemoNumbersPicture())),
            DemoDataFile(kDemoSkinImage, EncodePng(DemoSkinPicture())),
            DemoDataFile(kDemoRuleImage, EncodePng(DemoRulePicture()))};
}

void AddTitlePictures(CommandListBuilder& list) {
    PictureLine title;
    title.number = 1;
    title.text = kDemoTitleImage;
    title.duration = 30;
    AddPicture(list, title);
    PictureLine name = Text(2, 184, 60, "\\E\\f[48]\\c[4]デモ\\c[0]ゲーム");
    name.duration = 30;
    AddPicture(list, name);
    PictureLine window = Window(3, 240, 120, 164, 104, 200);
    window.duration = 30;
    AddPicture(list, window);
}

void AddTitleTransition(CommandListBuilder& list) {
    list.Add(kConfigureTransition, {0, 30}, {}, 1).Add(kPrepareTransition, {}, {}, 1);
    AddErase(list, 1, 3, 0, 1);
    list.Add(kExecuteTransition, {}, {}, 1);
}

game::CommonEvent DemoGalleryEvent() {
    CommandListBuilder list;
    list.Add(kScreenColour, {ScreenColour(80, 70, 120), 20});
    AddCells(list);
    AddBlendsAndTints(list);
    AddLayers(list);
    list.Add(kWait, {25}).Add(kMessage, {}, {Sjis("ピクチャの展示です。\n決定キーで動きます。")});
    PictureLine move;
    move.operation = kMove | kLeaveBlend | kRelative | kRange;
    move.number = 10;
    move.rangeEnd = 16;
    move.duration = 30;
    move.y = 60;
    move.pattern = kLeave;
    move.opacity = kLeave;
    move.zoom = kLeave;
    move.angle = 900;
    AddPicture(list, move);
    list.Add(kScreenColour, {0x1000000 | ScreenColour(200, 200, 200), 20}).Add(kWait, {40});
    AddErase(list, -100001, 100000, 20);
    list.Add(kScreenColour, {ScreenColour(100, 100, 100), 20}).Add(kWait, {25});
    game::CommonEvent event;
    event.number = kDemoGalleryEvent;
    event.name = Sjis("ギャラリー");
    event.trigger = 0x00;
    event.commands = list.Build();
    return event;
}

}  // namespace tools
