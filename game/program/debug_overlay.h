#pragma once

#include <cstdint>
#include <string>

namespace game {

// Once per drawn frame, after everything else: counts the draw rate, shows a replay's clock,
// keeps the window
// caption to the information the F8 key chose (the title, or the frame rates; in test play
// the draw details as well); in test play, while F8 is held, draws the debug panel.
void DrawDebugOverlay();

// The caption texts (CP932).
std::string TitleCaption(const std::string& title);
std::string PlayCaption(int drawRate, int measuredFps, int frameSkipLevel);
std::string TestPlayCaption(int drawRate, int frameSkipLevel, int drawTime, int measuredFps,
                            int graphCount, int mouseX, int mouseY, int eventTime);
// A replay's frames played as hours, minutes and seconds of 60 frames, "%.2i:%.2i:%.2i".
std::string PlaybackClock(std::uint32_t framesPlayed);
// The longest frame time as a number and a bar of at most 21 signs.
std::string EventTimeBar(int eventTime);

}  // namespace game
