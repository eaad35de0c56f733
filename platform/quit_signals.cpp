#include "platform/quit_signals.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace platform {
namespace {

// The handlers only touch these lock-free atomics and call write, alarm and _exit.
static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<unsigned>::is_always_lock_free);

std::atomic<bool> installed{false};
std::atomic<int> first_signal{0};
std::atomic<bool> quit_pending{false};
std::atomic<unsigned> grace{0};

constexpr char kForcedQuitText[] = "Quit signal not answered: the program ends at once\n";

[[noreturn]] void ExitAtOnce() {
    [[maybe_unused]] const ssize_t written =
        write(STDERR_FILENO, kForcedQuitText, sizeof kForcedQuitText - 1);
    _exit(128 + first_signal.load());
}

void OnQuitSignal(int number) {
    int none = 0;
    if (!first_signal.compare_exchange_strong(none, number)) {
        ExitAtOnce();
    }
    quit_pending.store(true);
    alarm(grace.load());
}

void OnAlarm(int) {
    ExitAtOnce();
}

void Install(int number, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
}

}  // namespace

void CatchQuitSignals(unsigned grace_seconds) {
    if (installed.exchange(true)) {
        return;
    }
    grace.store(grace_seconds);
    Install(SIGALRM, &OnAlarm);
    Install(SIGINT, &OnQuitSignal);
    Install(SIGTERM, &OnQuitSignal);
}

bool TakeQuitSignal() {
    return quit_pending.exchange(false);
}

}  // namespace platform
