#pragma once

#include <cstdint>

namespace game {

class EventInterpreter;

// The internet command: its texts are expanded, then the access stops after its first step,
// which leaves the status 0.
std::uint8_t AccessInternet(EventInterpreter& interpreter);
// The party's graphics by character 1 (the hero) to 6, and the party-wide switches.
std::uint8_t CharacterOperation(EventInterpreter& interpreter);
// Starts or stops the view shakes.
std::uint8_t StartScreenShake(EventInterpreter& interpreter);
// Scrolls the view by offsets or back to the hero, or locks and frees it.
std::uint8_t ScrollView(EventInterpreter& interpreter);
// A timed effect on pictures, a character or the map view.
std::uint8_t ApplyVisualEffect(EventInterpreter& interpreter);

}  // namespace game
