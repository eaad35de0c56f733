#pragma once

namespace layer {

// Keyboard, mouse and joypad input as the layer's start-up, shutdown, window procedure and
// message pump drive it.
int StartInputSystem();
int EndInputSystem();
// Takes the input devices again after the window came back or went away.
int ReacquireInputDevices();
// Starts or stops the pads' force-feedback effects to match their vibration state.
int ApplyPadVibration();
// Ends vibrations whose time ran out, then applies the state.
int ServicePadVibration();
// flags: 1 keyboard and pads, 4 mouse. The first pressed key's code, 68 for a pending F10
// report, -1 for a pad or mouse button, 0 for nothing.
int QueryAnyInput(int flags);
// The window procedure's notice that F10 was pressed (1) or released (any other value).
int SetF10ReportFlag(int flag);

}  // namespace layer
