#include "platform/file_hooks.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<int> pending_open_failures{0};
std::atomic<int> read_delay_milliseconds{0};

}  // namespace

void FailNextOpens(int count) {
    pending_open_failures.store(count > 0 ? count : 0);
}

void SetReadDelayMilliseconds(int milliseconds) {
    read_delay_milliseconds.store(milliseconds > 0 ? milliseconds : 0);
}

bool TakeOpenFailure() {
    int pending = pending_open_failures.load();
    while (pending > 0) {
        if (pending_open_failures.compare_exchange_weak(pending, pending - 1))
            return true;
    }
    return false;
}

int ReadDelayMilliseconds() {
    return read_delay_milliseconds.load();
}

}  // namespace platform
