#include "platform/message_queue.h"

#include <deque>
#include <mutex>

namespace platform {
namespace {

std::mutex queue_mutex;
std::deque<Message> queue;

}  // namespace

void PostWindowMessage(const Message& message) {
    std::lock_guard lock(queue_mutex);
    queue.push_back(message);
}

bool TakeWindowMessage(Message* message) {
    std::lock_guard lock(queue_mutex);
    if (queue.empty()) {
        return false;
    }
    *message = std::move(queue.front());
    queue.pop_front();
    return true;
}

bool HasWindowMessage() {
    std::lock_guard lock(queue_mutex);
    return !queue.empty();
}

void DiscardWindowMessages() {
    std::lock_guard lock(queue_mutex);
    queue.clear();
}

}  // namespace platform
