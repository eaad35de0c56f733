#include "tests/layer/softrender/reference_poly_pixel_rules.h"

#include <algorithm>
#include <array>

namespace reference_poly {
namespace {

struct Channel {
    int shift;
    int bits;
    int bright_shift;
};

// Blue, green, red.
constexpr std::array<Channel, 3> kChannels32 = {{{0, 8, 0}, {8, 8, 8}, {16, 8, 16}}};
constexpr std::array<Channel, 3> kChannels16 = {{{0, 5, 0}, {5, 6, 8}, {11, 5, 16}}};

const std::array<Channel, 3>& ChannelsOf(bool bits32) {
    return bits32 ? kChannels32 : kChannels16;
}

int Max(const Channel& ch) {
    return (1 << ch.bits) - 1;
}
int Get(std::uint32_t pixel, const Channel& ch) {
    return (pixel >> ch.shift) & Max(ch);
}
int BrightOf(std::uint32_t bright, const Channel& ch) {
    return (bright >> ch.bright_shift) & 0xFF;
}
bool IsWhite(std::uint32_t bright) {
    return (bright & 0xFFFFFF) == 0xFFFFFF;
}

// a * b / 255 rounded down, and p * k / 255 truncated toward zero.
int Product(int a, int b) {
    return a * b / 255;
}
int Difference(int p, int k) {
    return p * k / 255;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && (a < 0) != (b < 0)) {
        --q;
    }
    return q;
}

// d moved toward t by f / 2^k, rounded toward minus infinity.
int Fade(int d, int t, std::int64_t f, int k) {
    return d + static_cast<int>(FloorDiv(static_cast<std::int64_t>(t - d) * f, 1LL << k));
}

bool IsDrawnCode(int code) {
    return (code >= 0 && code <= 4) || code == 10 || code == 11;
}

// Codes that draw nothing, and the parameter values that change a code.
std::optional<int> EffectiveCode(int code, int p) {
    if (!IsDrawnCode(code)) {
        return std::nullopt;
    }
    if ((code == 1 || code == 2 || code == 3) && p == 0) {
        return std::nullopt;
    }
    if (code == 1 && p == 255) {
        return 0;
    }
    return code;
}

struct Channels {
    int blue, green, red;
};

Channels Split(bool bits32, std::uint32_t pixel) {
    const auto& chs = ChannelsOf(bits32);
    return {Get(pixel, chs[0]), Get(pixel, chs[1]), Get(pixel, chs[2])};
}

// Saturating sums and differences as the packed word operations yield them: green and red
// are added on their upper bits, their lowest bit comes from an OR (or a borrow guard).
std::uint32_t AddSaturate(bool bits32, std::uint32_t dest, std::uint32_t term) {
    const Channels d = Split(bits32, dest);
    const Channels t = Split(bits32, term);
    if (bits32) {
        const int sum_blue = d.blue + t.blue;
        const int carry_blue = sum_blue > 255;
        const int half_green = (d.green >> 1) + (t.green >> 1);
        const int carry_green = half_green > 127;
        const int green =
            carry_green ? 255 : 2 * half_green + (((d.green | t.green) & 1) | carry_blue);
        const int half_red = (d.red >> 1) + (t.red >> 1);
        const int carry_red = half_red > 127;
        const int red = carry_red ? 255 : 2 * half_red + (((d.red | t.red) & 1) | carry_green);
        return static_cast<std::uint32_t>(std::min(255, sum_blue) | green << 8 | red << 16 |
                                          carry_red << 24);
    }
    const int sum_blue = d.blue + t.blue;
    const int carry_blue = sum_blue > 31;
    const int half_green = (d.green >> 1) + (t.green >> 1);
    const int carry_green = half_green > 31;
    const int low_green = ((d.green | t.green) & 1) | carry_blue;
    const int green = carry_green ? 62 + low_green : 2 * half_green + low_green;
    const int half_red = (d.red >> 1) + (t.red >> 1);
    const int red = half_red > 15 ? 31 : 2 * half_red + (((d.red | t.red) & 1) | carry_green);
    return static_cast<std::uint32_t>(std::min(31, sum_blue) | green << 5 | red << 11);
}

std::uint32_t SubtractSaturate(bool bits32, std::uint32_t dest, std::uint32_t term) {
    const Channels d = Split(bits32, dest);
    const Channels t = Split(bits32, term);
    const int blue = std::max(0, d.blue - t.blue);
    const int borrow_blue = t.blue > d.blue;
    const int borrow_green = (d.green >> 1) < (t.green >> 1);
    const int borrow_red = (d.red >> 1) < (t.red >> 1);
    const int red = borrow_red ? 0 : 2 * ((d.red >> 1) - (t.red >> 1)) + (borrow_green ? 0 : 1);
    if (bits32) {
        const int green =
            borrow_green ? 0 : 2 * ((d.green >> 1) - (t.green >> 1)) + (borrow_blue ? 0 : 1);
        return static_cast<std::uint32_t>(blue | green << 8 | red << 16);
    }
    const int green = borrow_green ? 0 : 2 * ((d.green >> 1) - (t.green >> 1));
    return static_cast<std::uint32_t>(blue | green << 5 | red << 11);
}

std::uint32_t Pack(bool bits32, const std::array<int, 3>& values, std::uint32_t high) {
    const auto& chs = ChannelsOf(bits32);
    std::uint32_t pixel = high;
    for (int i = 0; i < 3; ++i) {
        pixel |= static_cast<std::uint32_t>(values[i]) << chs[i].shift;
    }
    return pixel;
}

}  // namespace

