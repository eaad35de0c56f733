#pragma once

// What every GL draw shares while the context lives: a streaming vertex buffer and index
// buffer, one vertex array per vertex layout, and samplers by filter and address mode.

#include "platform/gfx3d/device_types.h"
#include "platform/gfx3d/gl_api.h"

namespace platform {

// Where a draw's vertices and indices were written in the streaming buffers: the first
// vertex's number and the indices' byte offset.
struct StreamedDraw {
    GLint first_vertex = 0;
    GLintptr index_offset = 0;
};
// Binds the layout's vertex array with the vertices (and indices, when given) written after
// the previous draw's in the streaming buffers; a full buffer is orphaned and refilled from
// its start, so that no draw waits for an earlier one to finish reading.
StreamedDraw BindVertices(VertexLayout layout, const void* vertices, int vertex_count,
                          const std::uint16_t* indices, int index_count);
// The sampler of a filter (point or linear) and an address mode.
GLuint SamplerFor(std::uint32_t filter, std::uint32_t address);
// Deletes these and the combiner's programmes.
void ReleaseGlDrawResources();

}  // namespace platform
