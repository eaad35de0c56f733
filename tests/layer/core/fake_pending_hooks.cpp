// Key-input strings, the IME and the network code, still pending, as the core's tests see them:
// every call recorded, so that a test can see where the layer calls them. These replace all of
// layer/core/pending_hooks.cpp and leave when that file's real code arrives.
#include <string>

#include "layer/core/ime.h"
#include "layer/core/network.h"
#include "layer/core/text_input.h"
#include "tests/layer/core/fake_services.h"

namespace layer {
namespace {

int Note(const std::string& call, int result = 0) {
    test::FakeCalls().push_back(call);
    return result;
}

}  // namespace

int InitTextInput() {
    return Note("InitTextInput");
}
int EndTextInput() {
    return Note("EndTextInput");
}
int ApplyTypedChars() {
    return Note("ApplyTypedChars");
}
int HandleImeMessage(const platform::Message&) {
    return Note("HandleImeMessage");
}
int IsImeSwitchedOn() {
    return 0;
}
int IsImeOpen() {
    return 0;
}
int StartImeRestore() {
    return Note("StartImeRestore");
}
int ClearNetworkState() {
    return Note("ClearNetworkState");
}
int EndNetwork() {
    return Note("EndNetwork");
}
int DeleteAllHttpSlots() {
    return Note("DeleteAllHttpSlots");
}
int PumpNetworkMessages() {
    return Note("PumpNetworkMessages");
}
int UpdateHttpSlots() {
    return Note("UpdateHttpSlots");
}
int HandleSocketEvent(const platform::Message&) {
    return Note("HandleSocketEvent");
}

}  // namespace layer