std::optional<std::uint32_t> TexturedPixel(const Texel& texel, const Settings& settings,
                                           std::uint32_t dest) {
    const std::optional<int> effective = EffectiveCode(settings.code, settings.p);
    if (!effective) {
        return std::nullopt;
    }
    const int code = *effective;
    const int p = settings.p;
    const bool bits32 = texel.bits32;
    const bool alpha_source = texel.alpha && !texel.palette;

    std::uint32_t colour = 0;
    int a = 255;
    if (texel.palette) {
        colour = bits32 ? texel.palette_entry : texel.palette_entry & 0xFFFF;
    } else if (bits32) {
        colour = texel.stored;
        a = static_cast<int>(texel.stored >> 24);
    } else {
        colour = texel.stored & 0xFFFF;
        a = static_cast<int>((texel.stored >> 16) & 0xFF);
    }

    if (texel.trans_flag && !alpha_source && texel.stored == texel.trans_colour) {
        return std::nullopt;
    }
    bool alpha_form = false;
    if (alpha_source) {
        if (texel.trans_flag) {
            // The multiply blend darkens with alpha 0 where every other code skips it.
            if (a == 0 && code != 4) {
                return std::nullopt;
            }
            alpha_form = a != 255;
        } else {
            alpha_form = true;
        }
    }

    const bool white = IsWhite(settings.bright);
    const bool blend = settings.weight.has_value();
    const int w = settings.weight.value_or(0);
    const auto& chs = ChannelsOf(bits32);
    auto brighten = [&](int i, int s) {
        return white ? s : Product(BrightOf(settings.bright, chs[i]), s);
    };

    if (code == 0 && !alpha_form && !blend && white) {
        return bits32 ? colour : colour & 0xFFFF;
    }

    if (code == 2 || code == 3) {
        std::array<int, 3> terms{};
        for (int i = 0; i < 3; ++i) {
            const int s = Get(colour, chs[i]);
            if (bits32) {
                const std::uint64_t s1 = static_cast<std::uint64_t>(brighten(i, s));
                if (!blend) {
                    terms[i] = alpha_form ? static_cast<int>((s1 * a * p) >> 16) : Product(p, s1);
                } else {
                    terms[i] = alpha_form ? static_cast<int>((s1 * w * a * p) >> 24)
                                          : static_cast<int>((s1 * w * p) >> 16);
                }
            } else if (!blend) {
                terms[i] =
                    alpha_form ? Product(p, brighten(i, (s * a) >> 8)) : Product(p, brighten(i, s));
            } else {
                terms[i] = alpha_form ? Product(p, (brighten(i, s) * w * a) >> 16)
                                      : Product(p, (brighten(i, s) * w) >> 8);
            }
        }
        const std::uint32_t term = Pack(bits32, terms, 0);
        return code == 2 ? AddSaturate(bits32, dest, term) : SubtractSaturate(bits32, dest, term);
    }

    std::array<int, 3> out{};
    for (int i = 0; i < 3; ++i) {
        const int d = Get(dest, chs[i]);
        const int s = Get(colour, chs[i]);
        const int bits = chs[i].bits;
        const bool plain = !blend && !alpha_form;
        int v = 0;
        switch (code) {
            case 0: {
                const int s1 = brighten(i, s);
                if (plain) {
                    v = s1;
                } else {
                    const std::int64_t f = (blend ? w : 1) * (alpha_form ? a : 1);
                    v = Fade(d, s1, f, 8 * (blend + alpha_form));
                }
                break;
            }
            case 1:
            case 10:
            case 11: {
                int target = 0;
                if (code == 1) {
                    target = brighten(i, s);
                } else if (code == 10) {
                    target = brighten(i, Max(chs[i]) - s);
                } else {
                    target = (brighten(i, s) * d) >> bits;
                }
                const bool green_in_steps = code == 11 && !bits32 && alpha_source && alpha_form &&
                                            !blend && white && i == 1;
                if (plain && !bits32) {
                    v = d + Difference(p, target - d);
                } else if (green_in_steps) {
                    const int g = s * d / 2;
                    v = d + static_cast<int>(
                                FloorDiv(static_cast<std::int64_t>(g - 32 * d) * a * p, 1 << 21));
                } else {
                    const std::int64_t f =
                        static_cast<std::int64_t>(p) * (blend ? w : 1) * (alpha_form ? a : 1);
                    v = Fade(d, target, f, 8 * (1 + blend + alpha_form));
                }
                break;
            }
            case 4: {
                const std::uint64_t s1 = static_cast<std::uint64_t>(brighten(i, s));
                const std::uint64_t product =
                    s1 * static_cast<std::uint64_t>(d) * (blend ? w : 1) * (alpha_form ? a : 1);
                v = static_cast<int>(product >> (bits + 8 * (blend + alpha_form)));
                break;
            }
        }
        out[i] = v;
    }
    return Pack(bits32, out, bits32 ? dest & 0xFF000000u : 0);
}

