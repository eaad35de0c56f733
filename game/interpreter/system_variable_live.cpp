#include "game/interpreter/system_variable_live.h"

#include <algorithm>
#include <ctime>

#include "game/core/display_scale.h"
#include "game/core/game_info.h"
#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/presentation/sound_layer_calls.h"
#include "game/presentation/sound_manager.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

// Frames a volume set through a system variable takes to arrive.
constexpr int kVolumeFadeFrames = 3;
constexpr int kFirstTimeIndex = 77;

// hi wins when it is below lo.
std::int32_t ClampHighWins(std::int32_t value, std::int32_t lo, std::int32_t hi) {
    return std::min(std::max(value, lo), hi);
}

// The volume moves from where it is to the target over a short fade.
void FadeTo(int& fadeLeft, int& fadeLength, int& fadeFrom, int& volume, int target) {
    fadeLeft = fadeLength = kVolumeFadeFrames;
    fadeFrom = volume;
    volume = target;
}

int ScreenPosition(int gameCoordinate) {
    return static_cast<int>(gameCoordinate * ZoomFactor * layer::GetWindowScale());
}

}  // namespace

std::int32_t ReadTransferOrCurrentMap() {
    return TheScreenState.TransferPending != 0 ? TheScreenState.transferMap : TheMapState.mapNumber;
}

std::int32_t ReadHeroMoving() {
    return CheckCharacterMoving(TheParty) ? 1 : 0;
}

std::int32_t ReadLocalTimeField(int index) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int fields[] = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                          local.tm_hour,        local.tm_min,     local.tm_sec};
    return fields[index - kFirstTimeIndex];
}

std::int32_t ReadTileSizeFlag() {
    return TheGameInfo.gameFlags.empty() || TheGameInfo.gameFlags[0] != 16 ? 1 : 0;
}

std::int32_t ReadSoftwareDrawing() {
    return layer::UsesTextureDrawing() != 1 ? 1 : 0;
}

void WriteMouseX(std::int32_t value) {
    TheInputState.mouseX = value;
    TheInputState.prevMouseX = value;
    layer::SetMousePosition(ScreenPosition(value), ScreenPosition(TheInputState.mouseY));
}

void WriteMouseY(std::int32_t value) {
    TheInputState.mouseY = value;
    TheInputState.prevMouseY = value;
    layer::SetMousePosition(ScreenPosition(TheInputState.mouseX), ScreenPosition(value));
}

void WriteMouseCursorShown(SystemVariableContext& context, std::int32_t value) {
    context.interpreter.MouseCursorShown = value != 0 ? 1 : 0;
    layer::ShowMouseCursor(TheInputState.mouseY < 0 ? 1 : TheMainInterpreter.MouseCursorShown);
}

void WriteMusicVolume(std::int32_t value) {
    SoundManager& sound = TheSoundManager;
    FadeTo(sound.MusicFadeLeft, sound.MusicFadeLength, sound.MusicFadeFrom, sound.MusicVolume,
           value * TheMainInterpreter.MusicMasterVolume / 100);
}

void WriteBgsVolume(std::int32_t value) {
    SoundManager& sound = TheSoundManager;
    FadeTo(sound.BgsFadeLeft, sound.BgsFadeLength, sound.BgsFadeFrom, sound.BgsVolume,
           value * TheMainInterpreter.BgsMasterVolume / 100);
}

void WriteMusicTempo(std::int32_t value) {
    SoundManager& sound = TheSoundManager;
    sound.MusicTempo = value;
    if (sound.MusicIsMidi) {
        sound.TempoResendCountdown = -1;
        TheSoundLayerCalls.GGSTempoDepth(TempoDepth(value));
        return;
    }
    SetFrequencyPercent(sound.MusicHandle, value);
}

void WriteBgsFrequency(std::int32_t value) {
    TheSoundManager.BgsFrequency = value;
    SetFrequencyPercent(TheSoundManager.BgsHandle, value);
}

void WriteMusicMasterVolume(SystemVariableContext& context, std::int32_t value) {
    if (context.linkedToLive) {
        TheSoundManager.MusicFadeLength = 1;
        TheSoundManager.MusicFadeLeft = 0;
        TheSoundManager.MusicVolume = value * TheScreenState.soundSystemValues[0] / 100;
    }
    context.interpreter.MusicMasterVolume = std::max(value, 0);
}

void WriteBgsMasterVolume(SystemVariableContext& context, std::int32_t value) {
    if (context.linkedToLive) {
        TheSoundManager.BgsFadeLength = 1;
        TheSoundManager.BgsFadeLeft = 0;
        TheSoundManager.BgsVolume = value * TheScreenState.soundSystemValues[1] / 100;
    }
    context.interpreter.BgsMasterVolume = std::max(value, 0);
}

std::int32_t ReadScroll(bool vertical) {
    return (vertical ? TheMapState.scrollY : TheMapState.scrollX) / 4;
}

void WriteScroll(SystemVariableContext& context, bool vertical, std::int32_t value) {
    if (!context.linkedToLive)
        return;
    const double tile = TileSize;
    std::int32_t pixels = 0;
    if (!vertical) {
        const int width = GetMapWidth();
        pixels = TheMapState.loopsHorizontally != 0
                     ? ClampHighWins(value, 1 - 10 * TileSize, (width - 10) * TileSize)
                     : ClampHighWins(value, 0, (width - 20) * TileSize);
        TheMapState.scrollX = pixels * 4;
        return;
    }
    const int height = GetMapHeight();
    pixels = TheMapState.loopsVertically != 0
                 ? ClampHighWins(value, static_cast<std::int32_t>(-7.5 * tile) - 1,
                                 static_cast<std::int32_t>((height - 7.5) * tile + 1))
                 : ClampHighWins(value, 0, (height - 15) * TileSize + 1);
    TheMapState.scrollY = pixels * 4;
}

}  // namespace game
