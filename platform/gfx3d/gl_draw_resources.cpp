#include "platform/gfx3d/gl_draw_resources.h"

#include <cstdint>

#include "platform/gfx3d/gl_combiner.h"

namespace platform {
namespace {

constexpr int kFilters = 2;
constexpr int kAddresses = 3;

struct DrawResources {
    bool made = false;
    GLuint vertex_buffer = 0;
    GLuint index_buffer = 0;
    GLuint arrays[kVertexLayoutCount] = {};
    GLuint samplers[kFilters][kAddresses] = {};
};

DrawResources resources;

// The attributes of each layout; -1 offsets are absent and read the generic value.
struct LayoutRow {
    int stride;
    int specular;
    int coordinates0;
    int coordinates1;
};

constexpr LayoutRow kLayouts[kVertexLayoutCount] = {
    {20, -1, -1, -1},
    {28, -1, 20, 20},
    {40, 20, 24, 32},
};

void Point(GLuint location, GLint size, GLenum type, GLboolean normalised, int stride,
           int offset) {
    if (offset < 0) {
        return;
    }
    gl.EnableVertexAttribArray(location);
    gl.VertexAttribPointer(location, size, type, normalised, stride,
                           reinterpret_cast<const void*>(static_cast<std::intptr_t>(offset)));
}

void Make() {
    gl.GenBuffers(1, &resources.vertex_buffer);
    gl.GenBuffers(1, &resources.index_buffer);
    gl.GenVertexArrays(kVertexLayoutCount, resources.arrays);
    for (int layout = 0; layout < kVertexLayoutCount; ++layout) {
        const LayoutRow& row = kLayouts[layout];
        gl.BindVertexArray(resources.arrays[layout]);
        gl.BindBuffer(GL_ARRAY_BUFFER, resources.vertex_buffer);
        gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, resources.index_buffer);
        Point(kPositionAttribute, 2, GL_FLOAT, GL_FALSE, row.stride, 0);
        // 0xAARRGGBB in memory is B, G, R, A: read back in red-first order.
        Point(kDiffuseAttribute, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, row.stride, 16);
        Point(kSpecularAttribute, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, row.stride, row.specular);
        Point(kCoordinates0Attribute, 2, GL_FLOAT, GL_FALSE, row.stride, row.coordinates0);
        Point(kCoordinates1Attribute, 2, GL_FLOAT, GL_FALSE, row.stride, row.coordinates1);
    }
    gl.BindVertexArray(0);
    gl.VertexAttrib4f(kSpecularAttribute, 1.0f, 1.0f, 1.0f, 1.0f);
    gl.VertexAttrib4f(kCoordinates0Attribute, 0.0f, 0.0f, 0.0f, 1.0f);
    gl.VertexAttrib4f(kCoordinates1Attribute, 0.0f, 0.0f, 0.0f, 1.0f);
    constexpr GLint kAddressModes[kAddresses] = {GL_REPEAT, GL_MIRRORED_REPEAT, GL_CLAMP_TO_EDGE};
    for (int filter = 0; filter < kFilters; ++filter) {
        for (int address = 0; address < kAddresses; ++address) {
            GLuint& sampler = resources.samplers[filter][address];
            gl.GenSamplers(1, &sampler);
            const GLint mode = filter == 0 ? GL_NEAREST : GL_LINEAR;
            gl.SamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, mode);
            gl.SamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, mode);
            gl.SamplerParameteri(sampler, GL_TEXTURE_WRAP_S, kAddressModes[address]);
            gl.SamplerParameteri(sampler, GL_TEXTURE_WRAP_T, kAddressModes[address]);
        }
    }
    resources.made = true;
}

}  // namespace

void BindVertices(VertexLayout layout, const void* vertices, int vertex_count,
                  const std::uint16_t* indices, int index_count) {
    if (!resources.made) {
        Make();
    }
    const int index = static_cast<int>(layout);
    gl.BindVertexArray(resources.arrays[index]);
    gl.BindBuffer(GL_ARRAY_BUFFER, resources.vertex_buffer);
    gl.BufferData(GL_ARRAY_BUFFER,
                  static_cast<GLsizeiptr>(vertex_count) * kVertexSizes[index], vertices,
                  GL_STREAM_DRAW);
    if (indices != nullptr) {
        gl.BufferData(GL_ELEMENT_ARRAY_BUFFER,
                      static_cast<GLsizeiptr>(index_count) * sizeof(std::uint16_t), indices,
                      GL_STREAM_DRAW);
    }
}

GLuint SamplerFor(std::uint32_t filter, std::uint32_t address) {
    if (!resources.made) {
        Make();
    }
    const int filter_index = filter == kFilterLinear ? 1 : 0;
    const int address_index = address == kAddressWrap     ? 0
                              : address == kAddressMirror ? 1
                                                          : 2;
    return resources.samplers[filter_index][address_index];
}

void ReleaseGlDrawResources() {
    ReleaseCombinerPrograms();
    if (!resources.made) {
        return;
    }
    gl.DeleteBuffers(1, &resources.vertex_buffer);
    gl.DeleteBuffers(1, &resources.index_buffer);
    gl.DeleteVertexArrays(kVertexLayoutCount, resources.arrays);
    for (auto& row : resources.samplers) {
        gl.DeleteSamplers(kAddresses, row);
    }
    resources = DrawResources{};
}

}  // namespace platform
