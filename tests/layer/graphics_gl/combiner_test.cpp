// The GL combiner against a small CPU model of the stage rules: every textured and untextured
// stage programme drawn on 2 x 2 textures into a 2 x 2 target without blending, each pixel
// compared with the model; then the alpha test and the colour key.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "layer/graphics/stage_setups.h"
#include "tests/layer/graphics_gl/gl_fixture.h"

namespace {

using platform::RenderState;
using platform::StageState;

using Colour = std::array<float, 4>;

constexpr std::uint32_t kGraphTexels[4] = {0x80FF4020, 0xFF20C0A0, 0x00FFFFFF, 0x40102030};
constexpr std::uint32_t kBlendTexels[4] = {0x40000000, 0xC0FFFFFF, 0xFF808080, 0x10204060};
constexpr std::uint32_t kDiffuse = 0xA0C08040;
constexpr std::uint32_t kFactor = 0x60FFFFFF;

Colour Unpack(std::uint32_t argb) {
    return {static_cast<float>(argb >> 16 & 0xFF) / 255.0f,
            static_cast<float>(argb >> 8 & 0xFF) / 255.0f, static_cast<float>(argb & 0xFF) / 255.0f,
            static_cast<float>(argb >> 24) / 255.0f};
}

// The stage rules: CURRENT starts as DIFFUSE; each stage's colour and alpha read the previous
// stage's result, and each result is saturated.
struct StageModel {
    Colour diffuse;
    Colour factor;
    Colour specular{1.0f, 1.0f, 1.0f, 1.0f};

    float Argument(int code, const Colour& current, const Colour* texel, int channel) const {
        if (code < 0) {
            return 0.0f;
        }
        const int select = code & static_cast<int>(platform::kArgSelectMask);
        const Colour& source = select == platform::kArgDiffuse         ? diffuse
                               : select == platform::kArgCurrent       ? current
                               : select == platform::kArgTextureFactor ? factor
                               : select == platform::kArgSpecular      ? specular
                               : texel != nullptr                      ? *texel
                                                                       : specular;
        const float value = source[static_cast<std::size_t>(channel)];
        return (code & platform::kArgComplement) != 0 ? 1.0f - value : value;
    }

    float Apply(int op, float a1, float a2, const Colour& current, int channel) const {
        switch (op) {
            case platform::kOpSelectArg1:
                return a1;
            case platform::kOpSelectArg2:
                return a2;
            case platform::kOpModulate:
                return a1 * a2;
            case platform::kOpModulate2x:
                return 2.0f * a1 * a2;
            case platform::kOpModulate4x:
                return 4.0f * a1 * a2;
            case platform::kOpAdd:
                return a1 + a2;
            case platform::kOpSubtract:
                return a1 - a2;
            case platform::kOpBlendDiffuseAlpha:
                return a1 * diffuse[3] + a2 * (1.0f - diffuse[3]);
            case platform::kOpBlendCurrentAlpha:
                return a1 * current[3] + a2 * (1.0f - current[3]);
            default:
                return current[static_cast<std::size_t>(channel)];
        }
    }

    Colour Run(const layer::StageSetup& setup, const Colour* const* texels) const {
        Colour current = diffuse;
        for (int stage = 0; stage < setup.count; ++stage) {
            const layer::StageCodes& codes = setup.stages[stage];
            Colour next{};
            for (int channel = 0; channel < 4; ++channel) {
                const bool alpha = channel == 3;
                const int op = alpha ? codes.alpha_op : codes.colour_op;
                const float a1 = Argument(alpha ? codes.alpha_arg1 : codes.colour_arg1, current,
                                          texels[stage], channel);
                const float a2 = Argument(alpha ? codes.alpha_arg2 : codes.colour_arg2, current,
                                          texels[stage], channel);
                next[static_cast<std::size_t>(channel)] =
                    std::clamp(Apply(op, a1, a2, current, channel), 0.0f, 1.0f);
            }
            current = next;
        }
        return current;
    }
};

class Combiner : public test::GlScreens {
  protected:
    void SetUp() override {
        test::GlScreens::SetUp();
        graph_ = Texture(kGraphTexels);
        blend_ = Texture(kBlendTexels);
        target_ = Surface(platform::kCapsTexture | platform::kCaps3DDevice);
        device_ = Device().Device;
        device_->SetRenderTarget(target_);
        device_->SetViewport({0, 0, 2, 2, 0.0f, 1.0f});
        using namespace platform;
        for (RenderState state : {RenderState::kAlphaBlendEnable, RenderState::kAlphaTestEnable,
                                  RenderState::kColourKeyEnable}) {
            device_->SetRenderState(state, 0);
        }
        device_->SetRenderState(RenderState::kShadeMode, kShadeFlat);
        device_->SetRenderState(RenderState::kTextureFactor, kFactor);
        constexpr std::uint32_t kCoordinates[] = {0, 1, 1, 0};
        for (int stage = 0; stage < 4; ++stage) {
            device_->SetStageState(stage, StageState::kTexCoordIndex, kCoordinates[stage]);
            device_->SetStageState(stage, StageState::kMagFilter, kFilterPoint);
        }
    }
    void TearDown() override {
        platform::ReleaseSurface(graph_);
        platform::ReleaseSurface(blend_);
        platform::ReleaseSurface(target_);
        test::GlScreens::TearDown();
    }

