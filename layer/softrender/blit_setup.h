#pragma once

#include "layer/core/rect.h"
#include "layer/softrender/blit_rows.h"
#include "layer/softrender/draw_state.h"
#include "layer/softrender/memimg.h"

namespace layer::blit {

// What both blits settle once per draw before any pixel.
struct BlitSetup {
    RowChoice choice;
    Context context{};
    // The draw area limited to the destination.
    Rect area;
    int source_bytes = 0;
    int destination_bytes = 0;
};

// Refusals shared by both blits: invalid images, a destination with palette or alpha or of
// another colour type than the source, a source that is not colour type 0 or 1, and a blend
// image that is not colour type 2 or smaller than the source. Then the gates of the blend
// mode and its parameter. True when the draw goes on; `setup` is then filled.
bool PrepareBlit(const MEMIMG* destination, const MEMIMG* source, const MEMIMG* blend_image,
                 int transparency, const SoftDrawState& state, BlitSetup* setup);

}  // namespace layer::blit
