#include "platform/window.h"

#include <gtest/gtest.h>

#include "platform/message_queue.h"

namespace {

TEST(Window, OpensOneWindowAtTheAskedPlaceAndSize) {
    platform::Window* window = platform::OpenWindow({"\x83\x51\x81\x5B\x83\x80", 12, 34, 320, 200});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(platform::OpenWindow({}), nullptr);
    int x = 0;
    int y = 0;
    platform::GetClientOrigin(window, &x, &y);
    EXPECT_EQ(x, 12);
    EXPECT_EQ(y, 34);
    int width = 0;
    int height = 0;
    platform::GetClientSize(window, &width, &height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 200);
    platform::CloseWindow(window);
    EXPECT_FALSE(platform::HasWindowMessage());

    window = platform::OpenWindow({});
    ASSERT_NE(window, nullptr);
    platform::CloseWindow(window);
}

TEST(Window, WarpedMouseReadsBackInClientCoordinates) {
    platform::Window* window = platform::OpenWindow({"", 100, 50, 640, 480});
    ASSERT_NE(window, nullptr);
    platform::WarpMouse(window, 5, 470);
    int x = -1;
    int y = -1;
    platform::ReadMouse(window, &x, &y);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 470);
    platform::CloseWindow(window);
}

TEST(Window, DummyDesktopCountsFourBytePixelsAs32Bits) {
    const platform::DesktopMode desktop = platform::ReadDesktopMode();
    EXPECT_EQ(desktop.width, 1024);
    EXPECT_EQ(desktop.height, 768);
    EXPECT_EQ(desktop.bits, 32);
}

}  // namespace
