// Random triangles, quads and rotations, drawn once with a source whose texels hold their own
// index to learn which texel each pixel shows, then under every source variant, blend code,
// flag, bright colour, blend image and parameter; the result must be the slow model applied
// to those texels in draw order, and every other pixel must keep its value.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "layer/softrender/blend_tables.h"
#include "layer/softrender/fixed_point.h"
#include "layer/softrender/quad_draw.h"
#include "layer/softrender/rotated_blit.h"
#include "layer/softrender/rotated_frame.h"
#include "layer/softrender/triangle_raster.h"
#include "tests/layer/softrender/poly_test_image.h"
#include "tests/layer/softrender/reference_poly_pixel_rules.h"

namespace {

using polytest::GuardedImage;

constexpr int kDestSize = 28;
constexpr std::uint32_t kUnvisited = 0xFFFFFFFF;

// Draws a geometry from `source` onto `dest` under `state`.
using DrawFn = std::function<void(layer::MEMIMG* dest, const layer::MEMIMG* source, int trans,
                                  const layer::MEMIMG* blend, const layer::SoftDrawState& state)>;

struct Geometry {
    std::string name;
    int source_width;
    int source_height;
    DrawFn draw;
    // The same pixels drawn as the separate triangles the draw is made of, in draw order.
    std::vector<DrawFn> passes;
};

DrawFn TriangleDraw(std::array<layer::MemImgVertex, 3> vertices) {
    return [vertices](layer::MEMIMG* dest, const layer::MEMIMG* source, int trans,
                      const layer::MEMIMG* blend, const layer::SoftDrawState& state) {
        layer::RenderMemImgTriangle(dest, source, vertices.data(), trans, blend, 0, state);
    };
}

std::vector<DrawFn> QuadPasses(const layer::MemImgPoint* p, int w, int h) {
    return {
        TriangleDraw({{{p[0].x, p[0].y, 0, 0}, {p[1].x, p[1].y, w, 0}, {p[2].x, p[2].y, 0, h}}}),
        TriangleDraw({{{p[1].x, p[1].y, w, 0}, {p[2].x, p[2].y, 0, h}, {p[3].x, p[3].y, w, h}}})};
}

int Random(std::mt19937& rng, int low, int high) {
    return low + static_cast<int>(rng() % static_cast<unsigned>(high - low + 1));
}

std::vector<Geometry> MakeGeometries() {
    std::mt19937 rng(20240607);
    std::vector<Geometry> geometries;
    for (int i = 0; i < 4; ++i) {
        const int w = i % 2 ? 13 : 7;
        const int h = i % 2 ? 11 : 5;
        std::array<layer::MemImgVertex, 3> v;
        for (auto& vertex : v) {
            vertex = {Random(rng, -6, kDestSize + 6), Random(rng, -6, kDestSize + 6),
                      Random(rng, -3, w + 3), Random(rng, -3, h + 3)};
        }
        geometries.push_back(
            {"Triangle" + std::to_string(i), w, h, TriangleDraw(v), {TriangleDraw(v)}});

        layer::MemImgPoint points[4];
        for (auto& point : points) {
            point = {Random(rng, -4, kDestSize + 4), Random(rng, -4, kDestSize + 4)};
        }
        const DrawFn quad = [points](layer::MEMIMG* dest, const layer::MEMIMG* source, int trans,
                                     const layer::MEMIMG* blend,
                                     const layer::SoftDrawState& state) {
            layer::RenderMemImgQuad(dest, source, points, trans, blend, state);
        };
        geometries.push_back({"Quad" + std::to_string(i), w, h, quad, QuadPasses(points, w, h)});

        const float angle = static_cast<float>(Random(rng, -31416, 31416)) / 10000.0f;
        const float scale =
            static_cast<float>(Random(rng, 300, 3000)) / 1000.0f * (rng() % 2 ? 1.0f : -1.0f);
        const int cx = Random(rng, 4, kDestSize - 4);
        const int cy = Random(rng, 4, kDestSize - 4);
        for (int turn = 0; turn < 2; ++turn) {
            const DrawFn rotated = [=](layer::MEMIMG* dest, const layer::MEMIMG* source, int trans,
                                       const layer::MEMIMG* blend,
                                       const layer::SoftDrawState& state) {
                layer::RenderMemImgRotated(dest, source, cx, cy, angle, scale, trans, turn, blend,
                                           state);
            };
            std::vector<DrawFn> passes = {rotated};
            if (turn) {
                // A turned image is the quad of its corners, exchanged left for right.
                layer::RotatedFrame frame;
                EXPECT_TRUE(layer::ComputeRotatedFrame(w, h, cx, cy, angle, scale, &frame));
                const int order[4] = {layer::kTopRight, layer::kTopLeft, layer::kBottomRight,
                                      layer::kBottomLeft};
                layer::MemImgPoint quad_points[4];
                for (int k = 0; k < 4; ++k) {
                    quad_points[k] = {static_cast<int>(layer::FixedWhole(frame.x[order[k]])),
                                      static_cast<int>(layer::FixedWhole(frame.y[order[k]]))};
                }
                passes = QuadPasses(quad_points, w, h);
            }
            geometries.push_back(
                {"Rotated" + std::to_string(i) + (turn ? "Turned" : ""), w, h, rotated, passes});
        }
    }
    return geometries;
}

// Which texel each destination pixel shows in one pass (kUnvisited where none). A pass
// visits each pixel at most once.
std::vector<std::uint32_t> Record(const Geometry& g, const DrawFn& pass) {
    GuardedImage ids(g.source_width, g.source_height, 1);
    for (int y = 0; y < g.source_height; ++y) {
        for (int x = 0; x < g.source_width; ++x) {
            ids.Set(x, y, static_cast<std::uint32_t>(y * g.source_width + x));
        }
    }
    GuardedImage dest(kDestSize, kDestSize, 1);
    dest.Fill(kUnvisited);
    pass(dest.image(), ids.image(), 0, nullptr, polytest::State(0, 0));
    const std::vector<std::uint32_t> texels = dest.Pixels();
    // The additive blend of a blue term of 1 counts the visits.
    ids.Fill(1);
    dest.Fill(0);
    pass(dest.image(), ids.image(), 0, nullptr, polytest::State(2, 255));
    const std::vector<std::uint32_t> visits = dest.Pixels();
    for (std::size_t i = 0; i < visits.size(); ++i) {
        EXPECT_EQ(visits[i], texels[i] == kUnvisited ? 0u : 1u)
            << "pixel " << i % kDestSize << "," << i / kDestSize;
    }
    return texels;
}

struct Variant {
    const char* name;
    bool bits32;
    bool palette;
    bool alpha;
};

const Variant kVariants[] = {{"Direct32", true, false, false}, {"Alpha32", true, false, true},
                             {"Palette32", true, true, false}, {"Direct16", false, false, false},
                             {"Alpha16", false, false, true},  {"Palette16", false, true, false}};

// A source of the variant with random texels, some equal to its transparent colour, and
// alphas of 0, 255 and between.
std::unique_ptr<GuardedImage> MakeSource(const Variant& v, int w, int h, std::mt19937& rng) {
    auto source = std::make_unique<GuardedImage>(w, h, v.bits32 ? 1 : 0, v.palette, v.alpha);
    const std::uint32_t key = v.palette ? 5 : v.bits32 ? 0x00102030 : 0x1234;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint32_t value = rng();
            if (v.palette) {
                value &= 0xFF;
            } else if (!v.bits32 && !v.alpha) {
                value &= 0xFFFF;
            }
            if (v.alpha) {
                const std::uint32_t alphas[4] = {0, 255, static_cast<std::uint32_t>(rng() & 0xFF),
                                                 static_cast<std::uint32_t>(rng() & 0xFF)};
                const std::uint32_t a = alphas[rng() % 4];
                value = v.bits32 ? (value & 0xFFFFFF) | a << 24 : (value & 0xFF00FFFF) | a << 16;
            }
            if (rng() % 5 == 0) {
                value = key;
            }
            source->Set(x, y, value);
        }
    }
    if (v.palette) {
        for (int i = 0; i < 256; ++i) {
            source->SetPalette(i, rng());
        }
    }
    source->SetTransColour(key);
    return source;
}

