#include "tests/layer/softrender/reference_blit.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "layer/softrender/blend_tables.h"

namespace reference {

using layer::MEMIMG;
using layer::Rect;
using layer::SoftDrawState;

namespace {

enum class Route { Plain, RunTable, Scaled };

// Floor of a / b for b > 0, spelled out rather than shifted.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && a < 0) {
        q -= 1;
    }
    return q;
}

int Product(int i, int j) {
    return i * j / 255;
}
int Difference(int p, int k) {
    return p * k / 255;
}
int Mix64(int j, int s, int d) {
    return (s * j + d * (63 - j)) / 63;
}

// d + floor((s - d) * f1 * ... * fn / 256^n).
int Mix(int d, int s, const std::vector<int>& factors) {
    std::int64_t product = 1;
    std::int64_t scale = 1;
    for (int f : factors) {
        product *= f;
        scale *= 256;
    }
    return static_cast<int>(d + FloorDiv((s - d) * product, scale));
}

std::int64_t ProductOf(const std::vector<int>& factors) {
    std::int64_t product = 1;
    for (int f : factors) {
        product *= f;
    }
    return product;
}

std::vector<int> With(std::vector<int> factors, int extra) {
    factors.push_back(extra);
    return factors;
}

// Channel layouts: index 0 blue, 1 green, 2 red.
struct Layout {
    int shift[3];
    int width[3];
    int max[3];
};
constexpr Layout kWide{{0, 8, 16}, {8, 8, 8}, {255, 255, 255}};
constexpr Layout kNarrow{{0, 5, 11}, {5, 6, 5}, {31, 63, 31}};

struct Channels {
    int c[3];
};

Channels Split(std::uint32_t value, const Layout& layout) {
    Channels out{};
    for (int i = 0; i < 3; ++i) {
        out.c[i] = static_cast<int>((value >> layout.shift[i]) & layout.max[i]);
    }
    return out;
}

std::uint32_t Join(const Channels& channels, const Layout& layout) {
    std::uint32_t value = 0;
    for (int i = 0; i < 3; ++i) {
        value |= static_cast<std::uint32_t>(channels.c[i]) << layout.shift[i];
    }
    return value;
}

std::uint32_t Byte(std::uint32_t value, int index) {
    return (value >> (8 * index)) & 0xFF;
}

std::uint32_t SaturatingBytes(std::uint32_t d, std::uint32_t s, bool add) {
    std::uint32_t out = 0;
    for (int i = 0; i < 4; ++i) {
        const int a = static_cast<int>(Byte(d, i));
        const int b = static_cast<int>(Byte(s, i));
        const int r = add ? std::min(255, a + b) : std::max(0, a - b);
        out |= static_cast<std::uint32_t>(r) << (8 * i);
    }
    return out;
}

struct Draw {
    const MEMIMG* source = nullptr;
    const MEMIMG* blend_image = nullptr;
    bool wide = false;
    bool palette = false;
    bool alpha = false;
    int mode = 0;
    int p = 0;
    std::uint32_t bright = 0xFFFFFF;
    bool bright_on = false;
    bool trans = false;
    bool mmx = false;
    Route route = Route::Plain;
    std::uint32_t trans_color = 0;

    const Layout& layout() const { return wide ? kWide : kNarrow; }
    int BrightComponent(int channel) const {
        return static_cast<int>((bright >> (8 * channel)) & 0xFF);
    }
    bool PlainSource() const { return !alpha && blend_image == nullptr && !bright_on; }
};

struct Sample {
    std::uint32_t raw = 0;  // the stored source pixel: a 4- or 2-byte value, or an index
    int run_class = 1;
    int blend_byte = 0;
};

std::uint32_t ReadPixel(const MEMIMG& image, int x, int y) {
    const int bytes = image.Body->Format->bytes_per_pixel;
    std::uint32_t value = 0;
    std::memcpy(&value,
                image.Pixels + std::int64_t{y} * image.Body->Pitch + std::int64_t{x} * bytes,
                bytes);
    return value;
}

