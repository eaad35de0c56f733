#pragma once

#include <string_view>

namespace game {

struct InputState;

// Set by start-up while the layer runs its window: before that, and after shutdown, error
// reports go to the system message box.
extern bool LayerRunning;

// What the boxes need from the game above them, filled in by start-up: the standard font size
// they return to (the main interpreter's setting), and the game's shutdown, taken when the
// layer itself closed the window while a box waited. Unset, the font size stays as the box
// left it and a closed window ends the game through the scene number only.
struct ErrorBoxServices {
    int (*standardFontSize)() = nullptr;
    void (*shutdown)() = nullptr;
};
extern ErrorBoxServices TheErrorBoxServices;

// One poll of a box's wait: pumps the window and reads the input; false once the window is
// gone.
using ErrorBoxPoll = bool (*)(InputState& inputState);

// Where the game's error reports go; tests install their own to capture the three CP932
// lines.
using ErrorBoxSink = void (*)(std::string_view line1, std::string_view line2,
                              std::string_view line3);

// Installs a sink (null restores the default) and returns the previous one.
ErrorBoxSink SetErrorBoxSink(ErrorBoxSink sink);

// The game's run-time error report: a translucent band over the last picture with three
// lines, shown until the player confirms; then the caller goes on with its fallback. With
// the auto-confirm test hook the lines go to the console and the box counts as confirmed;
// before the layer can show a frame, the system message box takes the report.
void ShowErrorBox(std::string_view line1, std::string_view line2, std::string_view line3);

// The error report with its wait on `poll` in place of the boxes' own poll.
void ShowErrorBoxPolling(ErrorBoxPoll poll, std::string_view line1, std::string_view line2,
                         std::string_view line3);

// A debugging aid: "a   b   c" centred on a grey band, shown and confirmed like the error box.
void ShowNumberBox(int a, int b, int c);


// The boxes' poll. When the window is gone, the game shuts down if the layer itself asked
// the window to close, and otherwise the scene number becomes -1 so that the scene loop ends.
bool PollErrorBox(InputState& inputState);
// The same poll reading the devices alone, for reports raised while a replay plays: their
// wait takes the viewer's keys and plays no recorded frame.
bool PollErrorBoxLive(InputState& inputState);

// Polls until a fresh confirm or left click, or until a confirm or left button held from
// before the box has been seen in more than 10 polls in a row. Returns the number of polls.
int WaitForErrorBoxConfirm(InputState& inputState, ErrorBoxPoll poll);

}  // namespace game
