#pragma once

#include <cstdint>
#include <type_traits>

#include "layer/softrender/packed_ops.h"
#include "layer/softrender/textured_term.h"

namespace layer {

// BlendAdditive: the source term is added to the whole pixel in one saturating word
// operation, which rewrites byte 3 of a 32-bit pixel with red's carry.
struct StoreAdditive {
    static constexpr bool kSkipsAlphaZero = true;

    template <class L>
    static typename L::Word Add(typename L::Word d, std::uint32_t term) {
        if constexpr (std::is_same_v<L, Layout32>) {
            return PackedAdd32Restore(d, term);
        } else {
            return static_cast<std::uint16_t>(PackedAdd16Restore(d, term));
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

// BlendAdditive at parameter 255, chosen once per draw: the parameter's product row is then
// the identity, so an opaque texel without a blend image adds its colour after the bright
// colour stage as it is. Every other pixel takes the general store; the results are the same.
struct StoreAdditiveFull : StoreAdditive {
    template <class L, bool kBlend, bool kWhite>
    static typename L::Word Opaque(const TexturedContext& c, typename L::Word d,
                                   std::uint32_t colour, std::uint32_t w) {
        if constexpr (kBlend) {
            return StoreAdditive::Opaque<L, kBlend, kWhite>(c, d, colour, w);
        } else if constexpr (kWhite) {
            // The add reads only the colour channels of the term.
            return Add<L>(d, colour);
        } else {
            return Add<L>(d, MapChannels<L>(0, colour, [&](auto ch, int, int s) {
                              return Brighten<kWhite, decltype(ch)::value>(c, s);
                          }));
        }
    }
};

}  // namespace layer
