#pragma once

// The two constant tables that decide how a blend mode draws on the 3D side: the blend factors
// and stage kind of each mode, and the texture-stage programmes.

#include "layer/graphics/direct3d_context.h"

namespace layer {

// A texture-stage programme: `count` stages, then a terminating stage that disables both
// operations (when there is room for one).
struct StageSetup {
    int count = 0;
    StageCodes stages[kStageCount];
};

// One blend mode: source and destination factor (-1 keeps the device's) and stage kind
// (0 plain, 1 faded multiply, 2 inverted source).
struct BlendRow {
    int source;
    int dest;
    int kind;
};

// The row of a blend mode; codes outside 0 to 11 draw as 0.
const BlendRow& GetBlendRow(int mode);
// The textured programme 24 kind + 12 (blend image) + 6 (diffuse colour) + 3 (diffuse alpha) + c,
// where c is 1 for the texture's alpha channel, 2 for its alpha test only, else 0.
const StageSetup& GetTexturedStageSetup(int index);
int TexturedStageSetupIndex(int kind, int blend_image, int diffuse_colour, int diffuse_alpha,
                            int alpha_kind);
// The untextured programme of a blend mode.
const StageSetup& GetUntexturedStageSetup(int mode);

}  // namespace layer
