#include "layer/softrender/constant_colour_loops.h"

#include <array>
#include <cstddef>
#include <utility>

#include "layer/softrender/pixel_access.h"

namespace layer {
namespace {

template <class L, int kCode>
void ConstantSpan(const ConstantColour& colour, std::uint8_t* dest, int count) {
    using Word = typename L::Word;
    for (; count > 0; --count, dest += sizeof(Word)) {
        StorePixel<Word>(dest, CombineConstant<L, kCode>(colour, LoadPixel<Word>(dest)));
    }
}

template <class L, int kCode>
void ConstantLine(const ConstantColour& colour, std::uint8_t* dest, int major, int minor,
                  std::int64_t major_step, std::int64_t minor_step) {
    using Word = typename L::Word;
    int error = 0;
    for (int i = 0; i < major; ++i) {
        StorePixel<Word>(dest, CombineConstant<L, kCode>(colour, LoadPixel<Word>(dest)));
        dest += major_step;
        error += minor;
        if (error >= major) {
            dest += minor_step;
            error -= major;
        }
    }
}

template <class L, int kCode>
constexpr std::pair<int, ConstantLoops> Entry() {
    return {kCode, ConstantLoops{&ConstantSpan<L, kCode>, &ConstantLine<L, kCode>}};
}

template <class L>
constexpr std::array<std::pair<int, ConstantLoops>, 7> kLoops = {
    Entry<L, BlendNone>(),         Entry<L, BlendTranslucent>(), Entry<L, BlendAdditive>(),
    Entry<L, BlendSubtractive>(),  Entry<L, BlendMultiply>(),    Entry<L, BlendInvertedSource>(),
    Entry<L, BlendMultiplyFaded>()};

}  // namespace

ConstantLoops SelectConstantLoops(bool bits32, int code) {
    const auto& loops = bits32 ? kLoops<Layout32> : kLoops<Layout16>;
    for (const auto& [entry_code, entry] : loops) {
        if (entry_code == code) {
            return entry;
        }
    }
    return {};
}

}  // namespace layer
