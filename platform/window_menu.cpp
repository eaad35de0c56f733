#include "platform/window_menu.h"

namespace platform {

const Menu* GetWindowMenu(const Window*) {
    return nullptr;
}

int CountMenuEntries(const Menu* menu) {
    return menu != nullptr ? static_cast<int>(menu->entries.size()) : -1;
}

bool ReadMenuEntry(const Menu* menu, int position, MenuEntry* entry) {
    if (menu == nullptr || position < 0 || position >= CountMenuEntries(menu)) {
        return false;
    }
    *entry = menu->entries[static_cast<std::size_t>(position)];
    return true;
}

}  // namespace platform
