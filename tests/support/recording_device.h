#pragma once

// A 3D back end that draws nothing: it answers its enumerations from a script, refuses the
// calls a test names, and keeps a log of every device call with copies of the vertices and
// indices drawn. Installed for the life of a RecordingDeviceScope.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx3d/device.h"

namespace test {

struct DeviceCall {
    std::string name;
    // The call's numbers: states and values, stages, counts, rectangle corners.
    std::vector<std::int64_t> args;
    const platform::DisplaySurface* surface = nullptr;
    platform::VertexLayout layout = platform::VertexLayout::kPlain;
    std::vector<std::uint8_t> vertices;
    std::vector<std::uint16_t> indices;

    template <typename Vertex>
    const Vertex& VertexAt(int index) const {
        return reinterpret_cast<const Vertex*>(vertices.data())[index];
    }
    int VertexCount() const {
        return static_cast<int>(vertices.size()) / platform::kVertexSizes[static_cast<int>(layout)];
    }
};

struct DeviceScript {
    std::vector<platform::DeviceDescription> devices;
    std::vector<platform::DdPixelFormat> depth_formats;
    std::vector<platform::DdPixelFormat> texture_formats;
};

struct DeviceRecording {
    DeviceScript script;
    std::vector<DeviceCall> calls;
    // Names of calls that fail the next time they are made (once each).
    std::vector<std::string> fail_next;
    // Devices made and not yet deleted.
    int live_devices = 0;

    int Count(const std::string& name) const;
    // The calls of one name, in order.
    std::vector<const DeviceCall*> Calls(const std::string& name) const;
    // Render-state calls of one state (every value sent, in order).
    std::vector<std::int64_t> RenderStates(platform::RenderState state) const;
    // The value sent last for a stage state, or -1.
    std::int64_t LastStageState(int stage, platform::StageState state) const;
    std::int64_t LastRenderState(platform::RenderState state) const;
};

DeviceRecording& Recording();

// The recording back end while the scope lives, on the standard script; the OpenGL back end
// again afterwards.
class RecordingDeviceScope {
  public:
    RecordingDeviceScope();
    ~RecordingDeviceScope();
    RecordingDeviceScope(const RecordingDeviceScope&) = delete;
    RecordingDeviceScope& operator=(const RecordingDeviceScope&) = delete;
};

}  // namespace test
