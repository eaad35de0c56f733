#pragma once

// The layer's small matrix library for the 3D side: 4 x 4 single-precision matrices stored
// row by row, points as row vectors multiplied on the left (v' = v x M), left-handed space.

namespace layer {

struct Matrix44 {
    float m[16];  // element i * 4 + j is row i, column j
};

struct Vector3 {
    float x;
    float y;
    float z;
};

// Each routine returns 0 unless stated otherwise.
int FillIdentityMatrix(Matrix44* out);
// out = a x b, formed in a temporary first so that out may be a or b; nothing stored for a
// null out. Each element is summed in double and rounded once to float.
int MultiplyMatrix44(Matrix44* out, const Matrix44& a, const Matrix44& b);
// out = the inverse of in by cofactors; out may be in. The determinant is not tested.
int InvertMatrix44(Matrix44* out, const Matrix44& in);
// A left-handed perspective projection; `field_of_view` is the full vertical angle in radians,
// `aspect` height / width, or below 0 for the screen's own (screen_height / screen_width).
// -1, out untouched, when |far - near| or |sin(field_of_view / 2)| is below 0.01.
int BuildPerspectiveMatrix(Matrix44* out, float field_of_view, float near_plane, float far_plane,
                           float aspect, int screen_width, int screen_height);
// Maps projected coordinates (-1..1) to the pixels of a draw area with that centre and size.
int BuildScreenMatrix(Matrix44* out, float centre_x, float centre_y, float width, float height);
// A left-handed view matrix for a camera at `eye` looking at `target`.
int BuildViewMatrix(Matrix44* out, const Vector3& eye, const Vector3& target, const Vector3& up);
float DotVector3(const Vector3& a, const Vector3& b);

}  // namespace layer
