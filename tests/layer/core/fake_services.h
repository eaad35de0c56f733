#pragma once

#include <string>
#include <vector>

#include "layer/graphics/graphics_services.h"

namespace test {

// The graphics, media, input hooks, key-input, IME and network services the layer core calls are
// recording fakes in the core's tests: each call is noted by name (with its arguments where
// they matter), and the answers come from the values below.
std::vector<std::string>& FakeCalls();
// The calls of the given names, in order.
std::vector<std::string> FakeCallsNamed(const std::vector<std::string>& names);

struct FakeGraphics {
    int screen_width = 640;
    int screen_height = 480;
    int screen_bits = 16;
    int draw_target = layer::kDrawTargetFront;
    int vsync_wait = 0;
    int restore_handler_installed = 0;
    int display_mode_changed = 0;
    int direct_draw_mode = 0;
    layer::DirectDrawObject* direct_draw_object = nullptr;
    // Whether a screen-mode change posts its display-change notice.
    bool posts_display_change = true;
    int gdi_surface_mode = 0;
    int mode_word = 0;
};

FakeGraphics& Graphics();
// Forgets the calls and puts every fake value back.
void ResetFakes();

}  // namespace test
