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
// Switches a pad's vibration off (pad number from 1). 0.
int StopPadVibration(int pad);
// DirectInput key code -> 1 down, 0 up.
int IsKeyDown(int code);
// Fills 256 bytes with 1 or 0 per key code. 0, or -1 without a buffer.
int ReadKeyStateTable(char* state);
// Pad number from 1, plus 0x1000 to add the keys mapped onto that pad. Bits: 1 down, 2 left,
// 4 right, 8 up, then the buttons from 16 (the keyboard's slots 4 to 13 on buttons 1 to 10).
int ReadPadBits(int pad);
// Bits 0 to 7 for the mouse buttons left, right, middle, then the extra buttons.
int ReadMouseButtons();
// flags: 1 keyboard and pads, 4 mouse. The first pressed key's code, 68 for a pending F10
// report, -1 for a pad or mouse button, 0 for nothing.
int QueryAnyInput(int flags);
// The window procedure's notice that F10 was pressed (1) or released (any other value).
int SetF10ReportFlag(int flag);

}  // namespace layer
