#pragma once

#include <cstdint>
#include <string>

namespace game {

// The window that shows the message text of the show-message command.
struct MessageWindow {
    std::string text;
    std::uint8_t open = 0;
    std::uint8_t waiting = 0;
};

// Loads the page-wait cursor named by the system database.
void LoadMessageWaitCursor(MessageWindow& messageWindow);
void UpdateMessageWindow(MessageWindow& messageWindow);
void DrawMessageWindow(MessageWindow& messageWindow);

}  // namespace game
