#include "platform/file_hooks.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<int> pending_open_failures{0};
std::atomic<int> pending_write_failures{0};
std::atomic<int> pending_flush_failures{0};
std::atomic<int> pending_rename_failures{0};
std::atomic<int> read_delay_milliseconds{0};
std::atomic<long long> free_bytes_for_tests{-1};

void SetPending(std::atomic<int>& pending, int count) {
    pending.store(count > 0 ? count : 0);
}

bool TakePending(std::atomic<int>& pending) {
    int left = pending.load();
    while (left > 0) {
        if (pending.compare_exchange_weak(left, left - 1))
            return true;
    }
    return false;
}

}  // namespace

void FailNextOpens(int count) {
    SetPending(pending_open_failures, count);
}

void FailNextWrites(int count) {
    SetPending(pending_write_failures, count);
}

void FailNextFlushes(int count) {
    SetPending(pending_flush_failures, count);
}

void FailNextRenames(int count) {
    SetPending(pending_rename_failures, count);
}

void SetFreeBytesForTests(long long bytes) {
    free_bytes_for_tests.store(bytes < 0 ? -1 : bytes);
}

void SetReadDelayMilliseconds(int milliseconds) {
    read_delay_milliseconds.store(milliseconds > 0 ? milliseconds : 0);
}

bool TakeOpenFailure() {
    return TakePending(pending_open_failures);
}

bool TakeWriteFailure() {
    return TakePending(pending_write_failures);
}

bool TakeFlushFailure() {
    return TakePending(pending_flush_failures);
}

bool TakeRenameFailure() {
    return TakePending(pending_rename_failures);
}

long long FreeBytesForTests() {
    return free_bytes_for_tests.load();
}

int ReadDelayMilliseconds() {
    return read_delay_milliseconds.load();
}

}  // namespace platform
