// The render-state cache of a device: each setter compares with its cache and calls the device
// only on a change (or while the record forces every call), sending the batch first.
#include "layer/graphics/device_calls.h"
#include "layer/graphics/device_state.h"

namespace layer {
namespace {

using platform::RenderState;
using platform::StageState;

struct FilterRow {
    std::uint32_t mag;
    std::uint32_t min;
    std::uint32_t mip;
};

constexpr FilterRow kFilterCodes[] = {
    {platform::kFilterPoint, platform::kFilterPoint, platform::kFilterNone},
    {platform::kFilterPoint, platform::kFilterPoint, platform::kFilterPoint},
    {platform::kFilterLinear, platform::kFilterLinear, platform::kFilterLinear},
    {platform::kFilterAnisotropic, platform::kFilterAnisotropic, platform::kFilterLinear},
    {platform::kFilterFlatCubic, platform::kFilterAnisotropic, platform::kFilterLinear},
    {platform::kFilterGaussianCubic, platform::kFilterAnisotropic, platform::kFilterLinear},
};

// The record when the value is a change for it; the batch has then been sent.
DeviceState* Changing(int index, int cached, int value) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr || (cached == value && state->Force == 0)) {
        return nullptr;
    }
    FlushDeviceBatch(index);
    return state;
}

// A cached render state sent on a change: 0, also when unchanged; -1 without the record.
int SetCachedState(int index, int DeviceState::*field, RenderState render_state, int value,
                   std::uint32_t sent) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (Changing(index, state->*field, value) == nullptr) {
        return 0;
    }
    state->*field = value;
    SendRenderState(state, render_state, sent);
    return 0;
}

// As SetCachedState, but -1 when the device refuses.
int SetRefusableState(int index, int DeviceState::*field, RenderState render_state, int value) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (Changing(index, state->*field, value) == nullptr) {
        return 0;
    }
    if (SendRenderState(state, render_state, static_cast<std::uint32_t>(value)) !=
        platform::kDisplayOk) {
        return -1;
    }
    state->*field = value;
    return 0;
}

int SetRequestFlag(int index, int DrawRequest::*field, int value) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (Changing(index, state->Request.*field, value) != nullptr) {
        state->Request.*field = value;
        state->Request.StagesDirty = 1;
    }
    return 0;
}

}  // namespace

int SetDeviceBlendState(int index, int mode, int alpha_channel, int alpha_test) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    DrawRequest& request = state->Request;
    const bool same = request.DrawBlendMode == mode && request.UseAlphaChannel == alpha_channel &&
                      request.UseAlphaTest == alpha_test;
    if (same && state->Force == 0) {
        return 0;
    }
    FlushDeviceBatch(index);
    request.DrawBlendMode = mode;
    request.UseAlphaChannel = alpha_channel;
    request.UseAlphaTest = alpha_test;
    request.StagesDirty = 1;
    return 0;
}

int SetDeviceDrawTexture(int index, platform::DisplaySurface* texture) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (texture == state->DrawTexture && state->Force == 0) {
        return 0;
    }
    FlushDeviceBatch(index);
    if ((texture == nullptr) != (state->DrawTexture == nullptr)) {
        state->Request.StagesDirty = 1;
    }
    state->DrawTexture = texture;
    state->Request.TextureChanged = 1;
    return 0;
}

int SetDeviceBlendTexture(int index, platform::DisplaySurface* texture, int border, int range) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    DrawRequest& request = state->Request;
    const bool same = (texture == state->BlendTexture && border == request.BlendBorder &&
                       range == request.BlendRange) ||
                      (texture == nullptr && state->BlendTexture == nullptr);
    if (same && state->Force == 0) {
        return 0;
    }
    FlushDeviceBatch(index);
    state->BlendTexture = texture;
    if (border != -1) {
        request.BlendBorder = border;
    }
    if (range != -1) {
        request.BlendRange = range;
    }
    request.StagesDirty = 1;
    return 0;
}

int SetDeviceDiffuseColourFlag(int index, int flag) {
    return SetRequestFlag(index, &DrawRequest::UseDiffuseColour, flag);
}

int SetDeviceDiffuseAlphaFlag(int index, int flag) {
    return SetRequestFlag(index, &DrawRequest::UseDiffuseAlpha, flag);
}

int SendStageFilterCode(int index, int stage, int code) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr || code < 0 || code >= static_cast<int>(std::size(kFilterCodes))) {
        return -1;
    }
    const FilterRow& row = kFilterCodes[code];
    SendStageState(state, stage, StageState::kMagFilter, row.mag);
    SendStageState(state, stage, StageState::kMinFilter, row.min);
    SendStageState(state, stage, StageState::kMipFilter, row.mip);
    state->MagFilter[stage] = code;
    state->MinFilter[stage] = code;
    state->MipFilter[stage] = code;
    return 0;
}

int SetDeviceTextureFilter(int index, int mode) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr || (mode != 0 && mode != 1)) {
        return -1;
    }
    if (Changing(index, state->FilterMode, mode) == nullptr) {
        return 0;
    }
    state->FilterMode = mode;
    const int code = mode == 0 ? platform::kFilterPoint : platform::kFilterLinear;
    for (int stage = 0; stage < state->ActiveStages; ++stage) {
        if (state->MagFilter[stage] == code && state->MinFilter[stage] == code &&
            state->Force == 0) {
            continue;
        }
        SendStageState(state, stage, StageState::kMagFilter, static_cast<std::uint32_t>(code));
        SendStageState(state, stage, StageState::kMinFilter, static_cast<std::uint32_t>(code));
        state->MagFilter[stage] = code;
        state->MinFilter[stage] = code;
    }
    return 0;
}

