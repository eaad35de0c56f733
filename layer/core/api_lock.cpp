#include "layer/core/api_lock.h"

namespace layer {

ApiLock api_lock;

void ApiLock::Enter() {
    std::unique_lock lock(guard_);
    const std::thread::id self = std::this_thread::get_id();
    created_ = true;
    if (depth_ > 0 && owner_ == self) {
        ++depth_;
        return;
    }
    const std::uint64_t ticket = next_ticket_++;
    turn_.wait(lock, [&] { return now_serving_ == ticket; });
    owner_ = self;
    depth_ = 1;
}

void ApiLock::Leave() {
    std::lock_guard lock(guard_);
    if (--depth_ > 0) {
        return;
    }
    owner_ = std::thread::id();
    ++now_serving_;
    turn_.notify_all();
}

int ApiLock::waiting() const {
    std::lock_guard lock(guard_);
    const std::uint64_t queued = next_ticket_ - now_serving_;
    return static_cast<int>(depth_ > 0 ? queued - 1 : queued);
}

bool ApiLock::created() const {
    std::lock_guard lock(guard_);
    return created_;
}

void ApiLock::Destroy() {
    std::lock_guard lock(guard_);
    const std::uint64_t others = next_ticket_ - now_serving_ - (depth_ > 0 ? 1 : 0);
    const bool held_by_other = depth_ > 0 && owner_ != std::this_thread::get_id();
    if (!created_ || others != 0 || held_by_other) {
        return;
    }
    next_ticket_ = 0;
    now_serving_ = 0;
    owner_ = std::thread::id();
    depth_ = 0;
    created_ = false;
}

}  // namespace layer
