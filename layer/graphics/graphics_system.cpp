// The graphics side's start and end around the display side, and the 3D object's acquisition
// and release.
#include "layer/core/fatal_stop.h"
#include "layer/core/layer_log.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_system_texts.h"
#include "layer/graphics/main_screens.h"

namespace layer {

int InitGraphicsSystem(platform::Window* window) {
    graphics_core.window = window;
    if (StartDirectDraw() < 0) {
        if (direct_draw.flags.software_drawing != 0) {
            AbortWithError(kDirectDrawInitFailedText);
        }
        WriteLog(kSwitchToSoftwareText);
        SetSoftwareRendering(0);
        if (StartDirectDraw() < 0) {
            AbortWithError(kDirectDrawInitFailedText);
        }
    }
    return 0;
}

int EndGraphicsSystem() {
    return EndDirectDraw();
}

int AcquireDirect3DObject() {
    if (IsDirect3DWanted() == 0) {
        return 0;
    }
    WriteLog(kFetchDirect3DText);
    if (HasDirect3DObject() != 0) {
        WriteLog(kDirect3DAlreadyText);
        return 0;
    }
    if (QueryDirect3DObject() < 0) {
        return WriteLog(kDirect3DFailedText);
    }
    WriteLog(kDirect3DFetchedText);
    DeviceState& state = direct3d.Devices[direct3d.CurrentDevice];
    state.DefaultTarget = GetScreenTargetSurface();
    state.CurrentTarget = GetCurrentDrawSurface();
    return RecreateDevice3D(direct3d.CurrentDevice);
}

int EndDirect3D() {
    if (HasDirect3DObject() == 0) {
        return -1;
    }
    WriteLog(kDirect3DEndText);
    FlushVertexBatch();
    direct3d.EndSceneAfterDraw = 0;
    SetDeviceDrawTexture(direct3d.CurrentDevice, nullptr);
    DeleteAllSurfaces3D();
    DeleteAllDevices3D();
    platform::ReleaseDirect3D(direct3d.Direct3D);
    direct3d.Direct3D = nullptr;
    WriteLog(kDirect3DEndedText);
    ClearDirect3DWanted();
    return 0;
}

}  // namespace layer
