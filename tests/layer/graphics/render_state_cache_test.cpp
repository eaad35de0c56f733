// The render-state cache and the per-draw request on the recording device: what reaches the
// device for repeated draws, the transparency kinds, the stage programmes and the blend
// image's ramp.
#include <gtest/gtest.h>

#include "layer/graphics/stage_setups.h"
#include "layer/graphics/surface_data.h"
#include "tests/layer/graphics/direct3d_fixture.h"
#include "tests/support/case_name.h"

namespace {

using platform::RenderState;
using platform::StageState;

class RenderStateCache : public test::Direct3DScreens {
  protected:
    static int StateCalls() {
        const test::DeviceRecording& r = test::Recording();
        return r.Count("SetRenderState") + r.Count("SetStageState") + r.Count("SetTexture");
    }

    // A texture tile of its own 32 x 32 texture with the key's alpha kind.
    static const layer::Surface3DData* Tile(int alpha_channel, int alpha_test) {
        layer::FormatKey key;
        key.TextureFlag = 1;
        key.AlphaChFlag = static_cast<std::uint8_t>(alpha_channel);
        key.AlphaTestFlag = static_cast<std::uint8_t>(alpha_test);
        key.ColorBitDepth = 32;
        const int handle =
            layer::AddSurface3DData(32, 32, 0, 0, 32, 32, 0, 0, -1, nullptr, 0, 0, &key);
        return layer::GetSurface3DData(handle);
    }
};

TEST_F(RenderStateCache, ASecondDrawSendsNoStateAndAnotherTextureOnlyItsBinding) {
    const int first = Graph(16, 16, 0xFF0000);
    const int second = Graph(16, 16, 0x00FF00);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    layer::PutGraph(0, 0, first, 0);
    test::Recording().calls.clear();
    layer::PutGraph(20, 0, first, 0);
    EXPECT_EQ(StateCalls(), 0);
    layer::PutGraph(40, 0, second, 0);
    EXPECT_EQ(StateCalls(), 1);
    const auto bindings = test::Recording().Calls("SetTexture");
    ASSERT_EQ(bindings.size(), 1u);
    EXPECT_EQ(bindings[0]->args[0], 0);
    // The first texture's two quads went out before the binding changed.
    const auto draws = test::Recording().Calls("DrawPrimitive");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0]->args[1], 12);
}

struct AlphaCase {
    const char* name;
    int alpha_channel;
    int alpha_test;
    int flags;
    int blend_mode;
    int filter;
    int expected_key;
    int expected_channel;
    int expected_test;
};

class TransparencyKinds : public RenderStateCache, public testing::WithParamInterface<AlphaCase> {};

TEST_P(TransparencyKinds, ChooseKeyAlphaOrTest) {
    const AlphaCase& c = GetParam();
    layer::SetBlendMode(c.blend_mode, 128);
    layer::SetTextureFilterMode(c.filter);
    layer::PrepareDraw3D(Tile(c.alpha_channel, c.alpha_test), c.flags);
    EXPECT_EQ(Device().ColourKeyEnable, c.expected_key);
    EXPECT_EQ(Device().Request.UseAlphaChannel, c.expected_channel);
    EXPECT_EQ(Device().Request.UseAlphaTest, c.expected_test);
}

constexpr int kTransparent = layer::kDraw3DTransparent;
constexpr int kKeep = layer::kDraw3DTransparent | layer::kDraw3DKeepAlphaKind;

const AlphaCase kAlphaCases[] = {
    {"no alpha keys", 0, 0, kTransparent, 0, 0, 1, 0, 0},
    {"not transparent uses nothing", 1, 0, 0, 0, 0, 0, 0, 0},
    {"alpha channel kept", 1, 0, kTransparent, 0, 0, 0, 1, 0},
    {"alpha test kept nearest", 0, 1, kTransparent, 0, 0, 0, 0, 1},
    {"alpha test kept bilinear by flag", 0, 1, kKeep, 0, 1, 0, 0, 1},
    {"alpha test blended bilinear", 0, 1, kTransparent, 0, 1, 0, 1, 0},
    {"alpha test blended translucent", 0, 1, kKeep, 1, 0, 0, 1, 0},
    {"alpha test kept in mode 8", 0, 1, kKeep, 8, 0, 0, 0, 1},
};

