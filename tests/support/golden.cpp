#include "tests/support/golden.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace test {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::filesystem::path GoldenPath(std::string_view name) {
    return std::filesystem::path(QVARN_SOURCE_DIR) / "tests" / "golden" /
           (std::string(name) + ".png");
}

}  // namespace

RgbaImage CropPicture(const RgbaImage& image, const PictureArea& area) {
    RgbaImage part{area.right - area.left, area.bottom - area.top, {}};
    for (int y = area.top; y < area.bottom; ++y) {
        const auto row = image.pixels.begin() + (y * image.width + area.left) * 4;
        part.pixels.insert(part.pixels.end(), row, row + part.width * 4);
    }
    return part;
}

bool WritePng(const std::filesystem::path& file, const RgbaImage& image) {
    std::filesystem::create_directories(file.parent_path());
    FilePtr out(std::fopen(file.c_str(), "wb"));
    if (!out)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out.get());
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        png_write_row(png, image.pixels.data() + static_cast<std::size_t>(y) * image.width * 4);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::optional<RgbaImage> ReadPng(const std::filesystem::path& file) {
    FilePtr in(std::fopen(file.c_str(), "rb"));
    if (!in)
        return std::nullopt;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return std::nullopt;
    }
    png_init_io(png, in.get());
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    RgbaImage image;
    image.width = static_cast<int>(png_get_image_width(png, info));
    image.height = static_cast<int>(png_get_image_height(png, info));
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 4);
    for (int y = 0; y < image.height; ++y) {
        png_read_row(png, image.pixels.data() + static_cast<std::size_t>(y) * image.width * 4,
                     nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return image;
}

testing::AssertionResult MatchesGolden(const RgbaImage& actual, std::string_view name,
                                       int tolerance) {
    const std::filesystem::path golden = GoldenPath(name);
    const char* update = std::getenv("QVARN_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        if (!WritePng(golden, actual))
            return testing::AssertionFailure() << "cannot write " << golden;
        return testing::AssertionSuccess();
    }
    const std::filesystem::path kept =
        std::filesystem::path(QVARN_BINARY_DIR) / "golden-actual" / (std::string(name) + ".png");
    const std::optional<RgbaImage> expected = ReadPng(golden);
    if (!expected) {
        WritePng(kept, actual);
        return testing::AssertionFailure() << "no golden " << golden << "; actual kept in " << kept;
    }
    if (expected->width != actual.width || expected->height != actual.height) {
        WritePng(kept, actual);
        return testing::AssertionFailure()
               << "size " << actual.width << "x" << actual.height << ", golden " << expected->width
               << "x" << expected->height << "; actual kept in " << kept;
    }
    for (std::size_t i = 0; i < actual.pixels.size(); ++i) {
        const int difference = std::abs(int(actual.pixels[i]) - int(expected->pixels[i]));
        if (difference > tolerance) {
            WritePng(kept, actual);
            const std::size_t pixel = i / 4;
            return testing::AssertionFailure()
                   << "pixel (" << pixel % actual.width << ", " << pixel / actual.width
                   << ") channel " << i % 4 << " is " << int(actual.pixels[i]) << ", golden "
                   << int(expected->pixels[i]) << "; actual kept in " << kept;
        }
    }
    return testing::AssertionSuccess();
}

namespace {

// The check of MatchesGoldenOnOtherRoute; `keep` leaves the pictures of a mismatch behind.
testing::AssertionResult CompareOnOtherRoute(const RgbaImage& actual, std::string_view name,
                                             const std::vector<RouteRule>& rules, bool keep) {
    const std::optional<RgbaImage> expected = ReadPng(GoldenPath(name));
    if (!expected || expected->width != actual.width || expected->height != actual.height) {
        return testing::AssertionFailure() << "no golden of the size for " << name;
    }
    auto background = [](const std::uint8_t* p, const RouteRule& rule) {
        const std::uint32_t colour = std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
        return std::find(rule.backgrounds.begin(), rule.backgrounds.end(), colour) !=
               rule.backgrounds.end();
    };
    auto near = [&](int x, int y, int ex, int ey, const RouteRule& rule) {
        const std::uint8_t* a = &actual.pixels[static_cast<std::size_t>(y * actual.width + x) * 4];
        const std::uint8_t* e =
            &expected->pixels[static_cast<std::size_t>(ey * actual.width + ex) * 4];
        if (!rule.backgrounds.empty()) {
            return background(a, rule) == background(e, rule);
        }
        const int tolerance = rule.tolerance;
        for (int channel = 0; channel < 3; ++channel) {
            if (std::abs(int(a[channel]) - int(e[channel])) > tolerance) {
                return false;
            }
        }
        return true;
    };
    struct Count {
        int pixels = 0;
        int edges = 0;
    };
    std::vector<Count> counts(rules.size());
    RgbaImage diff{actual.width, actual.height, std::vector<std::uint8_t>(actual.pixels.size(), 0)};
    int misses = 0;
    std::string first_miss;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            std::size_t index = 0;
            for (std::size_t i = 0; i < rules.size(); ++i) {
                const RouteRule& r = rules[i];
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
                    index = i;
                }
            }
            const RouteRule& rule = rules[index];
            ++counts[index].pixels;
            std::uint8_t* mark = &diff.pixels[static_cast<std::size_t>(y * actual.width + x) * 4];
            mark[3] = 255;
            if (near(x, y, x, y, rule)) {
                continue;
            }
            bool beside = false;
            for (int dy = -rule.reach; dy <= rule.reach && !beside; ++dy) {
                for (int dx = -rule.reach; dx <= rule.reach && !beside; ++dx) {
                    const int ex = x + dx;
                    const int ey = y + dy;
                    beside = ex >= 0 && ey >= 0 && ex < actual.width && ey < actual.height &&
                             near(x, y, ex, ey, rule);
                }
            }
            if (beside) {
                ++counts[index].edges;
                mark[1] = 255;
                continue;
            }
            ++misses;
            mark[0] = 255;
            if (first_miss.empty()) {
                first_miss = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
    }
    std::string shares;
    bool too_many_edges = false;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const double share =
            counts[i].pixels == 0 ? 0.0 : static_cast<double>(counts[i].edges) / counts[i].pixels;
        too_many_edges = too_many_edges || share > rules[i].edge_share;
        shares += " " + std::to_string(share * 100.0) + " %";
    }
    if (misses == 0 && !too_many_edges) {
        return testing::AssertionSuccess();
    }
    if (!keep) {
        return testing::AssertionFailure() << misses << " pixels differ";
    }
    const std::filesystem::path kept =
        std::filesystem::path(QVARN_BINARY_DIR) / "golden-actual" / std::string(name);
    WritePng(kept.string() + ".actual.png", actual);
    WritePng(kept.string() + ".reference.png", *expected);
    WritePng(kept.string() + ".diff.png", diff);
    return testing::AssertionFailure()
           << misses << " pixels differ (first at " << first_miss
           << "); edge shares by rule:" << shares << "; pictures kept beside " << kept;
}

}  // namespace

