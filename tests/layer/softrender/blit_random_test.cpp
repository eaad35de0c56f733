// Both blits against the pixel-by-pixel reference over every source kind, blend mode, a set
// of parameters and bright colours, transparency flags, blend images and MMX flags, with
// random pixels, sizes, positions and draw areas.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "layer/softrender/blend_tables.h"
#include "layer/softrender/blit_avx2.h"
#include "layer/softrender/blit_plain.h"
#include "layer/softrender/blit_scaled.h"
#include "layer/softrender/memimg_runs.h"
#include "tests/layer/softrender/blit_test_support.h"
#include "tests/layer/softrender/reference_blit.h"

namespace layer {
namespace {

using test_support::Image;

enum class Kind { Direct, Alpha, Palette, PaletteNoKey };

struct Combination {
    int color_type;
    Kind kind;
    int mode;
    int parameter;
    std::uint32_t bright;
    int transparency;
    bool blend;
    int mmx;
    bool scaled;
    bool run_table;
    // The run table is built over a larger store, and the source may be a view inside it,
    // placed anywhere: the parts of the body the table serves.
    bool clipped_runs;
};

std::string Describe(const Combination& c, int width, int height, const Rect& placement,
                     const Rect& area) {
    std::ostringstream out;
    out << "type " << c.color_type << " kind " << static_cast<int>(c.kind) << " mode " << c.mode
        << " p " << c.parameter << " bright " << std::hex << c.bright << std::dec << " trans "
        << c.transparency << " blend " << c.blend << " mmx " << c.mmx << " scaled " << c.scaled
        << " runs " << c.run_table << " clipped runs " << c.clipped_runs << " source " << width
        << "x" << height << " placed (" << placement.left << "," << placement.top << ","
        << placement.right << "," << placement.bottom << ") area (" << area.left << "," << area.top
        << "," << area.right << "," << area.bottom << ")";
    return out.str();
}

int Pick(std::mt19937& rng, int low, int high) {
    return low + static_cast<int>(rng() % static_cast<std::uint32_t>(high - low + 1));
}

// Fills a source so that transparent colours and the alpha values 0 and 255 come up often.
void FillSource(std::mt19937& rng, Image& source, Kind kind, int color_type) {
    source.FillRandom(rng);
    const MEMIMG& image = *source.get();
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            const std::uint32_t choice = rng() % 4;
            if (kind == Kind::Direct && choice == 0) {
                source.Set(x, y, source.body().TransColor);
            } else if (kind == Kind::Alpha && choice < 2) {
                const std::uint32_t alpha = choice == 0 ? 0 : 255;
                const int shift = color_type == 1 ? 24 : 16;
                const std::uint32_t pixel = source.Get(x, y) & ~(0xFFu << shift);
                source.Set(x, y, pixel | alpha << shift);
            } else if ((kind == Kind::Palette || kind == Kind::PaletteNoKey) && choice == 0) {
                source.Set(x, y, source.body().TransColor & 0xFF);
            }
        }
    }
    if (kind == Kind::Palette || kind == Kind::PaletteNoKey) {
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t entry = rng();
            source.SetPaletteEntry(i, color_type == 1 ? entry & 0xFFFFFF : entry & 0xFFFF);
        }
        source.body().PaletteCount = 256;
    }
}

std::uint32_t TransColourFor(std::mt19937& rng, Kind kind, int color_type) {
    switch (kind) {
        case Kind::Palette:
            return rng() % 256;
        case Kind::PaletteNoKey:
            return 0xFFFF;
        default:
            return color_type == 1 ? rng() : rng() % 65536;
    }
}

class Scenario {
  public:
    explicit Scenario(std::uint32_t seed) : rng_(seed) {}

