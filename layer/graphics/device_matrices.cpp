// The device transforms of the draw settings and their product.
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"

namespace layer {
namespace {

// World x view x projection x target projection, and the camera's axes from the view.
void RefreshCombinedMatrix() {
    draw_settings.combined_valid = 0;
    Matrix44 product{};
    MultiplyMatrix44(&product, draw_settings.world.matrix, draw_settings.view.matrix);
    MultiplyMatrix44(&product, product, draw_settings.projection.matrix);
    MultiplyMatrix44(&product, product, draw_settings.target_projection);
    draw_settings.combined = product;
    const float* view = draw_settings.view.matrix.m;
    for (int axis = 0; axis < 3; ++axis) {
        draw_settings.camera_axes[axis] = {view[axis], view[4 + axis], view[8 + axis]};
    }
    draw_settings.combined_valid = 1;
}

int Store(DeviceMatrix* target, const Matrix44& matrix) {
    target->matrix = matrix;
    target->applied = 0;
    RefreshCombinedMatrix();
    return 0;
}

}  // namespace

int SetWorldMatrix(const Matrix44& matrix) {
    return Store(&draw_settings.world, matrix);
}

int SetViewMatrix(const Matrix44& matrix) {
    return Store(&draw_settings.view, matrix);
}

int SetProjectionMatrix(const Matrix44& matrix) {
    return Store(&draw_settings.projection, matrix);
}

int SetTargetProjectionMatrix(const Matrix44& matrix) {
    draw_settings.target_projection = matrix;
    RefreshCombinedMatrix();
    return 0;
}

}  // namespace layer