testing::AssertionResult MatchesGoldenOnOtherRoute(const RgbaImage& actual, std::string_view name,
                                                   const std::vector<RouteRule>& rules) {
    return CompareOnOtherRoute(actual, name, rules, true);
}

bool PassesRouteRules(const RgbaImage& actual, std::string_view name,
                      const std::vector<RouteRule>& rules) {
    return static_cast<bool>(CompareOnOtherRoute(actual, name, rules, false));
}

RouteRule AreaRule(const PictureArea& area, int tolerance, double edge_share, const char* why) {
    RouteRule rule;
    rule.left = area.left;
    rule.top = area.top;
    rule.right = area.right;
    rule.bottom = area.bottom;
    rule.tolerance = tolerance;
    rule.edge_share = edge_share;
    rule.why = why;
    return rule;
}

std::vector<RouteRule> TextAreaRules(const std::vector<PictureArea>& text) {
    std::vector<RouteRule> rules;
    for (const PictureArea& area : text)
        rules.push_back(AreaRule(area, 255, 0.0,
                                 "4-bit texture alpha, edge then body, against 16-level composed "
                                 "glyphs; checked against the text's own golden"));
    return rules;
}

testing::AssertionResult TextAreasMatchGoldens(const RgbaImage& actual, std::string_view golden,
                                               const std::vector<PictureArea>& text) {
    std::string name(golden);
    name.insert(name.rfind('/'), "_gl");
    for (std::size_t n = 0; n < text.size(); ++n) {
        const std::string part = name + "_text_" + std::to_string(n);
        testing::AssertionResult result = MatchesGolden(CropPicture(actual, text[n]), part, 2);
        if (!result)
            return result << " (text area " << n << ")";
    }
    return testing::AssertionSuccess();
}

}  // namespace test
