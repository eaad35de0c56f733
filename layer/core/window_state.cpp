#include "layer/core/window_state.h"

namespace layer {

WindowState window_state;

bool IsMainThread() {
    return window_state.main_thread == std::thread::id() ||
           window_state.main_thread == std::this_thread::get_id();
}

}  // namespace layer
