#pragma once

#include "layer/softrender/bright_stage.h"
#include "layer/softrender/textured_store_fade.h"

namespace layer {

// BlendInvertedSource: the destination moves toward the texel's negative, which the bright
// colour then darkens. No parameter value has a path of its own.
struct InvertedTarget {
    template <class L, bool kWhite, int kChannel>
    static int Of(const TexturedContext& c, int, int s) {
        return Brighten<kWhite, kChannel>(c, ChannelMax<L, kChannel> - s);
    }
};

using StoreInverted = FadeStore<InvertedTarget>;

}  // namespace layer
