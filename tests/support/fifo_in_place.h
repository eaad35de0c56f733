#pragma once

#include <atomic>
#include <filesystem>
#include <thread>

namespace test {

// A FIFO made in place of a file (whatever was there is removed). A reader that blocks opening
// it is let go by a watcher that keeps opening the writing end, so that a test of code that
// waits in the open fails instead of hanging. The watcher stops with the object.
class FifoInPlace {
  public:
    explicit FifoInPlace(const std::filesystem::path& path);
    ~FifoInPlace();
    FifoInPlace(const FifoInPlace&) = delete;
    FifoInPlace& operator=(const FifoInPlace&) = delete;

    bool made() const { return made_; }

  private:
    std::filesystem::path path_;
    bool made_ = false;
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};

}  // namespace test
