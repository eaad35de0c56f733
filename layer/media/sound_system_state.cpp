#include "layer/media/sound_system.h"

namespace layer {

SoundSystem sound_system;

SoundRecord* FindSound(int sound) {
    return sound_system.started == 0 ? nullptr : sound_system.sounds.Find(sound);
}

}  // namespace layer