void WritePixel(MEMIMG& image, int x, int y, std::uint32_t value) {
    const int bytes = image.Body->Format->bytes_per_pixel;
    std::memcpy(image.Pixels + std::int64_t{y} * image.Body->Pitch + std::int64_t{x} * bytes,
                &value, bytes);
}

std::uint32_t PaletteEntryOf(const Draw& draw, std::uint32_t index) {
    const std::uint8_t* palette = draw.source->Body->Palette;
    std::uint32_t entry = 0;
    std::memcpy(&entry, palette + index * (draw.wide ? 4 : 2), draw.wide ? 4 : 2);
    return entry;
}

// The colour a sample supplies: a whole 32-bit pixel, or a 16-bit colour word.
std::uint32_t ColourOf(const Draw& draw, const Sample& sample) {
    if (draw.palette) {
        return PaletteEntryOf(draw, sample.raw);
    }
    return draw.wide ? sample.raw : (sample.raw & 0xFFFF);
}

bool IsTransparent(const Draw& draw, const Sample& sample) {
    if (draw.route == Route::RunTable) {
        return sample.run_class == 0;
    }
    if (!draw.trans || draw.alpha) {
        return false;
    }
    // Indices and 16-bit pixels are zero-extended and compared with the whole value.
    return sample.raw == draw.trans_color;
}

bool IsPairDraw(const Draw& draw) {
    return !draw.wide && draw.route == Route::Plain && draw.PlainSource() && draw.p == 255 &&
           (draw.mode == layer::BlendAdditive || draw.mode == layer::BlendSubtractive);
}

std::uint32_t Wide(const Draw& draw, std::uint32_t dst, std::uint32_t colour,
                   const std::vector<int>& factors) {
    const Layout& layout = kWide;
    const Channels d = Split(dst, layout);
    Channels s = Split(colour, layout);
    if (draw.mode == layer::BlendInvertedSource) {
        for (int& c : s.c) {
            c = 255 - c;
        }
    }
    if (draw.bright_on) {
        for (int i = 0; i < 3; ++i) {
            s.c[i] = Product(draw.BrightComponent(i), s.c[i]);
        }
    }
    const std::uint32_t x_kept = dst & 0xFF000000;
    const int n = static_cast<int>(factors.size());
    const std::int64_t product = ProductOf(factors);
    Channels out{};
    switch (draw.mode) {
        case layer::BlendNone:
            if (factors.empty() && !draw.bright_on) {
                return colour;
            }
            for (int i = 0; i < 3; ++i) {
                out.c[i] = factors.empty() ? s.c[i] : Mix(d.c[i], s.c[i], factors);
            }
            return Join(out, layout) | x_kept;
        case layer::BlendTranslucent:
            if (factors.empty() && draw.PlainSource() && draw.route == Route::Plain &&
                draw.p == 128) {
                for (int i = 0; i < 3; ++i) {
                    out.c[i] = (s.c[i] >> 1) + (d.c[i] >> 1);
                }
                return Join(out, layout);
            }
            [[fallthrough]];
        case layer::BlendInvertedSource:
            for (int i = 0; i < 3; ++i) {
                out.c[i] = Mix(d.c[i], s.c[i], With(factors, draw.p));
            }
            return Join(out, layout) | x_kept;
        case layer::BlendMultiplyFaded:
            for (int i = 0; i < 3; ++i) {
                out.c[i] = Mix(d.c[i], (d.c[i] * s.c[i]) >> 8, With(factors, draw.p));
            }
            return Join(out, layout) | x_kept;
        case layer::BlendMultiply:
            for (int i = 0; i < 3; ++i) {
                out.c[i] = static_cast<int>(FloorDiv(std::int64_t{d.c[i]} * s.c[i] * product,
                                                     std::int64_t{1} << (8 * (1 + n))));
            }
            return Join(out, layout) | x_kept;
        default:
            break;
    }
    const bool add = draw.mode == layer::BlendAdditive;
    const bool full_shortcut =
        draw.PlainSource() && draw.p == 255 &&
        (draw.route == Route::Plain || (!add && draw.route == Route::Scaled));
    if (full_shortcut) {
        if (draw.mmx) {
            return SaturatingBytes(dst, colour, add);
        }
        return add ? PackedAdd32(dst, colour, false) : PackedSub32(dst, colour);
    }
    for (int i = 0; i < 3; ++i) {
        out.c[i] = factors.empty() ? Product(draw.p, s.c[i])
                                   : static_cast<int>(FloorDiv(s.c[i] * product * draw.p,
                                                               std::int64_t{1} << (8 * (n + 1))));
    }
    const std::uint32_t t = Join(out, layout);
    return add ? PackedAdd32(dst, t, true) : PackedSub32(dst, t);
}

