#pragma once

#include <cstdint>
#include <type_traits>

#include "layer/softrender/packed_ops.h"
#include "layer/softrender/textured_term.h"

namespace layer {

// BlendSubtractive: the source term is taken from the whole pixel in one saturating word
// operation; a 32-bit pixel's byte 3 becomes 0, and a zero term still sets the guard bits.
struct StoreSubtractive {
    static constexpr bool kSkipsAlphaZero = true;

    template <class L>
    static typename L::Word Subtract(typename L::Word d, std::uint32_t term) {
        if constexpr (std::is_same_v<L, Layout32>) {
            return PackedSub32(d, term);
        } else {
            return static_cast<std::uint16_t>(PackedSub16(d, term));
        }
    }

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Opaque(const TexturedContext& c, typename L::Word d,
                                   std::uint32_t colour, std::uint32_t w) {
        return Subtract<L>(d, OpaqueTerm<L, kBlend, kWhite>(c, colour, w));
    }

    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Alpha(const TexturedContext& c, typename L::Word d,
                                  std::uint32_t colour, std::uint32_t a, std::uint32_t w) {
        return Subtract<L>(d, AlphaTerm<L, kBlend, kWhite>(c, colour, a, w));
    }
};

}  // namespace layer
