// Key-input strings, the IME and the network code, still pending, as the core's tests see them:
// every call recorded, so that a test can see where the layer calls them. These replace all of
// layer/core/pending_hooks.cpp and leave when that file's real code arrives.
#include <string>

#include "layer/core/ime.h"
#include "layer/core/network.h"
#include "layer/core/text_input.h"
#include "tests/layer/core/fake_services.h"

namespace layer {
int InitTextInput() {
    return test::NoteCall("InitTextInput");
}
int EndTextInput() {
    return test::NoteCall("EndTextInput");
}
int ApplyTypedChars() {
    return test::NoteCall("ApplyTypedChars");
}
int HandleImeMessage(const platform::Message&) {
    return test::NoteCall("HandleImeMessage");
}
int IsImeSwitchedOn() {
    return 0;
}
int IsImeOpen() {
    return 0;
}
int StartImeRestore() {
    return test::NoteCall("StartImeRestore");
}
int ClearNetworkState() {
    return test::NoteCall("ClearNetworkState");
}
int EndNetwork() {
    return test::NoteCall("EndNetwork");
}
int DeleteAllHttpSlots() {
    return test::NoteCall("DeleteAllHttpSlots");
}
int PumpNetworkMessages() {
    return test::NoteCall("PumpNetworkMessages");
}
int UpdateHttpSlots() {
    return test::NoteCall("UpdateHttpSlots");
}
int HandleSocketEvent(const platform::Message&) {
    return test::NoteCall("HandleSocketEvent");
}

}  // namespace layer
