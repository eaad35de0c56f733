#include "game/map/event_character.h"

namespace game {

void EventCharacter::FaceHeroForEvent() {
    if (turnedToHero != 0)
        return;
    rememberedDirection = direction;
    FaceHero(*this);
    turnedToHero = 1;
}

void EventCharacter::RestoreEventFacing() {
    if (turnedToHero == 0)
        return;
    turnedToHero = 0;
    if (directionFixed == 0 && rememberedDirection != 0)
        direction = static_cast<std::int16_t>(rememberedDirection);
}

}  // namespace game
