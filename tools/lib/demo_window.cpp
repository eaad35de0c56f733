#include "tools/lib/demo_window.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace tools {
namespace {

constexpr int kCell = 16;
constexpr int kIconSize = 24;
constexpr int kIconCount = 3;

using Colour = RgbaColour;

constexpr Colour kClear{0, 0, 0, 0};

// Distance from the picture's nearest edge.
int EdgeDistance(int x, int y, int size) {
    return std::min(std::min(x, y), std::min(size - 1 - x, size - 1 - y));
}

// Inside a corner cut off by a diagonal of that many pixels.
bool InCutCorner(int x, int y, int size, int cut) {
    const int dx = std::min(x, size - 1 - x);
    const int dy = std::min(y, size - 1 - y);
    return dx + dy < cut;
}

Colour CoinAt(int x, int y) {
    const int dx = 2 * x - 23;
    const int dy = 2 * y - 23;
    const int distance = dx * dx + dy * dy;
    if (distance > 20 * 20)
        return kClear;
    if (distance > 16 * 16)
        return {170, 120, 20, 255};
    return std::abs(dx) < 3 && std::abs(dy) < 10 ? Colour{200, 150, 30, 255}
                                                 : Colour{250, 210, 60, 255};
}

Colour HeartAt(int x, int y) {
    // (u² + v² − 1)³ ≤ u² v³ on a square of side 2.6 around the centre.
    const double u = (x - 11.5) / 9.0;
    const double v = (11.0 - y) / 9.0;
    const double a = u * u + v * v - 1.0;
    return a * a * a <= u * u * v * v * v ? Colour{230, 50, 70, 255} : kClear;
}

Colour GemAt(int x, int y) {
    const int dx = std::abs(2 * x - 23);
    const int dy = std::abs(2 * y - 23);
    if (dx + dy > 22)
        return kClear;
    return x < 12 && y < 12 ? Colour{150, 200, 255, 255} : Colour{50, 110, 230, 255};
}

using IconPainter = Colour (*)(int, int);
constexpr IconPainter kIconPainters[kIconCount] = {CoinAt, HeartAt, GemAt};

std::string IconName(int number) {
    std::string digits = std::to_string(number);
    return "icon" + std::string(3 - digits.size(), '0') + digits + ".png";
}

}  // namespace

RgbaPicture DemoPageCursorPicture() {
    return PaintPicture(kCell, 2 * kCell, [](int x, int y) {
        const int row = y % kCell - 5 - y / kCell * 2;
        const int half = 6 - row;
        if (row < 0 || half < 0 || std::abs(2 * x - 15) > 2 * half)
            return kClear;
        return std::abs(2 * x - 15) > 2 * half - 3 || row == 0 ? Colour{40, 40, 60, 255}
                                                               : Colour{255, 255, 255, 255};
    });
}

RgbaPicture DemoWindowFramePicture() {
    constexpr int size = 3 * kCell;
    return PaintPicture(size, size, [](int x, int y) {
        if (InCutCorner(x, y, size, 2))
            return kClear;
        const int edge = EdgeDistance(x, y, size);
        if (edge == 0 || InCutCorner(x, y, size, 3))
            return Colour{20, 20, 40, 255};
        if (edge < 3)
            return Colour{210, 220, 245, 255};
        return Colour{20, 30, 90, 210};
    });
}

RgbaPicture DemoChoiceCursorPicture() {
    constexpr int size = 3 * kCell;
    return PaintPicture(size, size, [](int x, int y) {
        if (InCutCorner(x, y, size, 2))
            return kClear;
        return EdgeDistance(x, y, size) < 2 ? Colour{255, 255, 255, 230}
                                            : Colour{255, 255, 255, 70};
    });
}

RgbaPicture DemoIconPicture(int number) {
    const IconPainter painter = kIconPainters[(number - 1) % kIconCount];
    return PaintPicture(kIconSize, kIconSize, painter);
}

std::vector<std::array<int, 3>> DemoTextColours() {
    return {{255, 255, 255}, {255, 120, 120}, {120, 170, 255}, {130, 230, 130}, {255, 230, 110},
            {255, 170, 80},  {200, 140, 255}, {110, 230, 230}, {190, 190, 190}, {120, 120, 120},
            {255, 160, 200}, {200, 255, 150}, {40, 40, 40},    {255, 240, 200}};
}

std::vector<DemoFile> DemoWindowFiles() {
    std::vector<DemoFile> files = {
        DemoDataFile(kDemoPageCursorImage, EncodePng(DemoPageCursorPicture())),
        DemoDataFile(kDemoWindowFrameImage, EncodePng(DemoWindowFramePicture())),
        DemoDataFile(kDemoChoiceCursorImage, EncodePng(DemoChoiceCursorPicture()))};
    std::string list;
    for (int number = 1; number <= kIconCount; ++number) {
        files.push_back(
            DemoDataFile("BasicData\\" + IconName(number), EncodePng(DemoIconPicture(number))));
        list += IconName(number) + "\r\n";
    }
    files.push_back(DemoDataFile("BasicData\\EncodedIconList.xxxxx",
                                 std::vector<std::uint8_t>(list.begin(), list.end())));
    return files;
}

}  // namespace tools
