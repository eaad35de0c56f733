#pragma once

#include <condition_variable>
#include <mutex>

namespace platform {

// An event that stays signalled from Set until Reset, waking every waiter meanwhile.
class ManualResetEvent {
  public:
    explicit ManualResetEvent(bool initially_set = false) : set_(initially_set) {}
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    void Wait() const;
    // Returns whether the event was set before the timeout ran out; 0 only polls.
    bool WaitFor(int timeout_milliseconds) const;

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool set_;
};

}  // namespace platform
