#pragma once

#include "layer/core/layer_api.h"

namespace test {

// Switches the auto-confirm test hook on or off for the scope (the shared test main turns it
// on for every test), for tests that need real key handling or the printed texts.
class AutoConfirmScope {
  public:
    explicit AutoConfirmScope(bool on) {
        layer::TestHooks hooks = layer::GetTestHooks();
        hooks.auto_confirm = on ? 1 : 0;
        previous_ = layer::SetTestHooks(hooks);
    }
    ~AutoConfirmScope() { layer::SetTestHooks(previous_); }
    AutoConfirmScope(const AutoConfirmScope&) = delete;
    AutoConfirmScope& operator=(const AutoConfirmScope&) = delete;

  private:
    layer::TestHooks previous_;
};

}  // namespace test
