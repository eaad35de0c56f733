#pragma once

#include <ctime>
#include <string>

namespace game {

// "ScreenShot_<year>_<month><day>_<hour>_<minute>_<second>.png" of a local time.
std::string ScreenshotFileName(const std::tm& localTime);

// Saves the shown screen (640 x 480) in the working folder under the name of the given
// local time, shows a notice with the name and waits for a key.
void TakeScreenshot(const std::tm& localTime);

}  // namespace game
