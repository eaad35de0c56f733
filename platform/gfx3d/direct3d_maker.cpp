// The choice of 3D back end: the one a test installs, else OpenGL.
#include "platform/display_internal.h"
#include "platform/gfx3d/device.h"
#include "platform/gfx3d/gl_device.h"

namespace platform {
namespace {

Direct3DMaker installed_maker = nullptr;

}  // namespace

void SetDirect3DMaker(Direct3DMaker maker) {
    installed_maker = maker;
}

Direct3D* MakeDirect3D(DisplayObject* object) {
    if (installed_maker != nullptr) {
        return installed_maker(object);
    }
    return MakeGlDirect3D();
}

}  // namespace platform
