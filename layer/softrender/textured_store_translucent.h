#pragma once

#include "layer/softrender/bright_stage.h"
#include "layer/softrender/textured_store_fade.h"

namespace layer {

// BlendTranslucent: the destination moves toward the texel after the bright colour stage.
// Parameter 255 draws as BlendNone and 0 draws nothing; neither reaches this store.
struct TranslucentTarget {
    template <class L, bool kWhite, int kChannel>
    static int Of(const TexturedContext& c, int, int s) {
        return Brighten<kWhite, kChannel>(c, s);
    }
};

using StoreTranslucent = FadeStore<TranslucentTarget>;

}  // namespace layer
