// Choosing the draw target: the screens or a graph, with the draw area, the screen offset and
// the camera that fit it.
#include "layer/core/main_window.h"
#include "layer/core/message_pump.h"
#include "layer/core/window_routines.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/mask_screen.h"
#include "layer/graphics/surface_2d.h"

namespace layer {
namespace {

constexpr float kSquareRootOfThree = 1.7320509f;
constexpr float kFieldOfView = 1.0471976f;

// The screen's origin inside the window: only the front screen drawn straight into a window
// has one.
Rect ScreenOffsetFor(int target) {
    Rect offset;
    if (target == kDrawTargetFront && IsWindowedMode() != 0 && IsMaskActive() == 0 &&
        direct_draw.separate_front == nullptr && IsSoftwareScreenDrawing() == 0) {
        GetClientAreaRect(&offset);
    }
    return offset;
}

// World identity; screen matrices of the whole target; a camera that sees the target fill the
// view at depth 0 through a 60 degree field.
void SetCameraFor(int width, int height) {
    Matrix44 identity{};
    FillIdentityMatrix(&identity);
    SetWorldMatrix(identity);
    Matrix44 screen{};
    BuildScreenMatrix(&screen, width * 0.5f, height * 0.5f, static_cast<float>(width),
                      static_cast<float>(height));
    draw_settings.area_screen = screen;
    InvertMatrix44(&draw_settings.area_screen_inverse, screen);
    SetTargetProjectionMatrix(screen);
    const float distance = static_cast<float>(height / 2) * kSquareRootOfThree;
    const Vector3 eye{width * 0.5f, height * 0.5f, -distance};
    const Vector3 look_at{width * 0.5f, height * 0.5f, -distance + 1.0f};
    Matrix44 view{};
    BuildViewMatrix(&view, eye, look_at, {0.0f, 1.0f, 0.0f});
    SetViewMatrix(view);
    int screen_width = 0;
    int screen_height = 0;
    GetScreenResolution(&screen_width, &screen_height);
    Matrix44 projection{};
    BuildPerspectiveMatrix(&projection, kFieldOfView, distance * 0.01f, distance + 20000.0f, -1.0f,
                           screen_width, screen_height);
    SetProjectionMatrix(projection);
}

}  // namespace

int SelectDrawTarget(int target) {
    if (graphics_core.started == 0) {
        return -1;
    }
    WaitWhileInactive();
    const int mask_use = IsMaskDrawingOn();
    SetMaskDrawing(0);
    const int old_target = draw_settings.draw_target;
    draw_settings.draw_target = target;
    draw_settings.screen_offset = ScreenOffsetFor(target);
    const int result_3d = graphics_core.use_3d != 0 ? SelectDrawTarget3D(target) : 0;
    const int result_2d = SetDrawTarget2D(target, old_target);
    if (result_2d < 0 && (graphics_core.use_3d == 0 || result_3d < 0)) {
        draw_settings.draw_target = old_target;
        draw_settings.screen_offset = ScreenOffsetFor(old_target);
        SetDrawTarget2D(old_target, target);
        SetMaskDrawing(mask_use);
        return -1;
    }
    int width = 0;
    int height = 0;
    GetGraphDimensions(target, &width, &height);
    if (width == draw_settings.target_width && height == draw_settings.target_height) {
        const Rect area = draw_settings.draw_area;
        SetDrawClipRect(area.left, area.top, area.right, area.bottom);
    } else {
        draw_settings.target_width = width;
        draw_settings.target_height = height;
        SetDrawClipRect(0, 0, width, height);
    }
    SetCameraFor(width, height);
    SetMaskDrawing(mask_use);
    return 0;
}

int GetDrawTarget() {
    return draw_settings.draw_target;
}

}  // namespace layer
