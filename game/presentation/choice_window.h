#pragma once

#include <cstdint>
#include <string>

namespace game {

// The window that offers the items of the choice command.
struct ChoiceWindow {
    std::string text;
    std::uint8_t open = 0;
    // The selected item, from 0; a decision hands cursor + 2 back to the interpreter.
    int cursor = 0;
};

// Loads the window skin named by the system database.
void LoadChoiceWindowSkin(ChoiceWindow& choiceWindow);
void UpdateChoiceWindow(ChoiceWindow& choiceWindow);
void DrawChoiceWindow(ChoiceWindow& choiceWindow);

}  // namespace game
