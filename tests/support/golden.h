#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace test {

// 8-bit RGBA pixels, rows top to bottom.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// A part of a picture; right and bottom lie outside it.
struct PictureArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

RgbaImage CropPicture(const RgbaImage& image, const PictureArea& area);

bool WritePng(const std::filesystem::path& file, const RgbaImage& image);
std::optional<RgbaImage> ReadPng(const std::filesystem::path& file);

// Compares with tests/golden/<name>.png; every channel may differ by at most `tolerance`.
// QVARN_UPDATE_GOLDEN=1 writes the golden instead. A mismatch leaves the actual picture
// in <build>/golden-actual/<name>.png.
testing::AssertionResult MatchesGolden(const RgbaImage& actual, std::string_view name,
                                       int tolerance = 0);

// How a part of a picture drawn by the other route may differ from the software route's
// golden: blue, green and red within `tolerance` at every pixel; or, on at most `edge_share`
// of the part's pixels, within it of some golden pixel at most `reach` pixels away (1: a
// shape edge the routes rasterise a pixel apart, the shape and the background both beside
// it). `why` names a rule the routes differ by, for anything beyond the defaults.
struct RouteRule {
    int left = 0;
    int top = 0;
    int right = 1 << 30;
    int bottom = 1 << 30;
    int tolerance = 2;
    int reach = 1;
    double edge_share = 0.005;
    const char* why = "";
    // When not empty, only the shapes are compared: a pixel is either one of these background
    // colours (0x00RRGGBB) or not, and must be so like some golden pixel within `reach`.
    std::vector<std::uint32_t> backgrounds;
};

// The picture against a golden the software route made, each pixel under the last rule whose
// part holds it (the first rule should cover the whole picture). QVARN_UPDATE_GOLDEN never
// writes here. A mismatch leaves <name>.actual.png, .reference.png and .diff.png (red: beyond,
// green: at an edge) in <build>/golden-actual.
testing::AssertionResult MatchesGoldenOnOtherRoute(const RgbaImage& actual, std::string_view name,
                                                   const std::vector<RouteRule>& rules);
// The same check, leaving nothing behind: for waiting until a picture shows.
bool PassesRouteRules(const RgbaImage& actual, std::string_view name,
                      const std::vector<RouteRule>& rules);

// A rule for a part of the picture.
RouteRule AreaRule(const PictureArea& area, int tolerance, double edge_share, const char* why);

// Anti-aliased text drawn through the font texture caches: a grey level v is kept as alpha
// (v - 1) / 15 and the edge is blended before the body, where the software route composes both
// from 16 levels into one pixel. The software golden <folder>/<name> does not hold there; each
// text area of the picture is compared with a golden of its own, <folder>_gl/<name>_text_<n>,
// within 2.
std::vector<RouteRule> TextAreaRules(const std::vector<PictureArea>& text);
testing::AssertionResult TextAreasMatchGoldens(const RgbaImage& actual, std::string_view golden,
                                               const std::vector<PictureArea>& text);

}  // namespace test
