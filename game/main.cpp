// The player's entry point until the game start-up arrives: the layer is started, its window
// is kept alive until it closes, and the layer is shut down. QVARN_EXIT_AFTER_FRAMES=N ends
// after N rounds.
#include <cstdlib>

#include "layer/core/layer_api.h"

namespace {

constexpr int kFrameMilliseconds = 16;
constexpr int kStartFailedExitCode = 255;

long FrameLimit() {
    const char* value = std::getenv("QVARN_EXIT_AFTER_FRAMES");
    return value != nullptr ? std::strtol(value, nullptr, 10) : -1;
}

}  // namespace

int main() {
    layer::RequestWindowMode(1);
    if (layer::InitializeLayer() != 0) {
        return kStartFailedExitCode;
    }
    const long limit = FrameLimit();
    for (long frame = 0; limit < 0 || frame < limit; ++frame) {
        layer::WaitMilliseconds(kFrameMilliseconds);
        if (layer::PumpMessages() == -1) {
            break;
        }
    }
    layer::ShutdownLayer();
    return 0;
}