int SetDeviceZEnable(int index, int value) {
    return SetCachedState(index, &DeviceState::ZEnable, RenderState::kZEnable, value,
                          value == 1 ? 1u : 0u);
}

int SetDeviceZWriteEnable(int index, int value) {
    return SetCachedState(index, &DeviceState::ZWriteEnable, RenderState::kZWriteEnable, value,
                          static_cast<std::uint32_t>(value));
}

int SetDeviceZFunc(int index, int function) {
    return SetCachedState(index, &DeviceState::ZFunc, RenderState::kZFunc, function,
                          static_cast<std::uint32_t>(function));
}

int SetDeviceZBias(int index, int bias) {
    return SetCachedState(index, &DeviceState::ZBias, RenderState::kZBias, bias,
                          static_cast<std::uint32_t>(bias));
}

int SetDeviceCullMode(int index, int flag) {
    return SetCachedState(index, &DeviceState::CullFlag, RenderState::kCullMode, flag,
                          flag != 0 ? platform::kCullCounterClockwise : platform::kCullNone);
}

int SetDeviceShadeMode(int index, int mode) {
    return SetRefusableState(index, &DeviceState::ShadeMode, RenderState::kShadeMode, mode);
}

int SetDeviceTextureAddress(int index, int address) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (Changing(index, state->TextureAddress, address) == nullptr) {
        return 0;
    }
    const auto value = static_cast<std::uint32_t>(address);
    for (int stage = 3; stage >= 1; --stage) {
        SendStageState(state, stage, StageState::kAddress, value);
    }
    if (SendStageState(state, 0, StageState::kAddress, value) != platform::kDisplayOk) {
        return -1;
    }
    state->TextureAddress = address;
    return 0;
}

int SetDeviceFogEnable(int index, int value) {
    return SetRefusableState(index, &DeviceState::FogEnable, RenderState::kFogEnable, value);
}

// The perspective switch does not touch the batch.
int SetDeviceTexturePerspective(int index, int value) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (state->TexturePerspective == value && state->Force == 0) {
        return 0;
    }
    if (SendRenderState(state, RenderState::kTexturePerspective,
                        static_cast<std::uint32_t>(value)) != platform::kDisplayOk) {
        return -1;
    }
    state->TexturePerspective = value;
    return 0;
}

int SetDeviceColourKeyEnable(int index, int value) {
    return SetCachedState(index, &DeviceState::ColourKeyEnable, RenderState::kColourKeyEnable,
                          value, static_cast<std::uint32_t>(value));
}

int SetDeviceLighting(int index, int value) {
    return SetCachedState(index, &DeviceState::Lighting, RenderState::kLighting, value,
                          static_cast<std::uint32_t>(value));
}

int ApplyBaseDeviceStates(int index) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    constexpr std::uint32_t kCoordinateIndex[] = {0, 1, 1, 0};
    for (int stage = 0; stage < 4; ++stage) {
        SendStageState(state, stage, StageState::kAddress,
                       static_cast<std::uint32_t>(state->TextureAddress));
        SendStageState(state, stage, StageState::kTexCoordIndex, kCoordinateIndex[stage]);
    }
    SendRenderState(state, RenderState::kTexturePerspective,
                    static_cast<std::uint32_t>(state->TexturePerspective));
    SendRenderState(state, RenderState::kShadeMode, static_cast<std::uint32_t>(state->ShadeMode));
    SendRenderState(state, RenderState::kColourKeyEnable,
                    static_cast<std::uint32_t>(state->ColourKeyEnable));
    SendRenderState(state, RenderState::kLighting, static_cast<std::uint32_t>(state->Lighting));
    SendRenderState(state, RenderState::kCullMode, platform::kCullNone);
    SendRenderState(state, RenderState::kDitherEnable, 0);
    return 0;
}

int ReapplyDeviceState(int index) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    state->Force = 1;
    SetDeviceViewport(state->Viewport, index);
    SetDeviceColourKeyEnable(index, state->ColourKeyEnable);
    SetDeviceColourKeyEnable(index, 0);
    ApplyBaseDeviceStates(index);
    SetDeviceTextureFilter(index, state->FilterMode);
    ApplyDrawState(index);
    SetDeviceZEnable(index, state->ZEnable);
    SetDeviceZWriteEnable(index, state->ZWriteEnable);
    SetDeviceZFunc(index, state->ZFunc);
    SetDeviceZBias(index, state->ZBias);
    SetDeviceCullMode(index, state->CullFlag);
    SetDeviceTexturePerspective(index, state->TexturePerspective);
    SetDeviceShadeMode(index, state->ShadeMode);
    state->Force = 0;
    return 0;
}

int CopyDeviceDrawState(int source, int target) {
    DeviceState* from = FindDevice(source);
    DeviceState* to = FindDevice(target);
    if (from == nullptr || to == nullptr) {
        return -1;
    }
    SetDeviceBlendState(target, from->Request.DrawBlendMode, from->Request.UseAlphaChannel,
                        from->Request.UseAlphaTest);
    SetDeviceTextureFilter(target, from->FilterMode);
    SetDeviceDrawTexture(target, from->DrawTexture);
    return ApplyDrawState(target);
}

}  // namespace layer
