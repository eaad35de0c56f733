#include "layer/core/window_menu.h"

#include "layer/core/window_state.h"

namespace layer {

int ReadMenuItem(const platform::Menu* menu, int position, MenuItemInfo* info) {
    platform::MenuEntry entry;
    if (!platform::ReadMenuEntry(menu, position, &entry)) {
        return -1;
    }
    if (entry.separator) {
        *info = {};
        info->type = kMenuItemSeparator;
        return 1;
    }
    info->type = kMenuItemText;
    info->id = entry.id;
    info->submenu = entry.submenu;
    info->text = entry.text.substr(0, kMenuItemTextMaxLength);
    return 0;
}

int CollectMenuItems(const platform::Menu* menu) {
    const int count = platform::CountMenuEntries(menu);
    for (int position = 0; position < count; ++position) {
        MenuItemInfo info;
        const int read = ReadMenuItem(menu, position, &info);
        if (read == -1) {
            return -1;
        }
        if (read == 1) {
            continue;
        }
        window_state.menu_items.push_back({menu, position, info.id, info.text});
        if (info.submenu != nullptr && CollectMenuItems(info.submenu) == -1) {
            return -1;
        }
    }
    return 0;
}

int FindToolBarButton(int) {
    return -1;
}

int GetToolBarHeight() {
    return 0;
}

int DeleteToolBarButtons() {
    return -1;
}

int IsCursorShownForMenu() {
    if (window_state.window == nullptr || window_state.menu_in_use == 0 ||
        window_state.menu_switched_off != 0) {
        return 0;
    }
    return window_state.window_mode != 0 || window_state.menu_shown_in_full_screen != 0 ||
                   window_state.menu_shown_on_demand != 0
               ? 1
               : 0;
}

}  // namespace layer
