// The system values of the variable-from-state command: map, sounds, mouse and the running event.
#include <algorithm>
#include <array>

#include "game/core/display_scale.h"
#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/system_variable_live.h"
#include "game/interpreter/variable_from_state_sources.h"
#include "game/map/map_state.h"
#include "game/presentation/sound_manager.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kMusic = 0;
constexpr int kBackgroundSound = 1;

// The current entry of a sound kind when it is one of the loaded list's entries, else -1.
std::int32_t ListedEntry(int kind) {
    const int number = kind == kMusic ? TheMainInterpreter.CurrentMusicNumber
                                      : TheMainInterpreter.CurrentBgsNumber;
    const int size = TheScreenState.loadedSoundListSizes[static_cast<std::size_t>(kind)];
    return number >= 0 && number < size ? number : -1;
}

// The handle that plays the kind's current entry through the layer; none for MIDI music.
int PlayingHandle(int kind) {
    const SoundManager& sound = TheSoundManager;
    if (kind == kMusic)
        return sound.MusicIsMidi ? -1 : sound.MusicHandle;
    return sound.BgsHandle;
}

std::int32_t PlayPosition(int kind) {
    const int handle = PlayingHandle(kind);
    return handle > 0 ? layer::GetSoundPositionMs(handle) : 0;
}

// An Ogg entry counts a second shorter than the layer reports.
std::int32_t PlayLength(int kind) {
    const int handle = PlayingHandle(kind);
    if (handle <= 0)
        return 0;
    return layer::GetSoundLengthMs(handle) + TheSoundManager.GetOggLengthAdjustment(kind);
}

// 2 newly pressed, 1 held, 0 not: left, right, middle.
std::int32_t MouseButton(std::size_t button) {
    const InputState& input = TheInputState;
    return input.mouseButtonsPressed[button] != 0 ? 2 : input.mouseButtons[button] != 0 ? 1 : 0;
}

// Whether the pointer's map position hits an event drawn at its quarter-pixel position: from
// just right of its left edge to a tile to the right, from half a tile (or its top when it
// stands on two rows) to a tile down.
bool PointerHits(const EventCharacter& event, std::int64_t x, std::int64_t y) {
    const std::int64_t dx = x - event.pixelX / 4;
    const std::int64_t dy = y - event.pixelY / 4;
    const std::int64_t top = event.twoRow != 0 ? 0 : TileSize / 2;
    return 0 < dx && dx < TileSize && top <= dy && dy < TileSize;
}

std::int64_t WrapOnto(std::int64_t v, std::int64_t span) {
    return span <= 0 ? v : ((v % span) + span) % span;
}

std::int32_t EventUnderPointer() {
    const MapState& map = TheMapState;
    const std::int64_t x =
        WrapOnto(TheInputState.mouseX + map.scrollX / 4, std::int64_t{GetMapWidth()} * TileSize);
    const std::int64_t y =
        WrapOnto(TheInputState.mouseY + map.scrollY / 4, std::int64_t{GetMapHeight()} * TileSize);
    std::int32_t lowest = -1;
    for (const EventCharacter& event : map.eventCharacters) {
        if (PointerHits(event, x, y) && (lowest == -1 || event.referenceId < lowest))
            lowest = event.referenceId;
    }
    return lowest;
}

using SystemValue = std::int32_t (*)(const EventInterpreter&);

constexpr std::array<SystemValue, 18> kSystemValues{{
    [](const EventInterpreter&) { return ReadTransferOrCurrentMap(); },
    [](const EventInterpreter&) { return ListedEntry(kMusic); },
    [](const EventInterpreter&) { return ListedEntry(kBackgroundSound); },
    [](const EventInterpreter&) { return PlayPosition(kMusic); },
    [](const EventInterpreter&) { return PlayPosition(kBackgroundSound); },
    [](const EventInterpreter&) { return PlayLength(kMusic); },
    [](const EventInterpreter&) { return PlayLength(kBackgroundSound); },
    [](const EventInterpreter&) { return MouseButton(0); },
    [](const EventInterpreter&) { return MouseButton(1); },
    [](const EventInterpreter&) { return MouseButton(2); },
    [](const EventInterpreter&) { return TheInputState.wheel; },
    [](const EventInterpreter&) { return TheInputState.mouseDX; },
    [](const EventInterpreter&) { return TheInputState.mouseDY; },
    [](const EventInterpreter&) { return EventUnderPointer(); },
    [](const EventInterpreter& interpreter) { return interpreter.eventNumber; },
    [](const EventInterpreter&) { return GetMapWidth(); },
    [](const EventInterpreter&) { return GetMapHeight(); },
    [](const EventInterpreter& interpreter) { return interpreter.commonNumber; },
}};

}  // namespace

std::int32_t SystemStateValue(const EventInterpreter& interpreter, std::int32_t item) {
    if (item < 0 || static_cast<std::size_t>(item) >= kSystemValues.size())
        return 0;
    return kSystemValues[static_cast<std::size_t>(item)](interpreter);
}

}  // namespace game
