// The blend table and the texture-stage programmes, built once from their rules.
#include "layer/graphics/stage_setups.h"

#include <array>

namespace layer {
namespace {

using namespace platform;

constexpr int kTexturedSetupCount = 72;
constexpr int kBlendModeCount = 12;
constexpr int kSubtractive = 3;

constexpr int Code(std::uint32_t value) {
    return static_cast<int>(value);
}

constexpr BlendRow kBlendTable[kBlendModeCount] = {
    {-1, -1, 0},
    {Code(kBlendSourceAlpha), Code(kBlendInverseSourceAlpha), 0},
    {Code(kBlendSourceAlpha), Code(kBlendOne), 0},
    {Code(kBlendInverseDestColour), Code(kBlendZero), 0},
    {Code(kBlendZero), Code(kBlendSourceColour), 0},
    {Code(kBlendSourceAlpha), Code(kBlendOne), 0},
    {-1, -1, 0},
    {-1, -1, 0},
    {Code(kBlendZero), Code(kBlendOne), 0},
    {Code(kBlendInverseDestColour), Code(kBlendZero), 0},
    {Code(kBlendSourceAlpha), Code(kBlendInverseSourceAlpha), 2},
    {Code(kBlendZero), Code(kBlendSourceColour), 1},
};

// One half of a stage: an operation with its two arguments (-1 where it has none).
struct Operation {
    int op = -1;
    int arg1 = -1;
    int arg2 = -1;
};

constexpr Operation Select1(std::uint32_t arg) {
    return {Code(kOpSelectArg1), Code(arg), -1};
}
constexpr Operation Select2(std::uint32_t arg) {
    return {Code(kOpSelectArg2), -1, Code(arg)};
}
constexpr Operation Binary(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2) {
    return {Code(op), Code(arg1), Code(arg2)};
}

constexpr StageCodes Stage(const Operation& colour, const Operation& alpha) {
    return {alpha.arg1, alpha.arg2, alpha.op, colour.arg1, colour.arg2, colour.op};
}

constexpr void Append(StageSetup* setup, const StageCodes& stage) {
    setup->stages[setup->count++] = stage;
}

// The stage after the used ones disables both operations.
constexpr StageSetup Terminated(StageSetup setup) {
    if (setup.count < kStageCount) {
        setup.stages[setup.count] = {-1, -1, Code(kOpDisable), -1, -1, Code(kOpDisable)};
    }
    return setup;
}

// The colour of the texture argument, through the diffuse colour when it is asked for.
constexpr Operation ColourOf(std::uint32_t texture, int diffuse_colour) {
    return diffuse_colour != 0 ? Binary(kOpModulate, texture, kArgDiffuse) : Select1(texture);
}

constexpr StageSetup PlainSetup(int kind, int e, int f, int c) {
    const std::uint32_t texture = kind == 2 ? (kArgTexture | kArgComplement) : kArgTexture;
    const Operation alpha = c == 0   ? Select2(kArgDiffuse)
                            : f == 0 ? Select1(kArgTexture)
                                     : Binary(kOpModulate, kArgTexture, kArgDiffuse);
    StageSetup setup;
    Append(&setup, Stage(ColourOf(texture, e), alpha));
    if (kind == 1) {
        Append(&setup, Stage(Binary(kOpBlendCurrentAlpha, kArgCurrent, kArgTextureFactor),
                             Select1(kArgCurrent)));
    }
    return setup;
}

// Stage 0 samples the blend image; the graph's texture comes on stage 1, or 2 with an alpha
// channel.
constexpr StageSetup BlendImageSetup(int e, int f, int c) {
    StageSetup setup;
    Append(&setup, Stage(Select2(kArgDiffuse), Binary(kOpAdd, kArgTexture, kArgTextureFactor)));
    const Operation texture_colour = ColourOf(kArgTexture, e);
    const StageCodes diffuse_alpha =
        Stage(Select1(kArgCurrent), Binary(kOpModulate, kArgDiffuse, kArgCurrent));
    if (c == 0) {
        Append(&setup,
               Stage(texture_colour, f == 0 ? Binary(kOpModulate, kArgCurrent, kArgDiffuse)
                                            : Binary(kOpModulate, kArgDiffuse, kArgCurrent)));
        return setup;
    }
    if (c == 1) {
        Append(&setup, Stage(Select1(kArgCurrent), Binary(kOpModulate, kArgSpecular, kArgCurrent)));
    }
    Append(&setup, Stage(texture_colour, Binary(kOpModulate, kArgTexture, kArgCurrent)));
    if (f == 1) {
        Append(&setup, diffuse_alpha);
    }
    return setup;
}

constexpr std::array<StageSetup, kTexturedSetupCount> BuildTexturedSetups() {
    std::array<StageSetup, kTexturedSetupCount> setups{};
    for (int kind = 0; kind < 3; ++kind) {
        for (int blend = 0; blend < 2; ++blend) {
            for (int e = 0; e < 2; ++e) {
                for (int f = 0; f < 2; ++f) {
                    for (int c = 0; c < 3; ++c) {
                        setups[24 * kind + 12 * blend + 6 * e + 3 * f + c] = Terminated(
                            blend != 0 ? BlendImageSetup(e, f, c) : PlainSetup(kind, e, f, c));
                    }
                }
            }
        }
    }
    return setups;
}

constexpr StageSetup UntexturedSetup(int mode) {
    const int kind = kBlendTable[mode].kind;
    const Operation colour = mode == kSubtractive ? Select1(kArgDiffuse)
                             : kind == 1
                                 ? Binary(kOpBlendDiffuseAlpha, kArgDiffuse, kArgTextureFactor)
                             : kind == 2 ? Select1(kArgDiffuse | kArgComplement)
                                         : Select2(kArgDiffuse);
    StageSetup setup;
    Append(&setup, Stage(colour, Select2(kArgDiffuse)));
    return Terminated(setup);
}

constexpr std::array<StageSetup, kBlendModeCount> BuildUntexturedSetups() {
    std::array<StageSetup, kBlendModeCount> setups{};
    for (int mode = 0; mode < kBlendModeCount; ++mode) {
        setups[mode] = UntexturedSetup(mode);
    }
    return setups;
}

constexpr std::array<StageSetup, kTexturedSetupCount> kTexturedSetups = BuildTexturedSetups();
constexpr std::array<StageSetup, kBlendModeCount> kUntexturedSetups = BuildUntexturedSetups();

int TableMode(int mode) {
    return mode >= 0 && mode < kBlendModeCount ? mode : 0;
}

}  // namespace

const BlendRow& GetBlendRow(int mode) {
    return kBlendTable[TableMode(mode)];
}

const StageSetup& GetTexturedStageSetup(int index) {
    return kTexturedSetups[static_cast<std::size_t>(index)];
}

int TexturedStageSetupIndex(int kind, int blend_image, int diffuse_colour, int diffuse_alpha,
                            int alpha_kind) {
    return 24 * kind + 12 * blend_image + 6 * diffuse_colour + 3 * diffuse_alpha + alpha_kind;
}

const StageSetup& GetUntexturedStageSetup(int mode) {
    return kUntexturedSetups[static_cast<std::size_t>(TableMode(mode))];
}

}  // namespace layer
