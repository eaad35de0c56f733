// The 3D interface and its devices: creation with the cached state a new device starts from,
// deletion, re-creation after a lost display, and the interface's release.
#include "layer/core/layer_log.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct3d_texts.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/surface_data.h"
#include "layer/graphics/texture_tiles.h"

namespace layer {

Direct3DContext direct3d;
VertexBuffers device_buffers[kDeviceCount];

namespace {

constexpr int kFirstFilterCode = 1;
constexpr std::uint32_t kWhiteSpecular = 0xFFFFFFFF;

void PresetBuffers(VertexBuffers* buffers) {
    for (platform::PlainVertex& vertex : buffers->plain) {
        vertex.z = 0.0f;
        vertex.rhw = 1.0f;
    }
    for (platform::TexturedVertex& vertex : buffers->textured) {
        vertex.z = 0.0f;
        vertex.rhw = 1.0f;
    }
    for (platform::BlendVertex& vertex : buffers->blend) {
        vertex.z = 0.0f;
        vertex.rhw = 1.0f;
        vertex.specular = kWhiteSpecular;
    }
}

std::uint32_t AddressMode() {
    const int mode = draw_settings.render.texture_address_mode;
    return mode == 0 ? std::uint32_t{platform::kAddressClamp} : static_cast<std::uint32_t>(mode);
}

// The values a new device's record starts from.
void FillNewRecord(DeviceState* state, platform::DisplaySurface* surface) {
    state->InUse = 1;
    state->DefaultTarget = surface;
    state->Request.BlendBorder = -1;
    state->Request.StagesDirty = 1;
    state->ZEnable = 1;
    state->ZFunc = platform::kCompareLessEqual;
    state->ShadeMode = platform::kShadeFlat;
    state->TextureAddress = platform::kAddressClamp;
    state->BatchFormat = platform::VertexLayout::kTextured;
    for (CachedStage& stage : state->Stages) {
        stage.texture = nullptr;
        stage.codes = {platform::kArgTexture, platform::kArgDiffuse, platform::kOpDisable,
                       platform::kArgTexture, platform::kArgDiffuse, platform::kOpDisable};
    }
}

}  // namespace

DeviceState* FindDevice(int index) {
    if (direct3d.Direct3D == nullptr) {
        return nullptr;
    }
    DeviceState& state = direct3d.Devices[(index & 0xFFFF) % kDeviceCount];
    return (index & 0xFFFF) < kDeviceCount && state.InUse != 0 ? &state : nullptr;
}

DeviceState* CurrentDevice() {
    return FindDevice(direct3d.CurrentDevice);
}

int HasDirect3DObject() {
    return direct3d.Direct3D != nullptr ? 1 : 0;
}

int IsDirect3DWanted() {
    return direct3d.Direct3DStarted;
}

int ClearDirect3DWanted() {
    direct3d.Direct3DStarted = 0;
    return 0;
}

platform::Device3D* GetCurrentDevice3D() {
    DeviceState* state = CurrentDevice();
    return state != nullptr ? state->Device : nullptr;
}

int CreateDevice3D(platform::DisplaySurface* surface) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    int index = 0;
    while (index < kDeviceCount && direct3d.Devices[index].InUse != 0) {
        ++index;
    }
    if (index == kDeviceCount) {
        return -1;
    }
    DeviceState& state = direct3d.Devices[index];
    state = DeviceState{};
    WriteLog(kCreatingDeviceText);
    platform::Device3D* device = nullptr;
    if (direct3d.Direct3D->CreateDevice(direct3d.DeviceDesc.kind, surface, &device) !=
        platform::kDisplayOk) {
        return WriteLog(kDeviceFailedText);
    }
    state.Device = device;
    PresetBuffers(&device_buffers[index]);
    // The record is not yet in use: the stage states go to the device directly.
    for (int stage = 0; stage < kStageCount; ++stage) {
        device->SetStageState(stage, platform::StageState::kAddress, AddressMode());
    }
    FillNewRecord(&state, surface);
    for (int stage = 0; stage < kStageCount; ++stage) {
        SendStageFilterCode(index, stage, kFirstFilterCode);
    }
    using platform::RenderState;
    device->SetRenderState(RenderState::kColourKeyBlendEnable, 0);
    device->SetRenderState(RenderState::kCullMode, platform::kCullNone);
    device->SetRenderState(RenderState::kLighting, 0);
    device->SetRenderState(RenderState::kTexturePerspective, 0);
    device->SetRenderState(RenderState::kShadeMode, platform::kShadeFlat);
    device->SetRenderState(RenderState::kColourKeyEnable, 0);
    device->SetRenderState(RenderState::kDitherEnable, 0);
    ReapplyDeviceState(index);
    WriteLog(kDeviceCreatedText);
    return index;
}