std::uint32_t Narrow(const Draw& draw, std::uint32_t dst, std::uint32_t colour,
                     const std::vector<int>& factors, int alpha) {
    const Layout& layout = kNarrow;
    const Channels d = Split(dst, layout);
    const Channels raw = Split(colour, layout);
    Channels s = raw;
    if (draw.mode == layer::BlendInvertedSource) {
        s = Split(~colour & 0xFFFF, layout);
    }
    if (draw.bright_on) {
        for (int i = 0; i < 3; ++i) {
            s.c[i] = Product(draw.BrightComponent(i), s.c[i]);
        }
    }
    const int n = static_cast<int>(factors.size());
    const std::int64_t product = ProductOf(factors);
    const bool only_alpha = draw.alpha && draw.blend_image == nullptr && n == 1;
    Channels out{};
    switch (draw.mode) {
        case layer::BlendNone:
            if (factors.empty() && !draw.bright_on) {
                return colour;
            }
            for (int i = 0; i < 3; ++i) {
                out.c[i] = factors.empty() ? s.c[i] : Mix(d.c[i], s.c[i], factors);
            }
            return Join(out, layout);
        case layer::BlendTranslucent:
            if (factors.empty() && draw.PlainSource() && draw.route == Route::Plain) {
                for (int i = 0; i < 3; ++i) {
                    out.c[i] = draw.p == 128 ? (s.c[i] >> 1) + (d.c[i] >> 1)
                                             : Mix64(draw.p / 4, s.c[i], d.c[i]);
                }
                return Join(out, layout);
            }
            [[fallthrough]];
        case layer::BlendInvertedSource:
            for (int i = 0; i < 3; ++i) {
                out.c[i] = factors.empty() ? d.c[i] + Difference(draw.p, s.c[i] - d.c[i])
                                           : Mix(d.c[i], s.c[i], With(factors, draw.p));
            }
            return Join(out, layout);
        case layer::BlendMultiplyFaded:
            for (int i = 0; i < 3; ++i) {
                const int m = (d.c[i] * s.c[i]) >> layout.width[i];
                if (factors.empty()) {
                    out.c[i] = d.c[i] + Difference(draw.p, m - d.c[i]);
                } else if (i == 1 && only_alpha && !draw.bright_on) {
                    const std::int64_t mg = (s.c[1] * d.c[1]) >> 1;
                    out.c[i] =
                        static_cast<int>(d.c[1] + FloorDiv((mg - 32 * d.c[1]) * alpha * draw.p,
                                                           std::int64_t{1} << 21));
                } else {
                    out.c[i] = Mix(d.c[i], m, With(factors, draw.p));
                }
            }
            return Join(out, layout);
        case layer::BlendMultiply:
            for (int i = 0; i < 3; ++i) {
                out.c[i] = static_cast<int>(FloorDiv(std::int64_t{d.c[i]} * s.c[i] * product,
                                                     std::int64_t{1} << (layout.width[i] + 8 * n)));
            }
            return Join(out, layout);
        default:
            break;
    }
    const bool add = draw.mode == layer::BlendAdditive;
    for (int i = 0; i < 3; ++i) {
        int x = s.c[i];
        if (!factors.empty()) {
            if (only_alpha) {
                x = static_cast<int>(FloorDiv(std::int64_t{raw.c[i]} * alpha, 256));
                if (draw.bright_on) {
                    x = Product(draw.BrightComponent(i), x);
                }
            } else {
                x = static_cast<int>(FloorDiv(s.c[i] * product, std::int64_t{1} << (8 * n)));
            }
        }
        out.c[i] = Product(draw.p, x);
    }
    const std::uint32_t t = Join(out, layout);
    return add ? PackedAdd16(dst, t, true) : PackedSub16(dst, t);
}

