#include "layer/softrender/matrix.h"

#include <cmath>

#include "layer/core/number_routines.h"

namespace layer {

namespace {

Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {static_cast<float>(double{a.y} * b.z - double{a.z} * b.y),
            static_cast<float>(double{a.z} * b.x - double{a.x} * b.z),
            static_cast<float>(double{a.x} * b.y - double{a.y} * b.x)};
}

Vector3 Normalised(const Vector3& v) {
    const float reciprocal = 1.0f / SqrtFloat(DotVector3(v, v));
    return {v.x * reciprocal, v.y * reciprocal, v.z * reciprocal};
}

// The 3 x 3 determinant of `m` without row `row` and column `column`.
double Minor(const Matrix44& m, int row, int column) {
    double e[9];
    int k = 0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (i != row && j != column) {
                e[k++] = m.m[i * 4 + j];
            }
        }
    }
    return e[0] * (e[4] * e[8] - e[5] * e[7]) - e[1] * (e[3] * e[8] - e[5] * e[6]) +
           e[2] * (e[3] * e[7] - e[4] * e[6]);
}

}  // namespace

int FillIdentityMatrix(Matrix44* out) {
    for (int i = 0; i < 16; ++i) {
        out->m[i] = i % 5 == 0 ? 1.0f : 0.0f;
    }
    return 0;
}

int MultiplyMatrix44(Matrix44* out, const Matrix44& a, const Matrix44& b) {
    if (out == nullptr) {
        return 0;
    }
    Matrix44 product;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += double{a.m[i * 4 + k]} * b.m[k * 4 + j];
            }
            product.m[i * 4 + j] = static_cast<float>(sum);
        }
    }
    *out = product;
    return 0;
}

int InvertMatrix44(Matrix44* out, const Matrix44& in) {
    const Matrix44 copy = in;
    double cofactors[16];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            cofactors[i * 4 + j] = ((i + j) % 2 == 0 ? 1 : -1) * Minor(copy, i, j);
        }
    }
    double determinant = 0;
    for (int j = 0; j < 4; ++j) {
        determinant += copy.m[j] * cofactors[j];
    }
    const float reciprocal = static_cast<float>(1.0 / determinant);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            // The adjugate is the transposed matrix of cofactors.
            out->m[i * 4 + j] = static_cast<float>(cofactors[j * 4 + i] * reciprocal);
        }
    }
    return 0;
}

int BuildPerspectiveMatrix(Matrix44* out, float field_of_view, float near_plane, float far_plane,
                           float aspect, int screen_width, int screen_height) {
    if (aspect < 0) {
        aspect = static_cast<float>(screen_height) / static_cast<float>(screen_width);
    }
    float sine = 0;
    float cosine = 0;
    SinCos(field_of_view / 2, &sine, &cosine);
    if (std::fabs(far_plane - near_plane) < 0.01f || std::fabs(sine) < 0.01f) {
        return -1;
    }
    const float cotangent = cosine / sine;
    Matrix44 result{};
    result.m[0] = aspect * cotangent;
    result.m[5] = cotangent;
    result.m[10] = far_plane / (far_plane - near_plane);
    result.m[11] = 1;
    result.m[14] = -near_plane * far_plane / (far_plane - near_plane);
    *out = result;
    return 0;
}

int BuildScreenMatrix(Matrix44* out, float centre_x, float centre_y, float width, float height) {
    Matrix44 result{};
    result.m[0] = width * 0.5f;
    result.m[5] = height * -0.5f;
    result.m[10] = 1;
    result.m[12] = centre_x;
    result.m[13] = centre_y;
    result.m[15] = 1;
    *out = result;
    return 0;
}

int BuildViewMatrix(Matrix44* out, const Vector3& eye, const Vector3& target, const Vector3& up) {
    Vector3 d{target.x - eye.x, target.y - eye.y, target.z - eye.z};
    const Vector3 r = Normalised(Cross(up, d));
    const Vector3 u = Normalised(Cross(d, r));
    d = Normalised(d);
    Matrix44 result{};
    result.m[0] = r.x;
    result.m[4] = r.y;
    result.m[8] = r.z;
    result.m[1] = u.x;
    result.m[5] = u.y;
    result.m[9] = u.z;
    result.m[2] = d.x;
    result.m[6] = d.y;
    result.m[10] = d.z;
    result.m[12] = -DotVector3(r, eye);
    result.m[13] = -DotVector3(u, eye);
    result.m[14] = -DotVector3(d, eye);
    result.m[15] = 1;
    *out = result;
    return 0;
}

float DotVector3(const Vector3& a, const Vector3& b) {
    return static_cast<float>(double{a.z} * b.z + double{a.y} * b.y + double{a.x} * b.x);
}

}  // namespace layer
