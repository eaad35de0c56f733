#pragma once

#include <cstdint>
#include <type_traits>

#include "layer/softrender/packed_saturate.h"
#include "layer/softrender/textured_term.h"

namespace layer {

// BlendAdditive: the source term is added to the whole pixel in one saturating word
// operation, which rewrites byte 3 of a 32-bit pixel with red's carry.
struct StoreAdditive {
    static constexpr bool kSkipsAlphaZero = true;

    template <class L>
    static typename L::Word Add(typename L::Word d, std::uint32_t term) {
        if constexpr (std::is_same_v<L, Layout32>) {
            return PackedAddSaturate32(d, term);
        } else {
            return PackedAddSaturate16(d, term);
        }
    }

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Opaque(const TexturedContext& c, typename L::Word d,
                                   std::uint32_t colour, std::uint32_t w) {
        return Add<L>(d, OpaqueTerm<L, kBlend, kWhite>(c, colour, w));
    }

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Alpha(const TexturedContext& c, typename L::Word d,
                                  std::uint32_t colour, std::uint32_t a, std::uint32_t w) {
        return Add<L>(d, AlphaTerm<L, kBlend, kWhite>(c, colour, a, w));
    }
};

}  // namespace layer
