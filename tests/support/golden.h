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

bool WritePng(const std::filesystem::path& file, const RgbaImage& image);
std::optional<RgbaImage> ReadPng(const std::filesystem::path& file);

// Compares with tests/golden/<name>.png; every channel may differ by at most `tolerance`.
// QVARN_UPDATE_GOLDEN=1 writes the golden instead. A mismatch leaves the actual picture
// in <build>/golden-actual/<name>.png.
testing::AssertionResult MatchesGolden(const RgbaImage& actual, std::string_view name,
                                       int tolerance = 0);

}  // namespace test
