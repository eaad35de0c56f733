#pragma once

#include <string>

namespace game {

// The player's settings from "Game.ini" in the game folder.
extern int SoftModeFlag;    // 1: software drawing
extern int WindowModeFlag;  // 1: window, 0: full screen
extern int SEandBGM;        // 0 none, 1 sound effects, 2 music, 3 both
extern int FrameSkip;       // 0, 1 or 2
extern std::string Proxy;
extern std::string ProxyPort;
extern int ScreenShotFlag;  // 1: Print Screen saves a screenshot

// Reads "Game.ini" text: the five outputs get their defaults first (start 0, soft 0,
// window 1, sound 3, frame skip 0), then the values found; so do Proxy, ProxyPort and
// ScreenShotFlag (empty, empty, 1). Spaces are ignored everywhere, each key
// counts at its first occurrence, and one-digit values read only their first character.
void ParseGameIniText(std::string text, int& start, int& soft, int& window, int& sound,
                      int& frameSkip);

// Reads "Game.ini" of the current folder: 1 when read, -1 (start -1, other outputs at their
// defaults, the globals untouched) when it cannot be opened.
int ReadGameIni(int& start, int& soft, int& window, int& sound, int& frameSkip);

// The whole file from its template, CR LF between lines and none after the last.
std::string FormatGameIni(int start, int soft, int frameSkip);

// Writes "Game.ini" in the current folder; false after the message box when it cannot.
bool WriteGameIni(int start, int soft, int frameSkip);

}  // namespace game
