#pragma once

#include "platform/window_message.h"

namespace layer {

// Turns one window message into layer state; the result is the message's answer (0 unless
// a handler says otherwise).
int RunWindowProcedure(const platform::Message& message);

// Activation and deactivation of the window (also the deactivation half of activate-app).
int HandleActivation(const platform::Message& message);
// A change of the display mode under the window.
int HandleDisplayChange(const platform::Message& message);

}  // namespace layer
