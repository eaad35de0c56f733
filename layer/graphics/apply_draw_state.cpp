// Turns a device's draw request into its render states and texture-stage programme, sending
// only what differs from the cache.
#include "layer/graphics/device_calls.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/stage_setups.h"

namespace layer {
namespace {

using platform::RenderState;
using platform::StageState;

constexpr int kLeave = -1;
constexpr std::uint32_t kWhiteFactor = 0xFFFFFFFF;
constexpr std::uint32_t kClearFactor = 0x00FFFFFF;
constexpr int kAlphaTestReference = 16;
constexpr int kFullBorder = 255;

// The render states a draw asks for, in the cache's order; -1 keeps the device's value.
struct RenderRequest {
    std::int64_t values[kCachedRenderStateCount];
};

// What the programme binds on each stage.
struct StageTextures {
    platform::DisplaySurface* textures[kStageCount] = {};
};

constexpr RenderState kCachedStates[kCachedRenderStateCount] = {
    RenderState::kAlphaTestEnable,
    RenderState::kAlphaRef,
    RenderState::kAlphaFunc,
    RenderState::kAlphaBlendEnable,
    RenderState::kDiffuseMaterialSource,
    RenderState::kSpecularMaterialSource,
    RenderState::kSpecularEnable,
    RenderState::kTextureFactor,
    RenderState::kSourceBlend,
    RenderState::kDestBlend,
};

// The order in which the states are sent.
constexpr CachedRenderState kSendOrder[kCachedRenderStateCount] = {
    kCachedDiffuseMaterialSource,
    kCachedSpecularMaterialSource,
    kCachedSpecularEnable,
    kCachedAlphaFunc,
    kCachedAlphaRef,
    kCachedAlphaTestEnable,
    kCachedAlphaBlendEnable,
    kCachedTextureFactor,
    kCachedSourceBlend,
    kCachedDestBlend,
};

// The stage a draw texture goes to: 0, or after the blend image 2 with an alpha channel, else 1.
int DrawTextureStage(const DeviceState& state) {
    if (state.BlendTexture == nullptr) {
        return 0;
    }
    return state.Request.UseAlphaChannel == 1 ? 2 : 1;
}

// The factor alpha and the stage operations of a blend image's soft ramp: border W, range R.
struct Ramp {
    int factor_alpha;
    std::uint32_t stage0_op;
    std::uint32_t stage1_op;
};

Ramp SoftRamp(int border, int range) {
    struct Step {
        int span;
        int half;
        int add_scale;
        std::uint32_t contrast;
    };
    const Step step = range <= 64    ? Step{1280, 1024, 64, platform::kOpModulate4x}
                      : range <= 128 ? Step{768, 512, 128, platform::kOpModulate2x}
                                     : Step{512, 256, 255, platform::kOpModulate};
    const int d = step.span - (step.span * border) / 255;
    if (d < step.half) {
        return {255 - (255 * d) / step.half, platform::kOpSubtract, step.contrast};
    }
    return {(step.add_scale * (d - step.half)) / 256, platform::kOpAdd, step.contrast};
}

void SendRenderStates(DeviceState* state, const RenderRequest& request) {
    for (CachedRenderState slot : kSendOrder) {
        std::int64_t value = request.values[slot];
        if (value == kLeave) {
            if (state->Force == 0) {
                continue;
            }
            value = state->RenderStates[slot];
        }
        const auto sent = static_cast<std::uint32_t>(value);
        if (sent == state->RenderStates[slot] && state->Force == 0) {
            continue;
        }
        SendRenderState(state, kCachedStates[slot], sent);
        state->RenderStates[slot] = sent;
    }
}

void SendCode(DeviceState* state, int stage, StageState stage_state, int wanted, int* cached) {
    if (wanted == kLeave || (wanted == *cached && state->Force == 0)) {
        return;
    }
    SendStageState(state, stage, stage_state, static_cast<std::uint32_t>(wanted));
    *cached = wanted;
}

void SendStages(DeviceState* state, const StageSetup& setup, int stage_count,
                const StageTextures& textures) {
    for (int stage = 0; stage < stage_count; ++stage) {
        if (stage >= 2 && setup.stages[stage - 1].alpha_op == platform::kOpDisable) {
            break;
        }
        CachedStage& cached = state->Stages[stage];
        if (textures.textures[stage] != cached.texture || state->Force != 0) {
            SendTexture(state, stage, textures.textures[stage]);
            cached.texture = textures.textures[stage];
        }
        const StageCodes& codes = setup.stages[stage];
        SendCode(state, stage, StageState::kAlphaOp, codes.alpha_op, &cached.codes.alpha_op);
        SendCode(state, stage, StageState::kAlphaArg1, codes.alpha_arg1, &cached.codes.alpha_arg1);
        SendCode(state, stage, StageState::kAlphaArg2, codes.alpha_arg2, &cached.codes.alpha_arg2);
        SendCode(state, stage, StageState::kColourOp, codes.colour_op, &cached.codes.colour_op);
        SendCode(state, stage, StageState::kColourArg1, codes.colour_arg1,
                 &cached.codes.colour_arg1);
        SendCode(state, stage, StageState::kColourArg2, codes.colour_arg2,
                 &cached.codes.colour_arg2);
    }
}

// The alpha kind of the draw's texture: 1 alpha channel, 2 alpha test only, else 0.
int AlphaKind(const DrawRequest& request) {
    if (request.UseAlphaChannel != 0) {
        return 1;
    }
    return request.UseAlphaTest != 0 ? 2 : 0;
}

}  // namespace

int ApplyDrawState(int index) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    DrawRequest& request = state->Request;
    if (state->Force == 0 && request.StagesDirty == 0) {
        if (request.TextureChanged == 0) {
            return -1;
        }
        const int stage = DrawTextureStage(*state);
        SendTexture(state, stage, state->DrawTexture);
        state->Stages[stage].texture = state->DrawTexture;
        request.TextureChanged = 0;
        return 0;
    }
    request.StagesDirty = 0;
    request.TextureChanged = 0;
    const BlendRow& row = GetBlendRow(request.DrawBlendMode);
    const bool blending = request.DrawBlendMode != 0 && request.DrawBlendMode != 6;
    RenderRequest render{{kLeave, kLeave, kLeave, kLeave, platform::kMaterialFromColour1,
                          platform::kMaterialFromColour2, 0, kWhiteFactor, row.source, row.dest}};
    StageSetup setup;
    StageTextures textures;
    platform::VertexLayout layout = platform::VertexLayout::kTextured;
    const int diffuse_colour = request.UseDiffuseColour != 0 ? 1 : 0;
    const int diffuse_alpha = request.UseDiffuseAlpha != 0 ? 1 : 0;
    if (state->DrawTexture == nullptr) {
        request.SkipDraw = 0;
        setup = GetUntexturedStageSetup(request.DrawBlendMode);
        render.values[kCachedAlphaTestEnable] = 0;
        render.values[kCachedTextureFactor] = kLeave;
        render.values[kCachedAlphaBlendEnable] = blending ? 1 : 0;
        layout = platform::VertexLayout::kPlain;
    } else if (state->BlendTexture != nullptr) {
        setup = GetTexturedStageSetup(
            TexturedStageSetupIndex(0, 1, diffuse_colour, diffuse_alpha, AlphaKind(request)));
        if (!blending) {
            render.values[kCachedSourceBlend] = platform::kBlendSourceAlpha;
            render.values[kCachedDestBlend] = platform::kBlendInverseSourceAlpha;
        }
        request.SkipDraw = request.BlendBorder == kFullBorder ? 1 : 0;
        layout = platform::VertexLayout::kBlend;
        textures.textures[0] = state->BlendTexture;
        textures.textures[DrawTextureStage(*state)] = state->DrawTexture;
        const int border = request.BlendBorder;
        if (request.BlendRange <= 1) {
            const bool alpha_texture = request.UseAlphaChannel != 0 || request.UseAlphaTest != 0;
            render.values[kCachedAlphaTestEnable] = 1;
            render.values[kCachedAlphaRef] = border == 0 && alpha_texture ? 1 : border;
            render.values[kCachedAlphaFunc] = platform::kCompareGreaterEqual;
            render.values[kCachedAlphaBlendEnable] = 0;
            render.values[kCachedTextureFactor] = kClearFactor;
        } else {
            const Ramp ramp = SoftRamp(border, request.BlendRange);
            render.values[kCachedAlphaTestEnable] = 0;
            render.values[kCachedAlphaBlendEnable] = 1;
            render.values[kCachedTextureFactor] =
                static_cast<std::uint32_t>(ramp.factor_alpha) << 24 | kClearFactor;
            setup.stages[0].alpha_op = static_cast<int>(ramp.stage0_op);
            setup.stages[1].alpha_op = static_cast<int>(ramp.stage1_op);
        }
    } else {
        request.SkipDraw = 0;
        setup = GetTexturedStageSetup(TexturedStageSetupIndex(row.kind, 0, diffuse_colour,
                                                              diffuse_alpha, AlphaKind(request)));
        textures.textures[0] = state->DrawTexture;
        if (request.UseAlphaTest == 1) {
            render.values[kCachedAlphaTestEnable] = 1;
            render.values[kCachedAlphaRef] = kAlphaTestReference;
            render.values[kCachedAlphaFunc] = platform::kCompareGreater;
        } else if (state->ZEnable != 0) {
            render.values[kCachedAlphaTestEnable] = 1;
            render.values[kCachedAlphaRef] = 0;
            render.values[kCachedAlphaFunc] = platform::kCompareGreater;
        } else {
            render.values[kCachedAlphaTestEnable] = 0;
        }
        if (request.UseAlphaChannel == 1 && !blending) {
            render.values[kCachedSourceBlend] = platform::kBlendSourceAlpha;
            render.values[kCachedDestBlend] = platform::kBlendInverseSourceAlpha;
        }
        render.values[kCachedAlphaBlendEnable] = request.UseAlphaChannel != 0 || blending ? 1 : 0;
    }
    state->BatchFormat = layout;
    state->BatchCount = 0;
    if (setup.count != state->ActiveStages) {
        state->ActiveStages = setup.count;
        const int force = state->Force;
        state->Force = 1;
        SetDeviceTextureFilter(index, state->FilterMode);
        state->Force = force;
    }
    SendRenderStates(state, render);
    SendStages(state, setup, setup.count + 1 < kStageCount ? setup.count + 1 : kStageCount,
               textures);
    return 0;
}

}  // namespace layer
