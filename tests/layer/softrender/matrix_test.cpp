#include "layer/softrender/matrix.h"

#include <gtest/gtest.h>

#include <numbers>

namespace layer {
namespace {

Matrix44 Sequence(float start) {
    Matrix44 m;
    for (int i = 0; i < 16; ++i) {
        m.m[i] = start + static_cast<float>(i) * 0.5f - static_cast<float>(i % 3);
    }
    return m;
}

void ExpectMatrixNear(const Matrix44& actual, const Matrix44& expected, float tolerance) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "element " << i;
    }
}

Vector3 Transform(const Vector3& v, const Matrix44& m) {
    return {v.x * m.m[0] + v.y * m.m[4] + v.z * m.m[8] + m.m[12],
            v.x * m.m[1] + v.y * m.m[5] + v.z * m.m[9] + m.m[13],
            v.x * m.m[2] + v.y * m.m[6] + v.z * m.m[10] + m.m[14]};
}

TEST(MatrixTest, MultiplyIntoAnInputOrNowhere) {
    const Matrix44 a = Sequence(1);
    const Matrix44 b = Sequence(-3);
    Matrix44 separate;
    ASSERT_EQ(MultiplyMatrix44(&separate, a, b), 0);
    EXPECT_FLOAT_EQ(separate.m[0],
                    a.m[0] * b.m[0] + a.m[1] * b.m[4] + a.m[2] * b.m[8] + a.m[3] * b.m[12]);
    Matrix44 in_place = a;
    MultiplyMatrix44(&in_place, in_place, b);
    ExpectMatrixNear(in_place, separate, 0);
    EXPECT_EQ(MultiplyMatrix44(nullptr, a, b), 0);
    Matrix44 identity;
    FillIdentityMatrix(&identity);
    Matrix44 same;
    MultiplyMatrix44(&same, a, identity);
    ExpectMatrixNear(same, a, 0);
}

TEST(MatrixTest, PerspectiveRefusesNarrowDepthAndZeroAngle) {
    Matrix44 out = Sequence(7);
    const Matrix44 before = out;
    EXPECT_EQ(BuildPerspectiveMatrix(&out, 1.0f, 1.0f, 1.005f, 0.75f, 640, 480), -1);
    EXPECT_EQ(BuildPerspectiveMatrix(&out, 0.0f, 1.0f, 101.0f, 0.75f, 640, 480), -1);
    ExpectMatrixNear(out, before, 0);
}

TEST(MatrixTest, PerspectiveOfAQuarterTurn) {
    for (float aspect : {0.75f, -1.0f}) {
        Matrix44 out;
        ASSERT_EQ(
            BuildPerspectiveMatrix(&out, std::numbers::pi_v<float> / 2, 1, 101, aspect, 640, 480),
            0);
        Matrix44 expected{};
        expected.m[0] = 0.75f;
        expected.m[5] = 1;
        expected.m[10] = 1.01f;
        expected.m[11] = 1;
        expected.m[14] = -1.01f;
        ExpectMatrixNear(out, expected, 1e-6f);
    }
}

TEST(MatrixTest, ScreenMatrixMapsTheCornersAndInvertsBack) {
    Matrix44 screen;
    BuildScreenMatrix(&screen, 320, 240, 640, 480);
    const Vector3 top_left = Transform({-1, 1, 0}, screen);
    EXPECT_FLOAT_EQ(top_left.x, 0);
    EXPECT_FLOAT_EQ(top_left.y, 0);
    const Vector3 bottom_right = Transform({1, -1, 0}, screen);
    EXPECT_FLOAT_EQ(bottom_right.x, 640);
    EXPECT_FLOAT_EQ(bottom_right.y, 480);

    Matrix44 inverse = screen;
    ASSERT_EQ(InvertMatrix44(&inverse, inverse), 0);
    Matrix44 product;
    MultiplyMatrix44(&product, inverse, screen);
    Matrix44 identity;
    FillIdentityMatrix(&identity);
    ExpectMatrixNear(product, identity, 1e-6f);
}

TEST(MatrixTest, ViewFromBehindTheOrigin) {
    Matrix44 view;
    ASSERT_EQ(BuildViewMatrix(&view, {0, 0, -10}, {0, 0, 0}, {0, 1, 0}), 0);
    Matrix44 expected;
    FillIdentityMatrix(&expected);
    expected.m[14] = 10;
    ExpectMatrixNear(view, expected, 0);
}

TEST(MatrixTest, DotProduct) {
    EXPECT_FLOAT_EQ(DotVector3({1, 2, 3}, {4, -5, 6}), 12);
}

}  // namespace
}  // namespace layer