    static platform::DisplaySurface* Surface(std::uint32_t caps) {
        platform::SurfaceDescription description;
        description.fields = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight |
                             platform::kDescPixelFormat;
        description.caps = caps;
        description.width = 2;
        description.height = 2;
        description.format = {
            32,       layer::kDdPixelFormatRgb | platform::kPixelFormatAlphaPixels,
            0,        32,
            0xFF0000, 0x00FF00,
            0x0000FF, 0xFF000000};
        platform::DisplaySurface* surface = nullptr;
        platform::CreateSurface(layer::direct_draw.object->display, description, &surface);
        return surface;
    }

    static platform::DisplaySurface* Texture(const std::uint32_t* texels) {
        platform::DisplaySurface* texture = Surface(platform::kCapsTexture);
        platform::SurfaceDescription locked;
        platform::LockSurface(texture, nullptr, &locked, platform::kLockWait);
        for (int y = 0; y < 2; ++y) {
            std::memcpy(locked.pixels + y * locked.pitch, texels + 2 * y, 8);
        }
        platform::UnlockSurface(texture);
        return texture;
    }

    // Draws the programme over the target and reads its four pixels.
    std::array<std::uint32_t, 4> Draw(const layer::StageSetup& setup,
                                      platform::DisplaySurface* const* textures) {
        using namespace platform;
        for (int stage = 0; stage < kMaxTextureStages; ++stage) {
            const layer::StageCodes& codes =
                stage <= setup.count ? setup.stages[stage] : setup.stages[setup.count];
            auto send = [&](StageState state, int value) {
                if (value >= 0) {
                    device_->SetStageState(stage, state, static_cast<std::uint32_t>(value));
                }
            };
            send(StageState::kColourOp, codes.colour_op);
            send(StageState::kColourArg1, codes.colour_arg1);
            send(StageState::kColourArg2, codes.colour_arg2);
            send(StageState::kAlphaOp, codes.alpha_op);
            send(StageState::kAlphaArg1, codes.alpha_arg1);
            send(StageState::kAlphaArg2, codes.alpha_arg2);
            device_->SetTexture(stage, stage < setup.count ? textures[stage] : nullptr);
        }
        const BlendVertex corners[4] = {
            {-0.5f, -0.5f, 0.0f, 1.0f, kDiffuse, 0xFFFFFFFF, 0.0f, 0.0f, 0.0f, 0.0f},
            {1.5f, -0.5f, 0.0f, 1.0f, kDiffuse, 0xFFFFFFFF, 1.0f, 0.0f, 1.0f, 0.0f},
            {-0.5f, 1.5f, 0.0f, 1.0f, kDiffuse, 0xFFFFFFFF, 0.0f, 1.0f, 0.0f, 1.0f},
            {1.5f, 1.5f, 0.0f, 1.0f, kDiffuse, 0xFFFFFFFF, 1.0f, 1.0f, 1.0f, 1.0f}};
        EXPECT_EQ(
            device_->DrawPrimitive(Primitive::kTriangleStrip, VertexLayout::kBlend, corners, 4),
            kDisplayOk);
        std::array<std::uint32_t, 4> pixels{};
        platform::SurfaceDescription locked;
        platform::LockSurface(target_, nullptr, &locked, platform::kLockReadOnly);
        for (int y = 0; y < 2; ++y) {
            std::memcpy(&pixels[static_cast<std::size_t>(2 * y)], locked.pixels + y * locked.pitch,
                        8);
        }
        platform::UnlockSurface(target_);
        return pixels;
    }