// What one source sample makes of one destination pixel; nothing when it is skipped.
std::optional<std::uint32_t> Pixel(const Draw& draw, std::uint32_t dst, const Sample& sample) {
    const std::uint32_t colour = ColourOf(draw, sample);
    if (IsTransparent(draw, sample)) {
        return std::nullopt;
    }
    std::vector<int> factors;
    if (draw.blend_image != nullptr) {
        factors.push_back(layer::BlendWeight[sample.blend_byte]);
    }
    int alpha = 0;
    if (draw.alpha) {
        alpha = static_cast<int>(draw.wide ? sample.raw >> 24 : (sample.raw >> 16) & 0xFF);
        bool alpha_factor = true;
        if (draw.trans) {
            if (alpha == 0) {
                const bool skips =
                    draw.mode == layer::BlendNone || draw.mode == layer::BlendTranslucent ||
                    draw.mode == layer::BlendAdditive || draw.mode == layer::BlendSubtractive ||
                    (draw.route == Route::Scaled && draw.mode == layer::BlendMultiply);
                if (skips) {
                    return std::nullopt;
                }
            } else if (alpha == 255) {
                alpha_factor = false;
            }
        } else if (draw.route == Route::Plain && draw.mode == layer::BlendNone &&
                   draw.blend_image == nullptr && !draw.bright_on) {
            return colour;
        }
        if (alpha_factor) {
            factors.push_back(alpha);
        }
    }
    return draw.wide ? Wide(draw, dst, colour, factors) : Narrow(draw, dst, colour, factors, alpha);
}

// Draws one destination row from its samples; the 16-bit full-strength additive and
// subtractive draws of the plain blit take the samples two by two.
void DrawRow(const Draw& draw, MEMIMG& destination, int x0, int y,
             const std::vector<Sample>& samples) {
    const int n = static_cast<int>(samples.size());
    if (!IsPairDraw(draw)) {
        for (int i = 0; i < n; ++i) {
            const auto result = Pixel(draw, ReadPixel(destination, x0 + i, y), samples[i]);
            if (result) {
                WritePixel(destination, x0 + i, y, *result);
            }
        }
        return;
    }
    const bool add = draw.mode == layer::BlendAdditive;
    auto single = [&](int i) {
        if (IsTransparent(draw, samples[i])) {
            return;
        }
        const std::uint32_t d = ReadPixel(destination, x0 + i, y);
        const std::uint32_t s = ColourOf(draw, samples[i]);
        WritePixel(destination, x0 + i, y, add ? PackedAdd16(d, s, false) : PackedSub16(d, s));
    };
    for (int i = 0; i < n; i += 2) {
        if (i + 1 < n && !IsTransparent(draw, samples[i]) && !IsTransparent(draw, samples[i + 1])) {
            const std::uint32_t d =
                ReadPixel(destination, x0 + i, y) | (ReadPixel(destination, x0 + i + 1, y) << 16);
            const std::uint32_t s =
                ColourOf(draw, samples[i]) | (ColourOf(draw, samples[i + 1]) << 16);
            const std::uint32_t r = add ? PackedAdd16x2(d, s) : PackedSub16x2(d, s);
            WritePixel(destination, x0 + i, y, r & 0xFFFF);
            WritePixel(destination, x0 + i + 1, y, r >> 16);
        } else {
            single(i);
            if (i + 1 < n) {
                single(i + 1);
            }
        }
    }
}

bool Accepted(const MEMIMG* destination, const MEMIMG* source, const MEMIMG* blend_image) {
    if (layer::TestMemImgValid(destination) == 0 || layer::TestMemImgValid(source) == 0) {
        return false;
    }
    const layer::MemImgBody& d = *destination->Body;
    const layer::MemImgBody& s = *source->Body;
    if (d.ColorType != s.ColorType || d.PaletteFlag != 0 || d.AlphaFlag != 0) {
        return false;
    }
    if (s.ColorType != 0 && s.ColorType != 1) {
        return false;
    }
    if (blend_image != nullptr) {
        if (layer::TestMemImgValid(blend_image) == 0 || blend_image->Body->ColorType != 2 ||
            blend_image->Width < source->Width || blend_image->Height < source->Height) {
            return false;
        }
    }
    return true;
}