int RecreateDevice3D(int index) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (state->Device != nullptr) {
        return 0;
    }
    WriteLog(kCreatingDeviceText);
    if (direct3d.Direct3D->CreateDevice(direct3d.DeviceDesc.kind, state->DefaultTarget,
                                        &state->Device) != platform::kDisplayOk) {
        state->Device = nullptr;
        return WriteLog(kDeviceFailedText);
    }
    state->Device->SetRenderState(platform::RenderState::kDitherEnable, 0);
    WriteLog(kDeviceCreatedText);
    state->Force = 1;
    if (state->CurrentTarget != state->DefaultTarget && state->CurrentTarget != nullptr) {
        SetDeviceRenderTarget(state->CurrentTarget, index);
    }
    state->DrawTexture = nullptr;
    state->BatchCount = 0;
    const DrawRequest request = state->Request;
    SetDeviceBlendState(index, request.DrawBlendMode, request.UseAlphaChannel,
                        request.UseAlphaTest);
    SetDeviceCullMode(index, state->CullFlag);
    SetDeviceTextureFilter(index, state->FilterMode);
    SetDeviceColourKeyEnable(index, state->ColourKeyEnable);
    SetViewportFromRect(draw_settings.draw_area);
    ReapplyDeviceState(index);
    ApplyDrawState(index);
    for (int slot = 0; slot < surfaces_3d.used_end(); ++slot) {
        if (const Surface3DData* tile = surfaces_3d.AtSlot(slot); tile != nullptr) {
            CreateSurfaceDataSurface(tile->SurfaceHandle);
            SetSurfaceDataColourKey(tile->SurfaceHandle);
        }
    }
    state->Force = 0;
    return 0;
}

int DeleteDevice3D(int index) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (state->Device == nullptr) {
        return 0;
    }
    for (int slot = 0; slot < surfaces_3d.used_end(); ++slot) {
        if (const Surface3DData* tile = surfaces_3d.AtSlot(slot); tile != nullptr) {
            ReleaseSurfaceDataSurfaces(tile->SurfaceHandle);
        }
    }
    delete state->Device;
    state->Device = nullptr;
    WriteLog(kDeviceDeletedText);
    return 0;
}

int DeleteAllDevices3D() {
    if (direct3d.Direct3D == nullptr) {
        return 0;
    }
    for (DeviceState& state : direct3d.Devices) {
        if (state.InUse == 0) {
            continue;
        }
        delete state.Device;
        state = DeviceState{};
        WriteLog(kAllDevicesDeletedText);
    }
    return 0;
}

int ReleaseDirect3DObject() {
    if (direct3d.Direct3DStarted == 0) {
        return -1;
    }
    DeleteDevice3D(direct3d.CurrentDevice);
    WriteLog(kReleasingDirect3DText);
    if (direct3d.Direct3D == nullptr) {
        WriteLog(kDirect3DAlreadyReleasedText);
        return 0;
    }
    platform::ReleaseDirect3D(direct3d.Direct3D);
    direct3d.Direct3D = nullptr;
    WriteLog(kDirect3DReleasedText);
    return 0;
}

int QueryDirect3DObject() {
    if (direct_draw.object == nullptr ||
        platform::QueryDirect3D(direct_draw.object->display, &direct3d.Direct3D) !=
            platform::kDisplayOk) {
        direct3d.Direct3D = nullptr;
        return -1;
    }
    return 0;
}

}  // namespace layer
