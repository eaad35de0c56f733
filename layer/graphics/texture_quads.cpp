// Tile quads into the batch in the batch's vertex layout.
#include "layer/graphics/texture_quads.h"

#include "layer/core/window_state.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/draw_settings.h"

namespace layer {
namespace {

constexpr int kQuadOrder[6] = {0, 1, 2, 3, 2, 1};

template <typename Vertex>
void WriteVertex(Vertex* out, const QuadCorner& corner, std::uint32_t colour);

template <>
void WriteVertex(platform::TexturedVertex* out, const QuadCorner& corner, std::uint32_t colour) {
    *out = {corner.x, corner.y, draw_settings.vertex_depth, 1.0f, colour, corner.u, corner.v};
}

// The blend image's coordinates are the pair stage 0 reads; the graph's the second.
template <>
void WriteVertex(platform::BlendVertex* out, const QuadCorner& corner, std::uint32_t colour) {
    *out = {corner.x,       corner.y,       draw_settings.vertex_depth,
            1.0f,           colour,         0xFFFFFFFF,
            corner.blend_u, corner.blend_v, corner.u,
            corner.v};
}

template <typename Vertex>
void WriteQuad(void* at, const QuadCorner* corners, std::uint32_t colour, std::uint32_t other) {
    auto* out = static_cast<Vertex*>(at);
    for (int i = 0; i < 6; ++i) {
        WriteVertex(&out[i], corners[kQuadOrder[i]], i % 3 == 0 ? colour : other);
    }
}

}  // namespace

void PlaceTileCorners(const Surface3DData& tile, float origin_x, float origin_y, float scale_x,
                      float scale_y, QuadCorner* corners) {
    for (int corner = 0; corner < 4; ++corner) {
        const platform::TexturedVertex& vertex = tile.Vertices[corner];
        corners[corner] = {
            origin_x + scale_x * vertex.x,     origin_y + scale_y * vertex.y,    vertex.u, vertex.v,
            vertex.x * direct3d.BlendScale[2], vertex.y * direct3d.BlendScale[3]};
    }
}

void PutTileQuad(DeviceState* state, const Surface3DData& tile, const QuadCorner* corners) {
    const int index = static_cast<int>(state - direct3d.Devices);
    platform::DisplaySurface* texture = GetTileTexture(tile);
    if (texture != state->DrawTexture) {
        SetDeviceDrawTexture(index, texture);
    }
    if (state->Request.StagesDirty != 0 || state->Request.TextureChanged != 0) {
        ApplyDrawState(index);
    }
    void* at = ReserveBatch(state, platform::Primitive::kTriangleList, 6);
    const std::uint32_t colour = draw_settings.draw_colour;
    if (state->BatchFormat == platform::VertexLayout::kBlend) {
        WriteQuad<platform::BlendVertex>(at, corners, colour, tile.Vertices[0].diffuse);
    } else {
        WriteQuad<platform::TexturedVertex>(at, corners, colour, tile.Vertices[0].diffuse);
    }
}

int DrawStripAtOnce(DeviceState* state, const QuadCorner* corners, std::uint32_t colour) {
    const int index = static_cast<int>(state - direct3d.Devices);
    FlushDeviceBatch(index);
    if (state->Device == nullptr || state->Request.SkipDraw != 0 || window_state.quit != 0) {
        return 0;
    }
    if (state->BatchFormat == platform::VertexLayout::kBlend) {
        platform::BlendVertex strip[4];
        for (int i = 0; i < 4; ++i) {
            WriteVertex(&strip[i], corners[i], colour);
        }
        return state->Device->DrawPrimitive(platform::Primitive::kTriangleStrip,
                                            platform::VertexLayout::kBlend, strip, 4);
    }
    platform::TexturedVertex strip[4];
    for (int i = 0; i < 4; ++i) {
        WriteVertex(&strip[i], corners[i], colour);
    }
    return state->Device->DrawPrimitive(platform::Primitive::kTriangleStrip,
                                        platform::VertexLayout::kTextured, strip, 4);
}

}  // namespace layer