std::optional<std::uint32_t> ConstantColourPixel(bool bits32, std::uint32_t colour,
                                                 const Settings& settings, BrightStep step,
                                                 std::uint32_t dest) {
    const std::optional<int> effective = EffectiveCode(settings.code, settings.p);
    if (!effective) {
        return std::nullopt;
    }
    const int code = *effective;
    const int p = settings.p;
    if (!bits32) {
        colour &= 0xFFFF;
    }
    const auto& chs = ChannelsOf(bits32);
    const bool white = IsWhite(settings.bright);
    std::array<int, 3> c{};
    for (int i = 0; i < 3; ++i) {
        const int value = Get(colour, chs[i]);
        const int b = BrightOf(settings.bright, chs[i]);
        if (step == BrightStep::kTriangle) {
            c[i] = Product(b, value);
        } else {
            c[i] = white ? value : (value * b) >> 8;
        }
    }
    const std::uint32_t high = bits32 ? dest & 0xFF000000u : 0;
    if (code == 0) {
        return Pack(bits32, c, bits32 ? colour & 0xFF000000u : 0);
    }
    if (code == 2 || code == 3) {
        std::array<int, 3> terms{};
        for (int i = 0; i < 3; ++i) {
            terms[i] = Product(p, c[i]);
        }
        const std::uint32_t term = Pack(bits32, terms, 0);
        return code == 2 ? AddSaturate(bits32, dest, term) : SubtractSaturate(bits32, dest, term);
    }
    std::array<int, 3> out{};
    for (int i = 0; i < 3; ++i) {
        const int d = Get(dest, chs[i]);
        const int bits = chs[i].bits;
        int target = 0;
        switch (code) {
            case 4:
                out[i] = (d * c[i]) >> bits;
                continue;
            case 1:
                target = c[i];
                break;
            case 10:
                target = Max(chs[i]) - c[i];
                break;
            case 11:
                target = (d * c[i]) >> bits;
                break;
        }
        out[i] = bits32 ? Fade(d, target, p, 8) : d + Difference(p, target - d);
    }
    return Pack(bits32, out, high);
}

}  // namespace reference_poly
