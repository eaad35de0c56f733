// Key-input strings, the IME and the dormant network code as they stand until their
// own code arrives: nothing is read, nothing is held, every call succeeds. Each definition
// leaves this file when its real one arrives.
#include "layer/core/ime.h"
#include "layer/core/network.h"
#include "layer/core/text_input.h"

namespace layer {

int InitTextInput() {
    return 0;
}
int EndTextInput() {
    return 0;
}
int ApplyTypedChars() {
    return 0;
}

int HandleImeMessage(const platform::Message&) {
    return 0;
}
int IsImeSwitchedOn() {
    return 0;
}
int IsImeOpen() {
    return 0;
}
int StartImeRestore() {
    return 0;
}

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
    return 0;
}

}  // namespace layer