    testing::AssertionResult Run(const Combination& c) {
        const bool wide_row = rng_() % 24 == 0;
        const int width = wide_row ? 640 : Pick(rng_, 1, 17);
        const int height = wide_row ? Pick(rng_, 1, 2) : Pick(rng_, 1, 4);
        const std::uint32_t trans = TransColourFor(rng_, c.kind, c.color_type);
        const int palette = c.kind == Kind::Palette || c.kind == Kind::PaletteNoKey ? 1 : 0;
        const int alpha = c.kind == Kind::Alpha ? 1 : 0;
        // The source is either a whole image or a view inside a larger one.
        const bool view = c.clipped_runs ? rng_() % 3 != 0 : !c.run_table && rng_() % 3 == 0;
        Image store(width + (view ? 3 : 0), height + (view ? 2 : 0), c.color_type, palette, alpha,
                    trans, c.run_table ? 1 : 0);
        FillSource(rng_, store, c.kind, c.color_type);
        MEMIMG source_view;
        const MEMIMG* source = store.get();
        if (view) {
            ShareMemImgRect(&source_view, store.get(), 2, 1, width, height);
            source = &source_view;
        }
        if (c.run_table) {
            BuildMemImgRunTable(store.get());
        }
        std::unique_ptr<Image> blend;
        if (c.blend) {
            blend = std::make_unique<Image>(width + Pick(rng_, 0, 2), height + Pick(rng_, 0, 2), 2);
            blend->FillRandom(rng_);
            BuildBlendGraphWeightTable(static_cast<int>(rng_() % 256),
                                       static_cast<int>(rng_() % 256));
        }

        // Destinations are views with a guard band of their own store around them.
        const int dw = wide_row ? 660 : Pick(rng_, 1, 24);
        const int dh = Pick(rng_, 1, 8);
        Image fast_store(dw + 6, dh + 6, c.color_type);
        fast_store.FillRandom(rng_);
        Image reference_store(dw + 6, dh + 6, c.color_type);
        std::memcpy(reference_store.body().PixelStore, fast_store.body().PixelStore,
                    fast_store.Bytes().size());
        const std::vector<std::uint8_t> before = fast_store.Bytes();
        MEMIMG fast;
        MEMIMG reference;
        ShareMemImgRect(&fast, fast_store.get(), 3, 3, dw, dh);
        ShareMemImgRect(&reference, reference_store.get(), 3, 3, dw, dh);

        SoftDrawState state;
        state.draw_area = rng_() % 4 == 0 ? Rect{-5, -5, dw + 5, dh + 5}
                                          : Rect{Pick(rng_, 0, dw), Pick(rng_, 0, dh), 0, 0};
        if (state.draw_area.right == 0) {
            state.draw_area.right = Pick(rng_, state.draw_area.left, dw);
            state.draw_area.bottom = Pick(rng_, state.draw_area.top, dh);
        }
        state.blend_mode = c.mode;
        state.blend_parameter = c.parameter;
        state.bright_color = c.bright;
        state.mmx = c.mmx;

        Rect placement{};
        if (c.scaled) {
            const int tw = rng_() % 4 == 0 ? width : Pick(rng_, 1, 2 * width + 3);
            const int th = rng_() % 4 == 0 ? height : Pick(rng_, 1, 2 * height + 3);
            const int x = Pick(rng_, -tw, dw);
            const int y = Pick(rng_, -th, dh);
            placement = Rect{x, y, x + tw, y + th};
            if (rng_() % 2 == 0) {
                std::swap(placement.left, placement.right);
            }
            if (rng_() % 2 == 0) {
                std::swap(placement.top, placement.bottom);
            }
            RenderMemImgStretched(&fast, source, placement, c.transparency,
                                  blend ? blend->get() : nullptr, state);
            reference::RenderMemImgStretched(&reference, source, placement, c.transparency,
                                             blend ? blend->get() : nullptr, state);
        } else {
            const bool whole = c.run_table && !c.clipped_runs;
            const int x = whole ? Pick(rng_, 0, std::max(0, dw - width)) : Pick(rng_, -width, dw);
            const int y = whole ? 0 : Pick(rng_, -height, dh);
            placement = Rect{x, y, x + width, y + height};
            RenderMemImg(&fast, source, x, y, c.transparency, blend ? blend->get() : nullptr,
                         state);
            reference::RenderMemImg(&reference, source, x, y, c.transparency,
                                    blend ? blend->get() : nullptr, state);
        }
        if (view) {
            ReleaseMemImg(&source_view);
        }
        ReleaseMemImg(&fast);
        ReleaseMemImg(&reference);

        const std::vector<std::uint8_t> got = fast_store.Bytes();
        const std::vector<std::uint8_t> want = reference_store.Bytes();
        const std::string description = Describe(c, width, height, placement, state.draw_area);
        Rect inside = state.draw_area;
        ClipRect(&inside, Rect{0, 0, dw, dh});
        const int pitch = fast_store.body().Pitch;
        const int bytes = c.color_type == 1 ? 4 : 2;
        for (std::size_t i = 0; i < got.size(); ++i) {
            if (got[i] != want[i]) {
                return testing::AssertionFailure()
                       << description << ": byte " << i << " (row " << i / pitch - 3 << ", column "
                       << static_cast<int>(i % pitch) / bytes - 3 << ") is " << int{got[i]}
                       << ", reference " << int{want[i]};
            }
            const int row = static_cast<int>(i / pitch) - 3;
            const int column = static_cast<int>(i % pitch) / bytes - 3;
            const bool drawable = row >= inside.top && row < inside.bottom &&
                                  column >= inside.left && column < inside.right;
            if (!drawable && got[i] != before[i]) {
                return testing::AssertionFailure()
                       << description << ": byte " << i << " outside the draw area changed";
            }
        }
        return testing::AssertionSuccess();
    }

