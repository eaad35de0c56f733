#pragma once

#include <cstdint>
#include <type_traits>

namespace layer {

// The two destination layouts of the software renderer, channel 0 blue, 1 green, 2 red.
// Every blend works on the channels in their own widths; 16-bit fields are never widened.
struct Layout32 {
    using Word = std::uint32_t;
    static constexpr int kShift[3] = {0, 8, 16};
    static constexpr int kBits[3] = {8, 8, 8};
    // Byte 3 carries no colour and is kept by every per-channel store.
    static constexpr Word Kept(Word pixel) { return pixel & 0xFF000000u; }
};

struct Layout16 {
    using Word = std::uint16_t;
    static constexpr int kShift[3] = {0, 5, 11};
    static constexpr int kBits[3] = {5, 6, 5};
    static constexpr Word Kept(Word) { return 0; }
};

template <class L, int kChannel>
constexpr int ChannelMax = (1 << L::kBits[kChannel]) - 1;

template <class L, int kChannel>
constexpr int GetChannel(std::uint32_t pixel) {
    return static_cast<int>(pixel >> L::kShift[kChannel]) & ChannelMax<L, kChannel>;
}

// Rebuilds a pixel channel by channel: f(channel, d, s) gets the channel index as an
// integral constant and the two channel values, and returns the new channel value.
template <class L, class F>
inline typename L::Word MapChannels(typename L::Word dest, std::uint32_t source, F&& f) {
    using Word = typename L::Word;
    const auto one = [&](auto channel) {
        constexpr int kChannel = decltype(channel)::value;
        const int value =
            f(channel, GetChannel<L, kChannel>(dest), GetChannel<L, kChannel>(source));
        return static_cast<std::uint32_t>(value) << L::kShift[kChannel];
    };
    return static_cast<Word>(L::Kept(dest) | one(std::integral_constant<int, 0>{}) |
                             one(std::integral_constant<int, 1>{}) |
                             one(std::integral_constant<int, 2>{}));
}

// Packs three channel values into a pixel of the layout.
template <class L>
constexpr std::uint32_t PackChannels(int blue, int green, int red) {
    return static_cast<std::uint32_t>(blue) << L::kShift[0] |
           static_cast<std::uint32_t>(green) << L::kShift[1] |
           static_cast<std::uint32_t>(red) << L::kShift[2];
}

}  // namespace layer