// Fills the draw's mode and parameter after the gates; false when nothing is drawn.
bool PassGates(const SoftDrawState& state, Draw* draw) {
    int mode = state.blend_mode;
    const int p = std::clamp(state.blend_parameter, 0, 255);
    const bool known = (mode >= 0 && mode <= 4) || mode == 10 || mode == 11;
    if (!known) {
        return false;
    }
    if ((mode == layer::BlendTranslucent || mode == layer::BlendAdditive ||
         mode == layer::BlendSubtractive) &&
        p == 0) {
        return false;
    }
    if (mode == layer::BlendTranslucent && p == 255) {
        mode = layer::BlendNone;
    }
    draw->mode = mode;
    draw->p = p;
    return true;
}

Draw Describe(const MEMIMG* source, const MEMIMG* blend_image, int transparency,
              const SoftDrawState& state) {
    Draw draw;
    draw.source = source;
    draw.blend_image = blend_image;
    draw.wide = source->Body->ColorType == 1;
    draw.palette = source->Body->PaletteFlag != 0;
    draw.alpha = source->Body->AlphaFlag != 0;
    draw.bright = state.bright_color;
    draw.bright_on = (state.bright_color & 0xFFFFFF) != 0xFFFFFF;
    draw.trans = transparency != 0;
    draw.mmx = state.mmx == 1;
    draw.trans_color = source->Body->TransColor;
    return draw;
}

Rect AreaInside(const SoftDrawState& state, const MEMIMG& destination) {
    Rect area = state.draw_area;
    layer::ClipRect(&area, Rect{0, 0, destination.Width, destination.Height});
    return area;
}

std::int32_t Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Class of every pixel of every row, from the run table.
std::vector<std::vector<int>> RunClasses(const MEMIMG& source) {
    std::vector<std::vector<int>> rows(source.Height);
    const std::uint8_t* run = source.Body->RunTable;
    for (auto& row : rows) {
        while (*run < 0xC0) {
            row.insert(row.end(), (*run & 0x3F) + 1, *run >> 6);
            ++run;
        }
        ++run;
    }
    return rows;
}

}  // namespace

std::uint32_t PackedAdd32(std::uint32_t d, std::uint32_t s, bool restore) {
    const int dB = Byte(d, 0), dG = Byte(d, 1), dR = Byte(d, 2);
    const int sB = Byte(s, 0), sG = Byte(s, 1), sR = Byte(s, 2);
    const int sumB = dB + sB;
    const int carryB = sumB > 255 ? 1 : 0;
    const int B = std::min(255, sumB);
    const int halfG = (dG >> 1) + (sG >> 1);
    const int carryG = halfG >= 128 ? 1 : 0;
    const int lowG = restore ? ((dG | sG) & 1) : 0;
    const int G = carryG ? 255 : (2 * halfG) | carryB | lowG;
    const int halfR = (dR >> 1) + (sR >> 1);
    const int carryR = halfR >= 128 ? 1 : 0;
    const int lowR = restore ? ((dR | sR) & 1) : 0;
    const int R = carryR ? 255 : (2 * halfR) | carryG | lowR;
    return static_cast<std::uint32_t>(B | G << 8 | R << 16 | carryR << 24);
}

std::uint32_t PackedSub32(std::uint32_t d, std::uint32_t s) {
    const int dB = Byte(d, 0), dG = Byte(d, 1), dR = Byte(d, 2);
    const int sB = Byte(s, 0), sG = Byte(s, 1), sR = Byte(s, 2);
    const int B = dB - sB;
    const int borrowB = B < 0 ? 1 : 0;
    const int G = (dG | 1) - (sG & 0xFE) - borrowB;
    const int borrowG = G < 0 ? 1 : 0;
    const int R = (dR | 1) - (sR & 0xFE) - borrowG;
    return static_cast<std::uint32_t>(std::max(B, 0) | std::max(G, 0) << 8 | std::max(R, 0) << 16);
}