    std::mt19937& rng() { return rng_; }

  private:
    std::mt19937 rng_;
};

struct Group {
    int color_type;
    Kind kind;
    bool scaled;
    bool run_table;
    bool clipped_runs = false;
};

class BlitRandomTest : public testing::TestWithParam<Group> {};

TEST_P(BlitRandomTest, MatchesTheReference) {
    const Group group = GetParam();
    Scenario scenario(
        0x5EED0000u +
        static_cast<std::uint32_t>(group.color_type * 16 + static_cast<int>(group.kind) * 4 +
                                   group.scaled * 2 + group.run_table + group.clipped_runs * 1024));
    const int parameters[] = {0, 1, 77, 127, 128, 129, 254, 255, -1};
    const std::uint32_t brights[] = {0xFFFFFF, 0xFFFFFFFF, 0xFFFFFE, 0};
    int failures = 0;
    for (int mode = 0; mode <= 12; ++mode) {
        const bool uses_parameter = mode >= 1 && mode <= 3 ? true : mode == 10 || mode == 11;
        const bool uses_mmx = mode == 2 || mode == 3;
        for (int parameter : parameters) {
            if (!uses_parameter && parameter != -1) {
                continue;
            }
            for (std::uint32_t bright : brights) {
                for (int transparency = 0; transparency <= 2; ++transparency) {
                    if (group.run_table && !group.clipped_runs && transparency != 1) {
                        continue;
                    }
                    for (int blend = 0; blend <= 1; ++blend) {
                        for (int mmx = 0; mmx <= (uses_mmx ? 1 : 0); ++mmx) {
                            Combination c{
                                group.color_type,  group.kind, mode, parameter,    bright,
                                transparency,      blend == 1, mmx,  group.scaled, group.run_table,
                                group.clipped_runs};
                            if (parameter == -1) {
                                c.parameter = static_cast<int>(scenario.rng()() % 256);
                            }
                            if (bright == 0) {
                                c.bright = scenario.rng()();
                            }
                            if (!uses_mmx) {
                                c.mmx = static_cast<int>(scenario.rng()() % 2);
                            }
                            const testing::AssertionResult result = scenario.Run(c);
                            EXPECT_TRUE(result);
                            if (!result && ++failures > 10) {
                                return;
                            }
                        }
                    }
                }
            }
        }
    }
}

std::vector<Group> Groups() {
    std::vector<Group> groups;
    for (int color_type : {0, 1}) {
        for (Kind kind : {Kind::Direct, Kind::Alpha, Kind::Palette, Kind::PaletteNoKey}) {
            for (bool scaled : {false, true}) {
                groups.push_back({color_type, kind, scaled, false});
            }
            groups.push_back({color_type, kind, false, true});
            groups.push_back({color_type, kind, false, true, true});
        }
    }
    return groups;
}

std::string GroupName(const testing::TestParamInfo<Group>& info) {
    static const char* const kKinds[] = {"Direct", "Alpha", "Palette", "PaletteNoKey"};
    const Group& g = info.param;
    return std::string(g.color_type == 1 ? "Wide" : "Narrow") + kKinds[static_cast<int>(g.kind)] +
           (g.clipped_runs ? "RunsClipped"
            : g.run_table  ? "Runs"
            : g.scaled     ? "Scaled"
                           : "Plain");
}

// Rows long enough for the loops that draw four and eight pixels at a time, with a tail that is
// neither: 32-bit sources without alpha, per-pixel tests or bright colour, whole and through
// the run table's opaque runs; with the eight-pixel loops on where the processor has them, and
// off.
TEST(BlitLongRows, MatchTheReference) {
    struct Draw {
        int mode;
        int parameter;
        int mmx;
    };
    const Draw draws[] = {{BlendTranslucent, 1, 0},   {BlendTranslucent, 100, 0},
                          {BlendTranslucent, 128, 1}, {BlendAdditive, 100, 0},
                          {BlendAdditive, 255, 0},    {BlendAdditive, 255, 1},
                          {BlendSubtractive, 255, 1}, {BlendNone, 0, 0}};
    for (bool wide : {true, false}) {
        const bool on = blit::UseAvx2Loops(wide);
        std::mt19937 rng(0x5EED1000u);
        for (const Draw& draw : draws) {
            for (int transparency : {0, 1}) {
                test_support::Image source(45, 3, 1, 0, 0, 0x12345678, 1);
                source.FillRandom(rng);
                BuildMemImgRunTable(source.get());
                test_support::Image fast(47, 4, 1);
                fast.FillRandom(rng);
                test_support::Image reference(47, 4, 1);
                std::memcpy(reference.body().PixelStore, fast.body().PixelStore,
                            fast.Bytes().size());
                SoftDrawState state;
                state.draw_area = Rect{0, 0, 47, 4};
                state.blend_mode = draw.mode;
                state.blend_parameter = draw.parameter;
                state.mmx = draw.mmx;
                RenderMemImg(fast.get(), source.get(), 1, 1, transparency, nullptr, state);
                reference::RenderMemImg(reference.get(), source.get(), 1, 1, transparency, nullptr,
                                        state);
                EXPECT_TRUE(fast.Bytes() == reference.Bytes())
                    << "eight-pixel loops " << on << " mode " << draw.mode << " p "
                    << draw.parameter << " mmx " << draw.mmx << " transparency " << transparency;
            }
        }
    }
    blit::UseAvx2Loops(true);
}

