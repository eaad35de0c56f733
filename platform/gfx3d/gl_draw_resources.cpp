#include "platform/gfx3d/gl_draw_resources.h"

#include <algorithm>
#include <cstdint>

#include "platform/gfx3d/gl_combiner.h"

namespace platform {
namespace {

constexpr int kFilters = 2;
constexpr int kAddresses = 3;
// The streaming buffers' first size; a larger draw grows its buffer.
constexpr GLsizeiptr kStreamBytes = 1 << 20;

// A buffer written front to back, draw after draw.
struct Stream {
    GLuint buffer = 0;
    GLenum target = 0;
    GLsizeiptr capacity = 0;
    GLsizeiptr used = 0;
};

struct DrawResources {
    bool made = false;
    Stream vertices{0, GL_ARRAY_BUFFER};
    Stream indices{0, GL_ELEMENT_ARRAY_BUFFER};
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

void Point(GLuint location, GLint size, GLenum type, GLboolean normalised, int stride, int offset) {
    if (offset < 0) {
        return;
    }
    gl.EnableVertexAttribArray(location);
    gl.VertexAttribPointer(location, size, type, normalised, stride,
                           reinterpret_cast<const void*>(static_cast<std::intptr_t>(offset)));
}

// Writes the bytes at the next multiple of `unit` (orphaning the buffer when they do not fit)
// and returns their offset; the buffer must be bound to its target.
GLintptr Write(Stream& stream, const void* bytes, GLsizeiptr size, GLsizeiptr unit) {
    GLsizeiptr offset = (stream.used + unit - 1) / unit * unit;
    if (offset + size > stream.capacity) {
        stream.capacity = std::max(stream.capacity, size);
        gl.BufferData(stream.target, stream.capacity, nullptr, GL_STREAM_DRAW);
        offset = 0;
    }
    gl.BufferSubData(stream.target, offset, size, bytes);
    stream.used = offset + size;
    return offset;
}

void Make() {
    gl.GenBuffers(1, &resources.vertices.buffer);
    gl.GenBuffers(1, &resources.indices.buffer);
    gl.GenVertexArrays(kVertexLayoutCount, resources.arrays);
    for (int layout = 0; layout < kVertexLayoutCount; ++layout) {
        const LayoutRow& row = kLayouts[layout];
        gl.BindVertexArray(resources.arrays[layout]);
        gl.BindBuffer(GL_ARRAY_BUFFER, resources.vertices.buffer);
        gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, resources.indices.buffer);
        Point(kPositionAttribute, 2, GL_FLOAT, GL_FALSE, row.stride, 0);
        // 0xAARRGGBB in memory is B, G, R, A: read back in red-first order.
        Point(kDiffuseAttribute, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, row.stride, 16);
        Point(kSpecularAttribute, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, row.stride, row.specular);
        Point(kCoordinates0Attribute, 2, GL_FLOAT, GL_FALSE, row.stride, row.coordinates0);
        Point(kCoordinates1Attribute, 2, GL_FLOAT, GL_FALSE, row.stride, row.coordinates1);
    }
    for (Stream* stream : {&resources.vertices, &resources.indices}) {
        gl.BindBuffer(stream->target, stream->buffer);
        stream->capacity = kStreamBytes;
        gl.BufferData(stream->target, stream->capacity, nullptr, GL_STREAM_DRAW);
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

StreamedDraw BindVertices(VertexLayout layout, const void* vertices, int vertex_count,
                          const std::uint16_t* indices, int index_count) {
    if (!resources.made) {
        Make();
    }
    const int index = static_cast<int>(layout);
    const GLsizeiptr stride = kVertexSizes[index];
    gl.BindVertexArray(resources.arrays[index]);
    gl.BindBuffer(GL_ARRAY_BUFFER, resources.vertices.buffer);
    StreamedDraw placed;
    placed.first_vertex =
        static_cast<GLint>(Write(resources.vertices, vertices,
                                 static_cast<GLsizeiptr>(vertex_count) * stride, stride) /
                           stride);
    if (indices != nullptr) {
        placed.index_offset = Write(resources.indices, indices,
                                    static_cast<GLsizeiptr>(index_count) * sizeof(std::uint16_t),
                                    sizeof(std::uint16_t));
    }
    return placed;
}

GLuint SamplerFor(std::uint32_t filter, std::uint32_t address) {
    if (!resources.made) {
        Make();
    }
    const int filter_index = filter == kFilterLinear ? 1 : 0;
    const int address_index = address == kAddressWrap ? 0 : address == kAddressMirror ? 1 : 2;
    return resources.samplers[filter_index][address_index];
}

void ReleaseGlDrawResources() {
    ReleaseCombinerPrograms();
    if (!resources.made) {
        return;
    }
    gl.DeleteBuffers(1, &resources.vertices.buffer);
    gl.DeleteBuffers(1, &resources.indices.buffer);
    gl.DeleteVertexArrays(kVertexLayoutCount, resources.arrays);
    for (auto& row : resources.samplers) {
        gl.DeleteSamplers(kAddresses, row);
    }
    resources = DrawResources{};
}

}  // namespace platform