namespace {

struct AddResult {
    std::uint32_t value;
    int carry_out_of_red;
};

// One 16-bit pixel added: `blue_halves` takes blue from its upper four bits plus the carry
// `blue_in`, as the second pixel of a pair does.
AddResult AddOne(std::uint32_t d, std::uint32_t s, bool restore, bool blue_halves, int blue_in) {
    const Channels dc = Split(d, kNarrow);
    const Channels sc = Split(s, kNarrow);
    int b = 0;
    int carryB = 0;
    if (blue_halves) {
        const int half = (dc.c[0] >> 1) + (sc.c[0] >> 1);
        carryB = half >= 16 ? 1 : 0;
        b = carryB ? 31 : 2 * half + blue_in;
    } else {
        b = dc.c[0] + sc.c[0];
        carryB = b > 31 ? 1 : 0;
        b = std::min(b, 31);
    }
    const int halfG = (dc.c[1] >> 1) + (sc.c[1] >> 1);
    const int carryG = halfG >= 32 ? 1 : 0;
    const int lowG = restore ? ((dc.c[1] | sc.c[1]) & 1) : 0;
    const int g = (carryG ? 62 : 2 * halfG) | carryB | lowG;
    const int halfR = (dc.c[2] >> 1) + (sc.c[2] >> 1);
    const int carryR = halfR >= 16 ? 1 : 0;
    const int lowR = restore ? ((dc.c[2] | sc.c[2]) & 1) : 0;
    const int r = carryR ? 31 : (2 * halfR) | carryG | lowR;
    return {Join(Channels{{b, g, r}}, kNarrow), carryR};
}

struct SubResult {
    std::uint32_t value;
    int borrow_out_of_red;
};

SubResult SubOne(std::uint32_t d, std::uint32_t s, bool blue_halves, int blue_borrow_in) {
    const Channels dc = Split(d, kNarrow);
    const Channels sc = Split(s, kNarrow);
    const int b =
        blue_halves ? (dc.c[0] | 1) - (sc.c[0] & 0x1E) - blue_borrow_in : dc.c[0] - sc.c[0];
    const int borrowB = b < 0 ? 1 : 0;
    const int g = (dc.c[1] | 1) - (sc.c[1] & 0x3E) - borrowB;
    const int borrowG = g < 0 ? 1 : 0;
    const int r = (dc.c[2] | 1) - (sc.c[2] & 0x1E) - borrowG;
    const Channels out{{std::max(b, 0), borrowG ? 0 : (g & 0x3E), std::max(r, 0)}};
    return {Join(out, kNarrow), r < 0 ? 1 : 0};
}

}  // namespace

std::uint32_t PackedAdd16(std::uint32_t d, std::uint32_t s, bool restore) {
    return AddOne(d, s, restore, false, 0).value;
}

std::uint32_t PackedSub16(std::uint32_t d, std::uint32_t s) {
    return SubOne(d, s, false, 0).value;
}

std::uint32_t PackedAdd16x2(std::uint32_t d, std::uint32_t s) {
    const AddResult first = AddOne(d & 0xFFFF, s & 0xFFFF, false, false, 0);
    const AddResult second = AddOne(d >> 16, s >> 16, false, true, first.carry_out_of_red);
    return first.value | second.value << 16;
}

std::uint32_t PackedSub16x2(std::uint32_t d, std::uint32_t s) {
    const SubResult first = SubOne(d & 0xFFFF, s & 0xFFFF, false, 0);
    const SubResult second = SubOne(d >> 16, s >> 16, true, first.borrow_out_of_red);
    return first.value | second.value << 16;
}

