#pragma once

#include <string>
#include <vector>

namespace platform {

struct Window;
struct Menu;

// One item of a window menu: a separator, or an item with its command id and text (CP932)
// and, for a submenu, the menu it opens.
struct MenuEntry {
    bool separator = false;
    int id = 0;
    std::string text;
    const Menu* submenu = nullptr;
};

struct Menu {
    std::vector<MenuEntry> entries;
};

// The window's menu bar; the player's window is made without one (null).
const Menu* GetWindowMenu(const Window* window);
// The number of items, -1 without a menu.
int CountMenuEntries(const Menu* menu);
// The item at that position; false without a menu or past its end.
bool ReadMenuEntry(const Menu* menu, int position, MenuEntry* entry);

}  // namespace platform
