// The vertex batch of a device: vertices written straight into its buffers and sent with one
// draw when the state changes, the buffer fills, the primitive changes or the scene ends; and
// the two draws that go to the device at once, grids of triangle strips and free quads.
#include <cmath>

#include "layer/core/window_state.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/texture_tiles.h"

namespace layer {
namespace {

constexpr int kMaxGridIndices = 1000;
constexpr int kGridSide = 8;

void* BufferOf(int index, platform::VertexLayout layout) {
    VertexBuffers& buffers = device_buffers[index];
    switch (layout) {
        case platform::VertexLayout::kPlain:
            return buffers.plain;
        case platform::VertexLayout::kTextured:
            return buffers.textured;
        default:
            return buffers.blend;
    }
}

int DeviceIndexOf(const DeviceState* state) {
    return static_cast<int>(state - direct3d.Devices);
}

// A border of 255 hides everything the blend image covers: no send of the batch draws it, and
// neither does a draw that goes to the device at once. Nothing is drawn once the window is
// gone either.
bool Drawable(const DeviceState& state) {
    return state.Request.SkipDraw == 0 && window_state.quit == 0 && state.Device != nullptr;
}

int Capacity(platform::VertexLayout layout) {
    return kBatchCapacity[static_cast<int>(layout)];
}

// The corner pairs of a quad's two triangles, in the batch's order.
constexpr int kQuadOrder[6] = {0, 1, 2, 3, 2, 1};

platform::TexturedVertex TileCorner(const Surface3DData& tile, int corner, float x, float y,
                                    std::uint32_t colour) {
    platform::TexturedVertex vertex = tile.Vertices[corner];
    vertex.x = x;
    vertex.y = y;
    vertex.z = draw_settings.vertex_depth;
    vertex.rhw = 1.0f;
    vertex.diffuse = colour;
    return vertex;
}

bool NearlyParallelogram(const float* p) {
    const float x0 = p[0], y0 = p[1], x1 = p[2], y1 = p[3];
    const float x2 = p[4], y2 = p[5], x3 = p[6], y3 = p[7];
    return std::fabs((x1 - x0) - (x3 - x2)) < 1.0f && std::fabs((y1 - y0) - (y3 - y2)) < 1.0f &&
           std::fabs((x2 - x0) - (x3 - x1)) < 1.0f && std::fabs((y2 - y0) - (y3 - y1)) < 1.0f;
}

}  // namespace

std::uint64_t batches_sent_3d = 0;

int FlushDeviceBatch(int index) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr) {
        return -1;
    }
    if (state->BatchCount != 0 && Drawable(*state)) {
        state->Device->DrawPrimitive(state->BatchPrimitive, state->BatchFormat,
                                     BufferOf(index, state->BatchFormat), state->BatchCount);
        ++batches_sent_3d;
    }
    state->BatchCount = 0;
    return 0;
}

int FlushVertexBatch() {
    return FlushDeviceBatch(direct3d.CurrentDevice);
}

void* ReserveBatch(DeviceState* state, platform::Primitive primitive, int count) {
    const int index = DeviceIndexOf(state);
    if (state->BatchCount != 0 && (state->BatchPrimitive != primitive ||
                                   state->BatchCount + count >= Capacity(state->BatchFormat))) {
        FlushDeviceBatch(index);
    }
    state->BatchPrimitive = primitive;
    auto* start = static_cast<std::uint8_t*>(BufferOf(index, state->BatchFormat));
    void* at = start + static_cast<std::size_t>(state->BatchCount) *
                           platform::kVertexSizes[static_cast<int>(state->BatchFormat)];
    state->BatchCount += count;
    return at;
}

