// The network is never started in the player: no socket is opened and no web request made.
// The layer's start-up, shutdown, window procedure and message pump still call these in their
// places; each refuses at once and logs nothing.
#include "layer/core/network.h"

namespace layer {

int ClearNetworkState() {
    return 0;
}
int EndNetwork() {
    return 0;
}
int DeleteAllHttpSlots() {
    return 0;
}
int PumpNetworkMessages() {
    return 0;
}
int UpdateHttpSlots() {
    return 0;
}
int HandleSocketEvent(const platform::Message&) {
    return -1;
}

}  // namespace layer
