#include "layer/softrender/textured_span_table.h"

#include <array>
#include <cstddef>
#include <tuple>
#include <utility>

#include "layer/softrender/draw_state.h"
#include "layer/softrender/texel_source.h"
#include "layer/softrender/textured_pipeline.h"
#include "layer/softrender/textured_store_additive.h"
#include "layer/softrender/textured_store_inverted.h"
#include "layer/softrender/textured_store_multiply.h"
#include "layer/softrender/textured_store_multiply_faded.h"
#include "layer/softrender/textured_store_none.h"
#include "layer/softrender/textured_store_subtractive.h"
#include "layer/softrender/textured_store_translucent.h"

namespace layer {
namespace {

using Sources = std::tuple<SourceDirect32, SourcePalette32, SourceDirect16, SourcePalette16>;
using Stores = std::tuple<StoreNone, StoreTranslucent, StoreAdditive, StoreSubtractive,
                          StoreMultiply, StoreInverted, StoreMultiplyFaded, StoreAdditiveFull>;
// BlendMode code of each store, in the order of Stores, and whether the store serves only
// the parameter 255.
constexpr std::array<int, 8> kStoreCodes = {0, 1, 2, 3, 4, 10, 11, 2};
constexpr std::array<bool, 8> kFullParameterOnly = {false, false, false, false,
                                                    false, false, false, true};

constexpr std::size_t kVariants = std::tuple_size_v<Sources>;
constexpr std::size_t kCodes = std::tuple_size_v<Stores>;
constexpr std::size_t kEntries = kVariants * kCodes * 16;

// Entry index: variant, store, then the four flags blend, white, alpha, trans as bits 3..0.
template <std::size_t kIndex>
constexpr TexturedSpanFn MakeEntry() {
    using Source = std::tuple_element_t<kIndex / (kCodes * 16), Sources>;
    using Store = std::tuple_element_t<kIndex / 16 % kCodes, Stores>;
    constexpr bool kBlend = kIndex & 8;
    constexpr bool kWhite = kIndex & 4;
    // Palette sources never consult the alpha flag.
    constexpr bool kAlpha = (kIndex & 2) && !Source::kPalette;
    constexpr bool kTrans = kIndex & 1;
    return &TexturedSpan<Source, Store, kBlend, kWhite, kAlpha, kTrans>;
}

template <std::size_t... kIndices>
constexpr std::array<TexturedSpanFn, kEntries> MakeTable(std::index_sequence<kIndices...>) {
    return {MakeEntry<kIndices>()...};
}

constexpr std::array<TexturedSpanFn, kEntries> kSpanTable =
    MakeTable(std::make_index_sequence<kEntries>{});

}  // namespace

TexturedSpanFn SelectTexturedSpan(TexelVariant variant, int code, int parameter, bool blend_image,
                                  bool white, bool alpha, bool trans) {
    const bool full_additive = code == BlendAdditive && parameter == 255;
    for (std::size_t store = 0; store < kCodes; ++store) {
        if (kStoreCodes[store] == code && kFullParameterOnly[store] == full_additive) {
            const std::size_t index = (static_cast<std::size_t>(variant) * kCodes + store) * 16 +
                                      (blend_image ? 8 : 0) + (white ? 4 : 0) + (alpha ? 2 : 0) +
                                      (trans ? 1 : 0);
            return kSpanTable[index];
        }
    }
    return nullptr;
}

}  // namespace layer
