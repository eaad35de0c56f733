// The test tooling's settings: read once, so that a run sees one set of values throughout
// unless a test replaces them for itself.
#include <cstdlib>
#include <cstring>

#include "layer/core/layer_api.h"

namespace layer {
namespace {

TestHooks ReadTestHooks() {
    TestHooks hooks;
    if (const char* frames = std::getenv("QVARN_EXIT_AFTER_FRAMES"); frames != nullptr) {
        char* end = nullptr;
        const long value = std::strtol(frames, &end, 10);
        if (end != frames && value >= 0)
            hooks.exit_after_frames = value;
    }
    if (const char* path = std::getenv("QVARN_DUMP_FRAME"); path != nullptr)
        hooks.dump_frame_path = path;
    const char* confirm = std::getenv("QVARN_AUTO_CONFIRM");
    hooks.auto_confirm = confirm != nullptr && std::strcmp(confirm, "1") == 0 ? 1 : 0;
    return hooks;
}

TestHooks& CurrentTestHooks() {
    static TestHooks hooks = ReadTestHooks();
    return hooks;
}

}  // namespace

const TestHooks& GetTestHooks() {
    return CurrentTestHooks();
}

TestHooks SetTestHooks(const TestHooks& hooks) {
    const TestHooks previous = CurrentTestHooks();
    CurrentTestHooks() = hooks;
    return previous;
}

}  // namespace layer
