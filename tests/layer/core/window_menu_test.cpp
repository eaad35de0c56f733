#include "layer/core/window_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "layer/core/layer_api.h"
#include "layer/core/window_state.h"
#include "platform/window_menu.h"
#include "tests/layer/core/layer_fixture.h"

namespace {

using Item = std::tuple<const platform::Menu*, int, int, std::string>;

std::vector<Item> CollectedItems() {
    std::vector<Item> items;
    for (const layer::MenuListItem& item : layer::window_state.menu_items) {
        items.emplace_back(item.menu, item.position, item.id, item.text);
    }
    return items;
}

TEST(WindowMenu, ItemsAreCollectedInOrderWithEachSubmenuBehindItsItem) {
    layer::window_state = {};
    platform::Menu view{{{false, 21, "Zoom", nullptr}}};
    platform::Menu file{{{false, 11, "Open", nullptr},
                         {true, 0, "", nullptr},
                         {false, 12, std::string(130, 'x'), nullptr}}};
    platform::Menu bar{
        {{false, 1, "File", &file}, {true, 0, "", nullptr}, {false, 2, "View", &view}}};

    EXPECT_EQ(layer::CollectMenuItems(&bar), 0);
    EXPECT_EQ(CollectedItems(), (std::vector<Item>{{&bar, 0, 1, "File"},
                                                   {&file, 0, 11, "Open"},
                                                   {&file, 2, 12, std::string(128, 'x')},
                                                   {&bar, 2, 2, "View"},
                                                   {&view, 0, 21, "Zoom"}}));
}

TEST(WindowMenu, ReadMenuItemTellsSeparatorsItemsAndFailures) {
    platform::Menu sub{{{false, 5, "Sub", nullptr}}};
    platform::Menu menu{{{true, 0, "", nullptr}, {false, 7, "Item", &sub}}};
    layer::MenuItemInfo info;
    EXPECT_EQ(layer::ReadMenuItem(&menu, 0, &info), 1);
    EXPECT_EQ(info.type, layer::kMenuItemSeparator);
    EXPECT_EQ(layer::ReadMenuItem(&menu, 1, &info), 0);
    EXPECT_EQ(info.type, layer::kMenuItemText);
    EXPECT_EQ(info.id, 7);
    EXPECT_EQ(info.submenu, &sub);
    EXPECT_EQ(info.text, "Item");
    EXPECT_EQ(layer::ReadMenuItem(&menu, 2, &info), -1);
    EXPECT_EQ(layer::ReadMenuItem(nullptr, 0, &info), -1);
}

TEST(WindowMenu, ToolBarRoutinesAnswerForAWindowWithoutOne) {
    EXPECT_EQ(layer::FindToolBarButton(1), -1);
    EXPECT_EQ(layer::GetToolBarHeight(), 0);
    EXPECT_EQ(layer::DeleteToolBarButtons(), -1);
}

class WindowMenuOfPlayer : public test::LayerTest {};

TEST_F(WindowMenuOfPlayer, PlayerWindowHasNoMenuAndNoItems) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    EXPECT_EQ(layer::window_state.menu, nullptr);
    EXPECT_TRUE(layer::window_state.menu_items.empty());
    EXPECT_EQ(layer::IsCursorShownForMenu(), 0);
}

TEST_F(WindowMenuOfPlayer, MenuInUseShowsTheCursorByItsRule) {
    layer::window_state.window_mode = 0;
    ASSERT_EQ(layer::InitializeLayer(), 0);
    struct MenuCase {
        int in_use;
        int switched_off;
        int window_mode;
        int shown_in_full_screen;
        int shown_on_demand;
        int shown;
    };
    for (const MenuCase& c :
         {MenuCase{0, 0, 1, 1, 1, 0}, MenuCase{1, 1, 1, 1, 1, 0}, MenuCase{1, 0, 1, 0, 0, 1},
          MenuCase{1, 0, 0, 0, 0, 0}, MenuCase{1, 0, 0, 1, 0, 1}, MenuCase{1, 0, 0, 0, 1, 1}}) {
        layer::window_state.menu_in_use = c.in_use;
        layer::window_state.menu_switched_off = c.switched_off;
        layer::window_state.window_mode = c.window_mode;
        layer::window_state.menu_shown_in_full_screen = c.shown_in_full_screen;
        layer::window_state.menu_shown_on_demand = c.shown_on_demand;
        EXPECT_EQ(layer::IsCursorShownForMenu(), c.shown)
            << c.in_use << c.switched_off << c.window_mode << c.shown_in_full_screen
            << c.shown_on_demand;
    }

    // In full screen the game hides the cursor; a menu shown there keeps it visible.
    layer::window_state.window_mode = 0;
    layer::window_state.menu_shown_on_demand = 0;
    layer::window_state.menu_shown_in_full_screen = 1;
    layer::ShowMouseCursor(0);
    EXPECT_EQ(layer::window_state.cursor_shown, 1);
    layer::window_state.menu_in_use = 0;
    layer::ShowMouseCursor(0);
    EXPECT_EQ(layer::window_state.cursor_shown, 0);
    layer::window_state.window_mode = 1;
}

}  // namespace
