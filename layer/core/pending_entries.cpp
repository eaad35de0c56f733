// Entries whose work is not in the player yet: each logs one line and fails (-1); setters that
// always succeed and flag or bit getters give 0, pointer results null. Entries leave this
// file as their work arrives.
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"

namespace layer {
namespace {

int Pending(const char* name) {
    WriteLogFormat("%s: not available yet", name);
    return -1;
}

int PendingZero(const char* name) {
    Pending(name);
    return 0;
}

}  // namespace

int SetTextInputColors(std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t,
                       std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t,
                       std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t) {
    return PendingZero(__func__);
}
int CreateTextInput(int, int, int, int) {
    return Pending(__func__);
}
int DeleteTextInput(int) {
    return Pending(__func__);
}
int ActivateTextInput(int) {
    return Pending(__func__);
}
int GetTextInputState(int) {
    return Pending(__func__);
}
int DrawTextInput(int, int, int) {
    return Pending(__func__);
}
int SetTextInputString(const char*, int) {
    return Pending(__func__);
}
int GetTextInputString(char*, int) {
    return Pending(__func__);
}

}  // namespace layer