reference_poly::Texel TexelAt(const Variant& v, const layer::MEMIMG& source, std::uint32_t stored) {
    reference_poly::Texel texel;
    texel.bits32 = v.bits32;
    texel.palette = v.palette;
    texel.alpha = v.alpha;
    texel.stored = stored;
    texel.trans_colour = source.Body->TransColor;
    if (v.palette) {
        std::memcpy(&texel.palette_entry, source.Body->Palette + stored * (v.bits32 ? 4 : 2),
                    v.bits32 ? 4 : 2);
    }
    return texel;
}

class TexelOracle : public testing::TestWithParam<Geometry> {};

TEST_P(TexelOracle, EveryCombinationMatchesTheModel) {
    const Geometry& g = GetParam();
    std::vector<std::vector<std::uint32_t>> passes;
    for (const DrawFn& pass : g.passes) {
        passes.push_back(Record(g, pass));
    }
    layer::BuildBlendGraphWeightTable(100, 60);
    std::mt19937 rng(7);
    const int codes[] = {0, 1, 2, 3, 4, 10, 11};
    const int parameters[] = {0, 1, 127, 128, 254, 255};
    for (const Variant& v : kVariants) {
        const auto source = MakeSource(v, g.source_width, g.source_height, rng);
        GuardedImage blend(g.source_width, g.source_height, 2);
        for (int y = 0; y < g.source_height; ++y) {
            for (int x = 0; x < g.source_width; ++x) {
                blend.Set(x, y, rng() & 0xFF);
            }
        }
        for (int code : codes) {
            for (int p : parameters) {
                for (int flags = 0; flags < 8; ++flags) {
                    const int trans = flags & 1;
                    const bool use_blend = flags & 2;
                    const std::uint32_t bright = flags & 4 ? 0x80C0FF : 0xFFFFFF;
                    GuardedImage dest(kDestSize, kDestSize, v.bits32 ? 1 : 0);
                    for (int y = 0; y < kDestSize; ++y) {
                        for (int x = 0; x < kDestSize; ++x) {
                            dest.Set(x, y, rng());
                        }
                    }
                    std::vector<std::uint32_t> expected = dest.Pixels();
                    reference_poly::Settings settings;
                    settings.code = code;
                    settings.p = p;
                    settings.bright = bright;
                    for (const auto& texels : passes) {
                        for (std::size_t i = 0; i < expected.size(); ++i) {
                            if (texels[i] == kUnvisited) {
                                continue;
                            }
                            const int column = static_cast<int>(texels[i]) % g.source_width;
                            const int row = static_cast<int>(texels[i]) / g.source_width;
                            if (use_blend) {
                                settings.weight = layer::BlendWeight[blend.Get(column, row)];
                            }
                            reference_poly::Texel texel =
                                TexelAt(v, *source->image(), source->Get(column, row));
                            texel.trans_flag = trans;
                            expected[i] =
                                reference_poly::TexturedPixel(texel, settings, expected[i])
                                    .value_or(expected[i]);
                        }
                    }
                    g.draw(dest.image(), source->image(), trans,
                           use_blend ? blend.image() : nullptr, polytest::State(code, p, bright));
                    const std::vector<std::uint32_t> actual = dest.Pixels();
                    for (std::size_t i = 0; i < actual.size(); ++i) {
                        ASSERT_EQ(actual[i], expected[i])
                            << v.name << " code " << code << " p " << p << " flags " << flags
                            << " pixel " << i % kDestSize << "," << i / kDestSize;
                    }
                    ASSERT_TRUE(dest.GuardIntact());
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Random, TexelOracle, testing::ValuesIn(MakeGeometries()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
