// The device transforms of the draw settings and their product.
#include "layer/graphics/device_state.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_core.h"

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

bool DeviceInUse() {
    return graphics_core.use_3d != 0;
}

}  // namespace

int HandProjectionToDevice() {
    if (!DeviceInUse()) {
        return 0;
    }
    Matrix44 product{};
    MultiplyMatrix44(&product, draw_settings.projection.matrix, draw_settings.target_projection);
    MultiplyMatrix44(&product, product, draw_settings.area_screen_inverse);
    SetProjectionTransform3D(product);
    draw_settings.projection.applied = 1;
    return 0;
}

int SetWorldMatrix(const Matrix44& matrix) {
    Store(&draw_settings.world, matrix);
    if (DeviceInUse()) {
        SetWorldTransform3D(matrix);
        draw_settings.world.applied = 1;
    }
    return 0;
}

int SetViewMatrix(const Matrix44& matrix) {
    Store(&draw_settings.view, matrix);
    if (DeviceInUse()) {
        SetViewTransform3D(matrix);
        draw_settings.view.applied = 1;
    }
    return 0;
}

int SetProjectionMatrix(const Matrix44& matrix) {
    Store(&draw_settings.projection, matrix);
    return HandProjectionToDevice();
}

int SetTargetProjectionMatrix(const Matrix44& matrix) {
    draw_settings.target_projection = matrix;
    RefreshCombinedMatrix();
    return HandProjectionToDevice();
}

}  // namespace layer