// Every parameter of the 32-bit translucent and additive draws, unscaled and halved, over
// rows in which every channel takes every value, with the eight-pixel loops on and off.
TEST(BlitLongRows, EveryParameterMatchesTheReference) {
    std::mt19937 rng(0x5EED1002u);
    test_support::Image source(512, 2, 1);
    source.FillRandom(rng);
    for (int x = 0; x < 512; ++x) {
        const std::uint32_t v = static_cast<std::uint32_t>(x / 2);
        source.Set(x, 0,
                   (source.Get(x, 0) & 0xFF000000) | (v * 97 & 0xFF) << 16 | (255 - v) << 8 | v);
    }
    for (bool wide : {true, false}) {
        const bool on = blit::UseAvx2Loops(wide);
        for (int mode : {BlendTranslucent, BlendAdditive}) {
            for (int parameter = 1; parameter <= 255; ++parameter) {
                for (bool halved : {false, true}) {
                    const int width = halved ? 259 : 515;
                    test_support::Image fast(width, 3, 1);
                    fast.FillRandom(rng);
                    test_support::Image reference(width, 3, 1);
                    std::memcpy(reference.body().PixelStore, fast.body().PixelStore,
                                fast.Bytes().size());
                    SoftDrawState state;
                    state.draw_area = Rect{0, 0, width, 3};
                    state.blend_mode = mode;
                    state.blend_parameter = parameter;
                    if (halved) {
                        const Rect corners{1, 1, 257, 2};
                        RenderMemImgStretched(fast.get(), source.get(), corners, 0, nullptr, state);
                        reference::RenderMemImgStretched(reference.get(), source.get(), corners, 0,
                                                         nullptr, state);
                    } else {
                        RenderMemImg(fast.get(), source.get(), 1, 1, 0, nullptr, state);
                        reference::RenderMemImg(reference.get(), source.get(), 1, 1, 0, nullptr,
                                                state);
                    }
                    ASSERT_TRUE(fast.Bytes() == reference.Bytes())
                        << "eight-pixel loops " << on << " mode " << mode << " p " << parameter
                        << " halved " << halved;
                }
            }
        }
    }
    blit::UseAvx2Loops(true);
}

// Long rows of 32-bit sources with alpha drawn translucent: alphas of 0, 255 and between in
// every row, with and without the alpha test, whole and through the run table's runs.
TEST(BlitLongRows, TranslucentAlphaSourcesMatchTheReference) {
    std::mt19937 rng(0x5EED1001u);
    for (int parameter : {1, 100, 128, 254}) {
        for (int transparency : {0, 1}) {
            for (bool runs : {false, true}) {
                test_support::Image source(45, 3, 1, 0, 1, 0, 1);
                source.FillRandom(rng);
                MemImgBody& body = source.body();
                for (int y = 0; y < body.Height; ++y) {
                    for (int x = 0; x < body.Width; ++x) {
                        const std::uint8_t alphas[3] = {0, 255, static_cast<std::uint8_t>(rng())};
                        body.PixelStore[y * body.Pitch + x * 4 + 3] = alphas[rng() % 3];
                    }
                }
                if (runs) {
                    BuildMemImgRunTable(source.get());
                }
                test_support::Image fast(47, 4, 1);
                fast.FillRandom(rng);
                test_support::Image reference(47, 4, 1);
                std::memcpy(reference.body().PixelStore, fast.body().PixelStore,
                            fast.Bytes().size());
                SoftDrawState state;
                state.draw_area = Rect{0, 0, 47, 4};
                state.blend_mode = BlendTranslucent;
                state.blend_parameter = parameter;
                RenderMemImg(fast.get(), source.get(), 1, 1, transparency, nullptr, state);
                reference::RenderMemImg(reference.get(), source.get(), 1, 1, transparency, nullptr,
                                        state);
                EXPECT_TRUE(fast.Bytes() == reference.Bytes())
                    << "p " << parameter << " transparency " << transparency << " runs " << runs;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllSources, BlitRandomTest, testing::ValuesIn(Groups()), GroupName);

}  // namespace
}  // namespace layer