void RenderMemImg(MEMIMG* destination, const MEMIMG* source, int x, int y, int transparency,
                  const MEMIMG* blend_image, const SoftDrawState& state) {
    if (!Accepted(destination, source, blend_image)) {
        return;
    }
    Draw draw = Describe(source, blend_image, transparency, state);
    if (!PassGates(state, &draw)) {
        return;
    }
    Rect rect{x, y, Saturate(std::int64_t{x} + source->Width),
              Saturate(std::int64_t{y} + source->Height)};
    layer::ClipRect(&rect, AreaInside(state, *destination));
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    if (w == 0 || h == 0) {
        return;
    }
    const int sx = rect.left - x;
    const int sy = rect.top - y;
    const layer::MemImgBody& body = *source->Body;
    const bool whole_body = source->Pixels == body.PixelStore && source->Width == body.Width &&
                            source->Height == body.Height;
    // An alpha source's runs stand for its per-pixel alpha tests: its alpha-0 pixels are still
    // drawn by the modes that draw them.
    if (transparency == 1 && body.RunTableValid == 1 && w == source->Width && h == source->Height &&
        whole_body && !draw.alpha) {
        draw.route = Route::RunTable;
    }
    const auto classes =
        draw.route == Route::RunTable ? RunClasses(*source) : std::vector<std::vector<int>>{};
    for (int row = 0; row < h; ++row) {
        std::vector<Sample> samples(w);
        for (int i = 0; i < w; ++i) {
            samples[i].raw = ReadPixel(*source, sx + i, sy + row);
            if (blend_image != nullptr) {
                samples[i].blend_byte = static_cast<int>(ReadPixel(*blend_image, sx + i, sy + row));
            }
            if (draw.route == Route::RunTable) {
                samples[i].run_class = classes[sy + row][sx + i];
            }
        }
        DrawRow(draw, *destination, rect.left, rect.top + row, samples);
    }
}

void RenderMemImgStretched(MEMIMG* destination, const MEMIMG* source, const Rect& corners,
                           int transparency, const MEMIMG* blend_image,
                           const SoftDrawState& state) {
    const bool mirror_x = corners.left > corners.right;
    const bool mirror_y = corners.top > corners.bottom;
    const std::int32_t left = std::min(corners.left, corners.right);
    const std::int32_t right = std::max(corners.left, corners.right);
    const std::int32_t top = std::min(corners.top, corners.bottom);
    const std::int32_t bottom = std::max(corners.top, corners.bottom);
    const std::int64_t w = std::int64_t{right} - left;
    const std::int64_t h = std::int64_t{bottom} - top;
    if (w == 0 || h == 0) {
        return;
    }
    if (!Accepted(destination, source, blend_image)) {
        return;
    }
    if (w == source->Width && h == source->Height && !mirror_x && !mirror_y) {
        RenderMemImg(destination, source, left, top, transparency, blend_image, state);
        return;
    }
    Draw draw = Describe(source, blend_image, transparency, state);
    draw.route = Route::Scaled;
    if (!PassGates(state, &draw) || source->Width == 0 || source->Height == 0) {
        return;
    }
    const std::int64_t step_x = w * 65536 / source->Width;
    const std::int64_t step_y = h * 65536 / source->Height;
    if (step_x == 0 || step_y == 0 || (w - 1) * 65536 / step_x >= source->Width ||
        (h - 1) * 65536 / step_y >= source->Height) {
        return;
    }
    Rect rect{left, top, right, bottom};
    layer::ClipRect(&rect, AreaInside(state, *destination));
    const int cw = rect.right - rect.left;
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::int64_t source_row = (std::int64_t{y} - top) * 65536 / step_y;
        if (mirror_y) {
            source_row = source->Height - 1 - source_row;
        }
        std::vector<Sample> samples(cw);
        for (int i = 0; i < cw; ++i) {
            std::int64_t column = (std::int64_t{rect.left} + i - left) * 65536 / step_x;
            if (mirror_x) {
                column = source->Width - 1 - column;
            }
            const int sx = static_cast<int>(column);
            const int sy = static_cast<int>(source_row);
            samples[i].raw = ReadPixel(*source, sx, sy);
            if (blend_image != nullptr) {
                samples[i].blend_byte = static_cast<int>(ReadPixel(*blend_image, sx, sy));
            }
        }
        DrawRow(draw, *destination, rect.left, y, samples);
    }
}

}  // namespace reference