int DrawGridStrips(int index, int columns, const platform::TexturedVertex* vertices, int rows) {
    DeviceState* state = FindDevice(index);
    if (state == nullptr || columns < 2 || rows < 2) {
        return -1;
    }
    FlushDeviceBatch(index);
    std::uint16_t indices[kMaxGridIndices + 2];
    int count = 0;
    auto send = [&] {
        if (count > 0 && Drawable(*state)) {
            state->Device->DrawIndexedPrimitive(platform::Primitive::kTriangleStrip,
                                                platform::VertexLayout::kTextured, vertices,
                                                columns * rows, indices, count);
        }
        count = 0;
    };
    for (int row = 0; row + 1 < rows; ++row) {
        if (count + 2 * columns + 2 > kMaxGridIndices) {
            send();
        } else if (count > 0) {
            indices[count++] = static_cast<std::uint16_t>((row + 1) * columns);
        }
        for (int column = 0; column < columns; ++column) {
            indices[count++] = static_cast<std::uint16_t>((row + 1) * columns + column);
            indices[count++] = static_cast<std::uint16_t>(row * columns + column);
        }
        if (row + 2 < rows) {
            indices[count] = indices[count - 1];
            ++count;
        }
    }
    send();
    return 0;
}

int DrawTileQuad3D(int tile_handle, const float* p) {
    DeviceState* state = CurrentDevice();
    const Surface3DData* tile = GetSurface3DData(tile_handle);
    if (state == nullptr || tile == nullptr) {
        return -1;
    }
    const int index = direct3d.CurrentDevice;
    platform::DisplaySurface* texture = GetTileTexture(*tile);
    if (texture != state->DrawTexture) {
        SetDeviceDrawTexture(index, texture);
        ApplyDrawState(index);
    }
    const std::uint32_t colour = draw_settings.draw_colour;
    if (NearlyParallelogram(p)) {
        ApplyDrawState(index);
        auto* out = static_cast<platform::TexturedVertex*>(
            ReserveBatch(state, platform::Primitive::kTriangleList, 6));
        for (int i = 0; i < 6; ++i) {
            const int corner = kQuadOrder[i];
            out[i] = TileCorner(*tile, corner, p[corner * 2], p[corner * 2 + 1],
                                i % 3 == 0 ? colour : tile->Vertices[corner].diffuse);
        }
        const float area1 = (p[2] - p[0]) * (p[5] - p[1]) - (p[3] - p[1]) * (p[4] - p[0]);
        const float area2 = (p[4] - p[6]) * (p[3] - p[7]) - (p[2] - p[6]) * (p[5] - p[7]);
        if (area1 <= 0.0f && area2 <= 0.0f) {
            std::swap(out[1], out[2]);
            std::swap(out[4], out[5]);
        }
        return 0;
    }
    static platform::TexturedVertex grid[kGridSide * kGridSide];
    const platform::TexturedVertex& top_left = tile->Vertices[0];
    const platform::TexturedVertex& bottom_right = tile->Vertices[3];
    constexpr float kStep = 1.0f / (kGridSide - 1);
    for (int row = 0; row < kGridSide; ++row) {
        const float t = row * kStep;
        const float left_x = p[0] + t * (p[4] - p[0]);
        const float left_y = p[1] + t * (p[5] - p[1]);
        const float right_x = p[2] + t * (p[6] - p[2]);
        const float right_y = p[3] + t * (p[7] - p[3]);
        for (int column = 0; column < kGridSide; ++column) {
            const float s = column * kStep;
            platform::TexturedVertex& vertex = grid[row * kGridSide + column];
            vertex.x = left_x + s * (right_x - left_x);
            vertex.y = left_y + s * (right_y - left_y);
            vertex.z = draw_settings.vertex_depth;
            vertex.rhw = 1.0f;
            vertex.diffuse = colour;
            vertex.u = top_left.u + s * (bottom_right.u - top_left.u);
            vertex.v = top_left.v + t * (bottom_right.v - top_left.v);
        }
    }
    return DrawGridStrips(index, kGridSide, grid, kGridSide);
}

}  // namespace layer
