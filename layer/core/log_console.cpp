#include "layer/core/log_console.h"

#include "layer/core/layer_api.h"

namespace layer {

LogConsole log_console;

int IsLogConsoleVisible() {
    return log_console.shown;
}

}  // namespace layer
