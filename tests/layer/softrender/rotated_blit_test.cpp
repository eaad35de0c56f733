#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "layer/softrender/rotated_blit.h"
#include "tests/layer/softrender/poly_test_image.h"

namespace {

using polytest::GuardedImage;

constexpr std::uint32_t kUnvisited = 0xFFFFFFFF;

// A 32-bit source whose texels hold their own index, drawn with BlendNone.
class RotatedTest : public testing::Test {
  protected:
    RotatedTest() : source_(4, 4, 1), dest_(24, 24, 1) {
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                source_.Set(x, y, static_cast<std::uint32_t>(y * 4 + x));
            }
        }
        dest_.Fill(kUnvisited);
    }

    void Draw(float angle, float scale, int turn, int cx = 10, int cy = 10) {
        layer::RenderMemImgRotated(dest_.image(), source_.image(), cx, cy, angle, scale, 0, turn,
                                   nullptr, polytest::State(0, 0));
        EXPECT_TRUE(dest_.GuardIntact());
    }

    // Expects exactly the pixels of `texel_at` (x, y) -> texel index or -1.
    template <class F>
    void ExpectPixels(F texel_at) {
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                const int texel = texel_at(x, y);
                EXPECT_EQ(dest_.Get(x, y), texel < 0 ? kUnvisited : std::uint32_t(texel))
                    << x << "," << y;
            }
        }
    }

    static int Texel(int column, int row) {
        return column >= 0 && column < 4 && row >= 0 && row < 4 ? row * 4 + column : -1;
    }

    GuardedImage source_;
    GuardedImage dest_;
};

TEST_F(RotatedTest, OwnSizeAtAngleZeroPutsTheCentreOnThePoint) {
    Draw(0.0f, 1.0f, 0);
    ExpectPixels([](int x, int y) { return Texel(x - 8, y - 8); });
}

TEST_F(RotatedTest, ScaleTwoShowsEachTexelOnTwoByTwoPixels) {
    Draw(0.0f, 2.0f, 0);
    ExpectPixels(
        [](int x, int y) { return x >= 6 && y >= 6 ? Texel((x - 6) / 2, (y - 6) / 2) : -1; });
}

TEST_F(RotatedTest, NegativeScaleTurnsByHalfARound) {
    Draw(0.0f, -1.0f, 0);
    ExpectPixels([](int x, int y) { return Texel(12 - x, 12 - y); });
}

TEST_F(RotatedTest, QuarterTurnMovesTheTopLeftCornerToTheTopRight) {
    Draw(std::numbers::pi_v<float> / 2, 1.0f, 0);
    int min_y = 24;
    int max_x = -1;
    int corner_x = -1;
    int corner_y = -1;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            if (dest_.Get(x, y) == kUnvisited) {
                continue;
            }
            min_y = std::min(min_y, y);
            max_x = std::max(max_x, x);
            if (dest_.Get(x, y) == 0) {
                corner_x = x;
                corner_y = y;
            }
        }
    }
    EXPECT_EQ(corner_x, max_x);
    EXPECT_EQ(corner_y, min_y);
}

TEST_F(RotatedTest, TurnedAtAngleZeroIsMirroredByTheTriangleRules) {
    // Not the unturned image mirrored: the quad's spans put texel column 0 one pixel further.
    Draw(0.0f, 1.0f, 1);
    ExpectPixels([](int x, int y) { return Texel(12 - x, y - 8); });
}

struct NothingCase {
    const char* name;
    float angle;
    float scale;
    int cx;
    // The turned path has no steps of its own to overflow.
    bool turned_too = true;
};

class RotatedDrawsNothing : public RotatedTest, public testing::WithParamInterface<NothingCase> {};

TEST_P(RotatedDrawsNothing, OnEitherPath) {
    const NothingCase& c = GetParam();
    for (int turn = 0; turn < (c.turned_too ? 2 : 1); ++turn) {
        Draw(c.angle, c.scale, turn, c.cx);
        ExpectPixels([](int, int) { return -1; });
    }
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(Table, RotatedDrawsNothing,
                         testing::Values(NothingCase{"ScaleZero", 0.3f, 0.0f, 10},
                                         NothingCase{"AngleNaN", kNaN, 1.0f, 10},
                                         NothingCase{"AngleInfinite", kInfinity, 1.0f, 10},
                                         NothingCase{"ScaleNaN", 0.3f, kNaN, 10},
                                         NothingCase{"ScaleInfinite", 0.0f, kInfinity, 10},
                                         NothingCase{"ScaleTooSmallForTheSteps", 0.3f, 1.0f / 16384,
                                                     10, false},
                                         NothingCase{"ScaleTooLargeForTheCorners", 0.3f, 1e6f, 10},
                                         NothingCase{"CentrePastFixedRange", 0.0f, 1.0f, 8200}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RotatedRefusalTest, MismatchedOrUndrawableImagesWriteNothing) {
    struct Case {
        int source_type;
        int dest_palette;
        int dest_alpha;
        int code;
    };
    const Case cases[] = {{0, 0, 0, 0}, {1, 1, 0, 0}, {1, 0, 1, 0}, {1, 0, 0, 6}, {1, 0, 0, 12}};
    for (const Case& c : cases) {
        GuardedImage source(4, 4, c.source_type);
        source.Fill(0x00FFFFFF);
        GuardedImage dest(16, 16, 1, c.dest_palette, c.dest_alpha);
        const std::vector<std::uint32_t> before = dest.Pixels();
        for (int turn = 0; turn < 2; ++turn) {
            layer::RenderMemImgRotated(dest.image(), source.image(), 8, 8, 0.5f, 1.5f, 0, turn,
                                       nullptr, polytest::State(c.code, 255));
        }
        EXPECT_EQ(dest.Pixels(), before);
        EXPECT_TRUE(dest.GuardIntact());
    }
}

}  // namespace
