#pragma once

#include "platform/window_message.h"

namespace platform {

// One queue of window messages for the process, oldest first. Posting is safe from any
// thread; the window-system events are read only on the thread that created the window.

void PostWindowMessage(const Message& message);
// Removes the oldest message into `message`; false when the queue is empty.
bool TakeWindowMessage(Message* message);
bool HasWindowMessage();
// Empties the queue (a destroyed window's messages are never delivered).
void DiscardWindowMessages();

// Translates the waiting window-system events into messages at the end of the queue. Call
// only on the thread that created the window.
void ReceiveSystemEvents();

}  // namespace platform