    void ExpectModel(const layer::StageSetup& setup, const int* texture_of_stage,
                     const std::string& label) {
        platform::DisplaySurface* textures[platform::kMaxTextureStages] = {};
        for (int stage = 0; stage < setup.count; ++stage) {
            textures[stage] = texture_of_stage[stage] == 1   ? graph_
                              : texture_of_stage[stage] == 2 ? blend_
                                                             : nullptr;
        }
        const std::array<std::uint32_t, 4> drawn = Draw(setup, textures);
        const StageModel model{Unpack(kDiffuse), Unpack(kFactor)};
        for (int pixel = 0; pixel < 4; ++pixel) {
            Colour texels[platform::kMaxTextureStages];
            const Colour* per_stage[platform::kMaxTextureStages] = {};
            for (int stage = 0; stage < setup.count; ++stage) {
                if (texture_of_stage[stage] != 0) {
                    texels[stage] = Unpack(texture_of_stage[stage] == 1 ? kGraphTexels[pixel]
                                                                        : kBlendTexels[pixel]);
                    per_stage[stage] = &texels[stage];
                }
            }
            const Colour want = model.Run(setup, per_stage);
            const Colour got = Unpack(drawn[static_cast<std::size_t>(pixel)]);
            for (int channel = 0; channel < 4; ++channel) {
                EXPECT_NEAR(got[static_cast<std::size_t>(channel)] * 255.0f,
                            std::round(want[static_cast<std::size_t>(channel)] * 255.0f), 1.01f)
                    << label << " pixel " << pixel << " channel " << channel;
            }
        }
    }

    platform::DisplaySurface* graph_ = nullptr;
    platform::DisplaySurface* blend_ = nullptr;
    platform::DisplaySurface* target_ = nullptr;
    platform::Device3D* device_ = nullptr;
};

TEST_F(Combiner, EveryTexturedProgrammeMatchesTheStageRules) {
    for (int index = 0; index < 72; ++index) {
        const bool blend_image = index % 24 >= 12;
        const int alpha_kind = index % 3;
        int textures[platform::kMaxTextureStages] = {};
        if (blend_image) {
            textures[0] = 2;
            textures[alpha_kind == 1 ? 2 : 1] = 1;
        } else {
            textures[0] = 1;
        }
        ExpectModel(layer::GetTexturedStageSetup(index), textures,
                    "programme " + std::to_string(index));
    }
}

TEST_F(Combiner, EveryUntexturedProgrammeMatchesTheStageRules) {
    const int none[platform::kMaxTextureStages] = {};
    for (int mode = 0; mode < 12; ++mode) {
        ExpectModel(layer::GetUntexturedStageSetup(mode), none, "mode " + std::to_string(mode));
    }
}

TEST_F(Combiner, TheAlphaTestAndTheColourKeyDropTheirTexels) {
    using namespace platform;
    layer::StageSetup setup = layer::GetTexturedStageSetup(1);
    platform::DisplaySurface* textures[kMaxTextureStages] = {graph_};
    // The texture's alpha: 0x80, 0xFF, 0x00, 0x40 against "greater than 0x40".
    device_->SetRenderState(RenderState::kAlphaTestEnable, 1);
    device_->SetRenderState(RenderState::kAlphaRef, 0x40);
    device_->SetRenderState(RenderState::kAlphaFunc, kCompareGreater);
    BltSurface(target_, nullptr, nullptr, nullptr, kBltColourFill, 0x11223344);
    std::array<std::uint32_t, 4> drawn = Draw(setup, textures);
    EXPECT_EQ(drawn[0], kGraphTexels[0]);
    EXPECT_EQ(drawn[1], kGraphTexels[1]);
    EXPECT_EQ(drawn[2], 0x11223344u);
    EXPECT_EQ(drawn[3], 0x11223344u);
    device_->SetRenderState(RenderState::kAlphaTestEnable, 0);
    const ColourKey key{kGraphTexels[1], kGraphTexels[1]};
    SetSurfaceColourKey(graph_, kColourKeySourceBlt, &key);
    device_->SetRenderState(RenderState::kColourKeyEnable, 1);
    BltSurface(target_, nullptr, nullptr, nullptr, kBltColourFill, 0x11223344);
    drawn = Draw(setup, textures);
    EXPECT_EQ(drawn[0], kGraphTexels[0]);
    EXPECT_EQ(drawn[1], 0x11223344u);
    EXPECT_EQ(drawn[2], kGraphTexels[2]);
}

}  // namespace
