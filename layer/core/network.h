#pragma once

#include "platform/window_message.h"

namespace layer {

// The dormant network and web-request code: never started in the player, but the layer's
// start-up, shutdown, window procedure and message pump call it in their places.
int ClearNetworkState();
int EndNetwork();
int DeleteAllHttpSlots();
int PumpNetworkMessages();
int UpdateHttpSlots();
int HandleSocketEvent(const platform::Message& message);

}  // namespace layer
