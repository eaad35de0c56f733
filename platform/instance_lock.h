#pragma once

#include <string_view>

namespace platform {

// A lock shared by every process of the user that names the same class: the second
// holder fails until the first releases it (or exits). Used to keep one game running.
class InstanceLock {
  public:
    InstanceLock() = default;
    ~InstanceLock() { Release(); }
    InstanceLock(InstanceLock&& other) noexcept : descriptor_(other.descriptor_) {
        other.descriptor_ = -1;
    }
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock named by the class name; false when another holder has it or the lock
    // file cannot be opened, each said in one line on stderr. An object holds at most one lock:
    // a held one is released first.
    bool Acquire(std::string_view class_name);
    void Release();
    bool held() const { return descriptor_ >= 0; }

  private:
    int descriptor_ = -1;
};

}  // namespace platform
