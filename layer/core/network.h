#pragma once

#include "platform/window_message.h"

namespace layer {

// The dormant network and web-request code: never started in the player, but the layer's
// start-up, shutdown, window procedure and message pump call it in their places. The start-up's
// clearing and the pump's and shutdown's parts give 0, the socket notice -1.
int ClearNetworkState();
int EndNetwork();
int DeleteAllHttpSlots();
int PumpNetworkMessages();
int UpdateHttpSlots();
int HandleSocketEvent(const platform::Message& message);

}  // namespace layer