INSTANTIATE_TEST_SUITE_P(Keys, TransparencyKinds, testing::ValuesIn(kAlphaCases),
                         [](const testing::TestParamInfo<AlphaCase>& info) {
                             return test::CaseName(info.param.name);
                         });

// The programmes worked out from their rules by hand: stage, then alpha op, arg1, arg2 and
// colour op, arg1, arg2.
TEST(StageSetups, IndexFormulaAndKnownProgrammes) {
    using namespace platform;
    EXPECT_EQ(layer::TexturedStageSetupIndex(2, 1, 1, 1, 2), 71);
    EXPECT_EQ(layer::TexturedStageSetupIndex(1, 0, 1, 0, 1), 31);
    const int k = -1;
    const struct {
        int index;
        int count;
        layer::StageCodes stages[5];
    } cases[] = {
        // Plain, no diffuse: texture colour, diffuse alpha.
        {0,
         1,
         {{k, int{kArgDiffuse}, int{kOpSelectArg2}, int{kArgTexture}, k, int{kOpSelectArg1}},
          {k, k, int{kOpDisable}, k, k, int{kOpDisable}}}},
        // Faded multiply, diffuse colour, alpha channel: a second stage towards the factor.
        {31,
         2,
         {{int{kArgTexture}, k, int{kOpSelectArg1}, int{kArgTexture}, int{kArgDiffuse},
           int{kOpModulate}},
          {int{kArgCurrent}, k, int{kOpSelectArg1}, int{kArgCurrent}, int{kArgTextureFactor},
           int{kOpBlendCurrentAlpha}},
          {k, k, int{kOpDisable}, k, k, int{kOpDisable}}}},
        // Inverted source: the texture complemented.
        {48,
         1,
         {{k, int{kArgDiffuse}, int{kOpSelectArg2}, int{kArgTexture | kArgComplement}, k,
           int{kOpSelectArg1}},
          {k, k, int{kOpDisable}, k, k, int{kOpDisable}}}},
        // Blend image, diffuse alpha, alpha channel: blend, specular, texture, diffuse.
        {12 + 3 + 1,
         4,
         {{int{kArgTexture}, int{kArgTextureFactor}, int{kOpAdd}, k, int{kArgDiffuse},
           int{kOpSelectArg2}},
          {int{kArgSpecular}, int{kArgCurrent}, int{kOpModulate}, int{kArgCurrent}, k,
           int{kOpSelectArg1}},
          {int{kArgTexture}, int{kArgCurrent}, int{kOpModulate}, int{kArgTexture}, k,
           int{kOpSelectArg1}},
          {int{kArgDiffuse}, int{kArgCurrent}, int{kOpModulate}, int{kArgCurrent}, k,
           int{kOpSelectArg1}},
          {k, k, int{kOpDisable}, k, k, int{kOpDisable}}}},
    };
    for (const auto& c : cases) {
        const layer::StageSetup& setup = layer::GetTexturedStageSetup(c.index);
        EXPECT_EQ(setup.count, c.count) << c.index;
        for (int stage = 0; stage <= c.count && stage < 5; ++stage) {
            const layer::StageCodes& got = setup.stages[stage];
            const layer::StageCodes& want = c.stages[stage];
            EXPECT_EQ(got.alpha_op, want.alpha_op) << c.index << " stage " << stage;
            EXPECT_EQ(got.alpha_arg1, want.alpha_arg1) << c.index << " stage " << stage;
            EXPECT_EQ(got.alpha_arg2, want.alpha_arg2) << c.index << " stage " << stage;
            EXPECT_EQ(got.colour_op, want.colour_op) << c.index << " stage " << stage;
            EXPECT_EQ(got.colour_arg1, want.colour_arg1) << c.index << " stage " << stage;
            EXPECT_EQ(got.colour_arg2, want.colour_arg2) << c.index << " stage " << stage;
        }
    }
}

struct RampCase {
    int border;
    int range;
    std::int64_t factor;
    std::int64_t stage0_alpha;
    std::int64_t stage1_alpha;
};

