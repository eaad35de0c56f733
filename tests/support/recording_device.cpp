#include "tests/support/recording_device.h"

#include <algorithm>

#include "platform/gfx3d/standard_caps.h"

namespace test {
namespace {

DeviceRecording recording;

// A call that the test asked to fail, used up.
bool Refused(const char* name) {
    auto found = std::find(recording.fail_next.begin(), recording.fail_next.end(), name);
    if (found == recording.fail_next.end()) {
        return false;
    }
    recording.fail_next.erase(found);
    return true;
}

int Note(const char* name, std::vector<std::int64_t> args,
         const platform::DisplaySurface* surface = nullptr) {
    DeviceCall call;
    call.name = name;
    call.args = std::move(args);
    call.surface = surface;
    recording.calls.push_back(std::move(call));
    return Refused(name) ? platform::kDisplayFailed : platform::kDisplayOk;
}

std::int64_t Code(auto value) {
    return static_cast<std::int64_t>(value);
}

class RecordingDevice3D : public platform::Device3D {
  public:
    RecordingDevice3D() { ++recording.live_devices; }
    ~RecordingDevice3D() override {
        --recording.live_devices;
        Note("ReleaseDevice", {});
    }

    int EnumTextureFormats(std::vector<platform::DdPixelFormat>* formats) override {
        *formats = recording.script.texture_formats;
        return Note("EnumTextureFormats", {});
    }
    int SetRenderState(platform::RenderState state, std::uint32_t value) override {
        return Note("SetRenderState", {Code(state), Code(value)});
    }
    int SetStageState(int stage, platform::StageState state, std::uint32_t value) override {
        return Note("SetStageState", {stage, Code(state), Code(value)});
    }
    int SetTexture(int stage, platform::DisplaySurface* texture) override {
        return Note("SetTexture", {stage}, texture);
    }
    int SetRenderTarget(platform::DisplaySurface* target) override {
        return Note("SetRenderTarget", {}, target);
    }
    int SetViewport(const platform::Viewport3D& viewport) override {
        return Note("SetViewport", {viewport.x, viewport.y, viewport.width, viewport.height});
    }
    int BeginScene() override { return Note("BeginScene", {}); }
    int EndScene() override { return Note("EndScene", {}); }
    int SetTransform(platform::TransformKind kind, const float*) override {
        return Note("SetTransform", {Code(kind)});
    }
    int DrawPrimitive(platform::Primitive primitive, platform::VertexLayout layout,
                      const void* vertices, int count) override {
        const int result = Note("DrawPrimitive", {Code(primitive), count});
        KeepVertices(layout, vertices, count);
        return result;
    }
    int DrawIndexedPrimitive(platform::Primitive primitive, platform::VertexLayout layout,
                             const void* vertices, int vertex_count, const std::uint16_t* indices,
                             int index_count) override {
        const int result =
            Note("DrawIndexedPrimitive", {Code(primitive), vertex_count, index_count});
        KeepVertices(layout, vertices, vertex_count);
        recording.calls.back().indices.assign(indices, indices + index_count);
        return result;
    }
    int Load(platform::DisplaySurface* destination, int x, int y, platform::DisplaySurface* source,
             const platform::DisplayRect& rect) override {
        return Note("Load", {x, y, rect.left, rect.top, rect.right, rect.bottom}, destination) ==
                           platform::kDisplayOk &&
                       source != nullptr
                   ? platform::kDisplayOk
                   : platform::kDisplayFailed;
    }
    int Clear(const platform::DisplayRect* rect, std::uint32_t flags, std::uint32_t colour,
              float) override {
        std::vector<std::int64_t> args{Code(flags), Code(colour)};
        if (rect != nullptr) {
            args.insert(args.end(), {rect->left, rect->top, rect->right, rect->bottom});
        }
        return Note("Clear", std::move(args));
    }

  private:
    static void KeepVertices(platform::VertexLayout layout, const void* vertices, int count) {
        DeviceCall& call = recording.calls.back();
        call.layout = layout;
        const auto* bytes = static_cast<const std::uint8_t*>(vertices);
        call.vertices.assign(bytes, bytes + static_cast<std::size_t>(count) *
                                                platform::kVertexSizes[static_cast<int>(layout)]);
    }
};

class RecordingDirect3D : public platform::Direct3D {
  public:
    int EnumDevices(std::vector<platform::DeviceDescription>* devices) override {
        *devices = recording.script.devices;
        return Note("EnumDevices", {});
    }
    int EnumDepthFormats(platform::DeviceKind kind,
                         std::vector<platform::DdPixelFormat>* formats) override {
        *formats = recording.script.depth_formats;
        return Note("EnumDepthFormats", {Code(kind)});
    }
    int CreateDevice(platform::DeviceKind kind, platform::DisplaySurface* target,
                     platform::Device3D** out) override {
        *out = nullptr;
        if (Note("CreateDevice", {Code(kind)}, target) != platform::kDisplayOk) {
            return platform::kDisplayFailed;
        }
        *out = new RecordingDevice3D;
        return platform::kDisplayOk;
    }
};

platform::Direct3D* MakeRecordingDirect3D(platform::DisplayObject*) {
    return new RecordingDirect3D;
}

}  // namespace

int DeviceRecording::Count(const std::string& name) const {
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(), [&](const DeviceCall& call) { return call.name == name; }));
}

std::vector<const DeviceCall*> DeviceRecording::Calls(const std::string& name) const {
    std::vector<const DeviceCall*> found;
    for (const DeviceCall& call : calls) {
        if (call.name == name) {
            found.push_back(&call);
        }
    }
    return found;
}

std::vector<std::int64_t> DeviceRecording::RenderStates(platform::RenderState state) const {
    std::vector<std::int64_t> values;
    for (const DeviceCall* call : Calls("SetRenderState")) {
        if (call->args[0] == Code(state)) {
            values.push_back(call->args[1]);
        }
    }
    return values;
}

std::int64_t DeviceRecording::LastRenderState(platform::RenderState state) const {
    const std::vector<std::int64_t> values = RenderStates(state);
    return values.empty() ? -1 : values.back();
}

std::int64_t DeviceRecording::LastStageState(int stage, platform::StageState state) const {
    std::int64_t value = -1;
    for (const DeviceCall* call : Calls("SetStageState")) {
        if (call->args[0] == stage && call->args[1] == Code(state)) {
            value = call->args[2];
        }
    }
    return value;
}

DeviceRecording& Recording() {
    return recording;
}

RecordingDeviceScope::RecordingDeviceScope() {
    recording = DeviceRecording{};
    recording.script = {platform::StandardDevices(), platform::StandardDepthFormats(),
                        platform::StandardTextureFormats()};
    platform::SetDirect3DMaker(MakeRecordingDirect3D);
}

RecordingDeviceScope::~RecordingDeviceScope() {
    platform::SetDirect3DMaker(nullptr);
}

}  // namespace test
