#pragma once

#include "layer/softrender/textured_context.h"

namespace layer {

enum class TexelVariant : int { kDirect32 = 0, kPalette32 = 1, kDirect16 = 2, kPalette16 = 3 };

// The span loop of one combination: source variant, BlendMode code (0 to 4, 10, 11), blend
// parameter (additive has its own loops at 255), blend image, white bright colour, source
// alpha flag (direct sources only) and transparency flag. Null for a code that draws nothing.
TexturedSpanFn SelectTexturedSpan(TexelVariant variant, int code, int parameter, bool blend_image,
                                  bool white, bool alpha, bool trans);

}  // namespace layer