// The factor alpha and the two stages' alpha operations of a blend image's ramp, worked out
// from the integer steps by hand.
TEST_F(RenderStateCache, BlendImageRampsByBorderAndRange) {
    using namespace platform;
    const RampCase cases[] = {
        {0, 64, 0x40FFFFFF, kOpAdd, kOpModulate4x},
        {255, 64, 0xFFFFFFFF, kOpSubtract, kOpModulate4x},
        {128, 128, 0x41FFFFFF, kOpSubtract, kOpModulate2x},
        {64, 200, 0x7FFFFFFF, kOpAdd, kOpModulate},
    };
    const layer::Surface3DData* blend = Tile(1, 0);
    const layer::Surface3DData* graph = Tile(0, 0);
    for (const RampCase& c : cases) {
        layer::SetDeviceBlendTexture(0, layer::GetTileTexture(*blend), c.border, c.range);
        layer::SetDeviceDrawTexture(0, layer::GetTileTexture(*graph));
        layer::ApplyDrawState(0);
        EXPECT_EQ(test::Recording().LastRenderState(RenderState::kTextureFactor), c.factor)
            << c.border << " " << c.range;
        EXPECT_EQ(test::Recording().LastStageState(0, StageState::kAlphaOp), c.stage0_alpha);
        EXPECT_EQ(test::Recording().LastStageState(1, StageState::kAlphaOp), c.stage1_alpha);
        EXPECT_EQ(test::Recording().LastRenderState(RenderState::kAlphaBlendEnable), 1);
        EXPECT_EQ(Device().BatchFormat, VertexLayout::kBlend);
    }
}

TEST_F(RenderStateCache, ARangeOfOneIsAThresholdOnTheBorder) {
    using namespace platform;
    const layer::Surface3DData* blend = Tile(1, 0);
    layer::SetDeviceBlendTexture(0, layer::GetTileTexture(*blend), 100, 1);
    layer::SetDeviceDrawTexture(0, layer::GetTileTexture(*Tile(0, 0)));
    layer::ApplyDrawState(0);
    const test::DeviceRecording& r = test::Recording();
    EXPECT_EQ(r.LastRenderState(RenderState::kAlphaTestEnable), 1);
    EXPECT_EQ(r.LastRenderState(RenderState::kAlphaRef), 100);
    EXPECT_EQ(r.LastRenderState(RenderState::kAlphaFunc), kCompareGreaterEqual);
    EXPECT_EQ(r.LastRenderState(RenderState::kTextureFactor), 0x00FFFFFF);
    // Border 0 on a graph with alpha: fully transparent texels stay invisible.
    layer::SetDeviceBlendTexture(0, layer::GetTileTexture(*blend), 0, 1);
    layer::SetDeviceBlendState(0, 0, 1, 0);
    layer::ApplyDrawState(0);
    EXPECT_EQ(r.LastRenderState(RenderState::kAlphaRef), 1);
    EXPECT_EQ(r.LastStageState(2, StageState::kColourOp), kOpSelectArg1);
}

TEST_F(RenderStateCache, AnAlphaGraphWithoutBlendingStillBlendsItsAlpha) {
    using namespace platform;
    layer::SetDeviceDrawTexture(0, layer::GetTileTexture(*Tile(1, 0)));
    layer::SetDeviceBlendState(0, 0, 1, 0);
    layer::ApplyDrawState(0);
    const test::DeviceRecording& r = test::Recording();
    EXPECT_EQ(r.LastRenderState(RenderState::kSourceBlend), kBlendSourceAlpha);
    EXPECT_EQ(r.LastRenderState(RenderState::kDestBlend), kBlendInverseSourceAlpha);
    EXPECT_EQ(r.LastRenderState(RenderState::kAlphaBlendEnable), 1);
}

// Without depth the alpha test is on only for an alpha-tested texture: an alpha-channel
// texture in a mode whose factors ignore its alpha draws even its fully transparent texels.
TEST_F(RenderStateCache, ModesIgnoringSourceAlphaDrawFullyTransparentTexels) {
    using namespace platform;
    layer::SetDeviceZEnable(0, 0);
    layer::SetDeviceDrawTexture(0, layer::GetTileTexture(*Tile(1, 0)));
    const test::DeviceRecording& r = test::Recording();
    for (const int mode : {3, 4, 8, 9, 10, 11, 1}) {
        layer::SetDeviceBlendState(0, mode, 1, 0);
        layer::ApplyDrawState(0);
        EXPECT_EQ(Device().RenderStates[layer::kCachedAlphaTestEnable], 0u) << mode;
    }
    layer::SetDeviceBlendState(0, 4, 0, 1);
    layer::ApplyDrawState(0);
    EXPECT_EQ(r.LastRenderState(RenderState::kAlphaTestEnable), 1);
    EXPECT_EQ(r.LastRenderState(RenderState::kAlphaRef), 16);
}

}  // namespace
