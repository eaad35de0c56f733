#pragma once

// Calls into a device record's device; nothing happens while the device object is released
// (after a lost display) and the record waits for its re-creation.

#include "layer/graphics/direct3d_context.h"

namespace layer {

inline int SendRenderState(DeviceState* state, platform::RenderState render_state,
                           std::uint32_t value) {
    return state->Device != nullptr ? state->Device->SetRenderState(render_state, value)
                                    : platform::kDisplayFailed;
}

inline int SendStageState(DeviceState* state, int stage, platform::StageState stage_state,
                          std::uint32_t value) {
    return state->Device != nullptr ? state->Device->SetStageState(stage, stage_state, value)
                                    : platform::kDisplayFailed;
}

inline int SendTexture(DeviceState* state, int stage, platform::DisplaySurface* texture) {
    return state->Device != nullptr ? state->Device->SetTexture(stage, texture)
                                    : platform::kDisplayFailed;
}

}  // namespace layer
