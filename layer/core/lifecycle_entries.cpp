// The three entries that take the layer-wide lock.
#include "layer/core/api_lock.h"
#include "layer/core/core_settings.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_startup.h"
#include "layer/core/message_pump.h"

namespace layer {

int InitializeLayer() {
    if (core_settings.started != 0) {
        return 0;
    }
    api_lock.Enter();
    const int result = StartLayer();
    api_lock.Leave();
    return result;
}

int ShutdownLayer() {
    if (core_settings.started == 0) {
        return 0;
    }
    api_lock.Enter();
    const int result = EndLayer();
    api_lock.Leave();
    api_lock.Destroy();
    return result;
}

int PumpMessages() {
    api_lock.Enter();
    const int result = RunMessagePump();
    api_lock.Leave();
    return result;
}

}  // namespace layer
