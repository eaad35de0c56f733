#include "tools/lib/demo_characters.h"

#include <algorithm>
#include <cstdint>

namespace tools {
namespace {

constexpr int kCellWidth = 32;
constexpr int kCellHeight = 48;
constexpr int kRows = 4;

struct Colour {
    std::uint8_t r, g, b, a;
};

Colour FromRgb(unsigned rgb, std::uint8_t alpha = 255) {
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
            static_cast<std::uint8_t>(rgb), alpha};
}

RgbaPicture Blank(int width, int height) {
    return {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
}

void Fill(RgbaPicture& picture, int x0, int y0, int x1, int y1, Colour colour) {
    for (int y = std::max(0, y0); y < std::min(picture.height, y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(picture.width, x1); ++x) {
            const auto at = (static_cast<std::size_t>(y) * picture.width + x) * 4;
            picture.pixels[at] = colour.r;
            picture.pixels[at + 1] = colour.g;
            picture.pixels[at + 2] = colour.b;
            picture.pixels[at + 3] = colour.a;
        }
    }
}

// Eye offsets from the head's left edge by row: down both, left the left one, right the
// right one, up none.
struct Eyes {
    int first;
    int second;
};
constexpr Eyes kEyesByRow[kRows] = {{2, 8}, {0, -1}, {10, -1}, {-1, -1}};

void DrawFigure(RgbaPicture& sheet, int left, int top, int row, int column, Colour body) {
    const Colour skin = FromRgb(0xF0C8A0);
    const Colour dark = FromRgb(0x202020);
    Fill(sheet, left + 10, top + 6, left + 22, top + 18, skin);
    for (int eye : {kEyesByRow[row].first, kEyesByRow[row].second}) {
        if (eye >= 0)
            Fill(sheet, left + 10 + eye, top + 10, left + 12 + eye, top + 13, dark);
    }
    Fill(sheet, left + 8, top + 18, left + 24, top + 40, body);
    // The feet step with the column.
    const int stride = (column % 3) * 4;
    Fill(sheet, left + 9 + stride, top + 40, left + 13 + stride, top + 47, dark);
    Fill(sheet, left + 19 - stride, top + 40, left + 23 - stride, top + 47, dark);
}

}  // namespace

RgbaPicture DemoCharacterSheet(int columns, unsigned bodyColour) {
    RgbaPicture sheet = Blank(columns * kCellWidth, kRows * kCellHeight);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < columns; ++column)
            DrawFigure(sheet, column * kCellWidth, row * kCellHeight, row, column,
                       FromRgb(bodyColour));
    }
    return sheet;
}

RgbaPicture DemoSignPicture() {
    RgbaPicture sign = Blank(32, 32);
    Fill(sign, 14, 16, 18, 32, FromRgb(0x6A4A2A));
    Fill(sign, 2, 2, 30, 18, FromRgb(0xB08850));
    Fill(sign, 6, 7, 26, 9, FromRgb(0x402810));
    Fill(sign, 6, 11, 20, 13, FromRgb(0x402810));
    return sign;
}

RgbaPicture DemoShadowPicture() {
    constexpr int kColumns = 6;
    constexpr int kShadowHeight = 16;
    RgbaPicture shadow = Blank(kColumns * kCellWidth, kRows * kShadowHeight);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int left = column * kCellWidth;
            const int top = row * kShadowHeight;
            Fill(shadow, left + 8, top + 9, left + 24, top + 15, {0, 0, 0, 110});
            Fill(shadow, left + 11, top + 8, left + 21, top + 16, {0, 0, 0, 110});
        }
    }
    return shadow;
}

std::vector<DemoFile> DemoCharacterFiles() {
    const auto file = [](std::string name, const RgbaPicture& picture) {
        std::replace(name.begin(), name.end(), '\\', '/');
        return DemoFile{"Data/" + name, EncodePng(picture)};
    };
    return {file(kDemoHeroSheet, DemoCharacterSheet(6, 0x3060C0)),
            file(kDemoPartySheet, DemoCharacterSheet(6, 0x30A050)),
            file(kDemoSecondPartySheet, DemoCharacterSheet(6, 0xD08030)),
            file(kDemoNpcSheet, DemoCharacterSheet(6, 0xC04040)),
            file(kDemoStandColumnSheet, DemoCharacterSheet(8, 0xC0A030)),
            file(kDemoDoubleSheet, DemoCharacterSheet(12, 0x8040B0)),
            file(kDemoSingleImage, DemoSignPicture()),
            file(kDemoShadowImage, DemoShadowPicture())};
}

}  // namespace tools
