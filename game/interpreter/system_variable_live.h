#pragma once

#include <cstdint>

namespace game {

class MainInterpreter;

// The system variables that act on the running game rather than on a stored field. The
// interpreter is the one the store is linked to; linkedToLive tells whether that is the live
// main interpreter.
struct SystemVariableContext {
    MainInterpreter& interpreter;
    bool linkedToLive;
};

std::int32_t ReadTransferOrCurrentMap();
std::int32_t ReadHeroMoving();
std::int32_t ReadLocalTimeField(int index);
std::int32_t ReadTileSizeFlag();
std::int32_t ReadSoftwareDrawing();

void WriteMouseX(std::int32_t value);
void WriteMouseY(std::int32_t value);
// Stores the cursor setting as 0 or 1 and shows or hides the cursor.
void WriteMouseCursorShown(SystemVariableContext& context, std::int32_t value);

void WriteMusicVolume(std::int32_t value);
void WriteMusicTempo(std::int32_t value);
void WriteBgsVolume(std::int32_t value);
void WriteBgsFrequency(std::int32_t value);
// The master volumes store at least 0; linked to the live interpreter, the playing sound's
// volume follows at once.
void WriteMusicMasterVolume(SystemVariableContext& context, std::int32_t value);
void WriteBgsMasterVolume(SystemVariableContext& context, std::int32_t value);

// The map scroll in pixels; writes are clamped to the map and only act when linked to the
// live interpreter.
std::int32_t ReadScroll(bool vertical);
void WriteScroll(SystemVariableContext& context, bool vertical, std::int32_t value);

}  // namespace game
