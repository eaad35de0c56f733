#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace layer {

// The layer-wide lock the lifecycle entries take: recursive for its owner, and fair: threads
// are served in the order they arrived, none overtakes another.
class ApiLock {
  public:
    void Enter();
    void Leave();
    // Threads waiting for the lock now.
    int waiting() const;
    // True from the first Enter until Destroy.
    bool created() const;
    // Takes the lock back to its never-used state, as the shutdown and the fatal stop do. A
    // lock that another thread holds or waits for is left as it is: clearing it would lose them.
    void Destroy();

  private:
    mutable std::mutex guard_;
    std::condition_variable turn_;
    std::uint64_t next_ticket_ = 0;
    std::uint64_t now_serving_ = 0;
    std::thread::id owner_;
    int depth_ = 0;
    bool created_ = false;
};

extern ApiLock api_lock;

}  // namespace layer
