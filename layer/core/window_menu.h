#pragma once

#include <string>

#include "platform/window_menu.h"

namespace layer {

// Item kinds as ReadMenuItem reports them.
constexpr int kMenuItemText = 0;
constexpr int kMenuItemSeparator = 0x800;
// The longest item text kept, in bytes.
constexpr std::size_t kMenuItemTextMaxLength = 128;

struct MenuItemInfo {
    int type = kMenuItemText;
    int id = 0;
    const platform::Menu* submenu = nullptr;
    std::string text;
};

// 1 for a separator, -1 when the item cannot be read, else 0 with the item's kind, id, submenu
// and text.
int ReadMenuItem(const platform::Menu* menu, int position, MenuItemInfo* info);
// Adds the menu's items in order to the window's item list, each submenu's items right behind
// their item; separators are left out. 0, or -1 when an item cannot be read.
int CollectMenuItems(const platform::Menu* menu);

// The routines of a tool bar above the client area. The player's window has none: no button
// is found (-1), the bar is 0 pixels high and there is nothing to delete (-1).
int FindToolBarButton(int id);
int GetToolBarHeight();
int DeleteToolBarButtons();

// 1 when the window has its menu in use, not switched off, and shown: in window mode, or in
// full screen by either display setting. The cursor is then shown whatever the game asked.
int IsCursorShownForMenu();

}  // namespace layer
