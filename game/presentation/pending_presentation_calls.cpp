#include "game/presentation/pending_presentation_calls.h"

#include <vector>

#include "game/presentation/sound_manager.h"

namespace game {
namespace {

constexpr int kNoDevice = -1;

}  // namespace

int CountLoadedSounds(const SoundManager&) {
    return 0;
}

std::vector<PlayedSound> PlayedSounds;

void PlaySoundByNumber(int kind, int number, int fadeFrames, int startMs) {
    PlayedSounds.push_back({kind, number, fadeFrames, startMs});
}
void UpdateSound() {}
void ResetSoundFormatFlags() {}
void ResumeSavedSounds() {}

int GGSSetDevice(int, int) {
    return kNoDevice;
}
void GGSFree() {}

bool IsAquesTalkPresent(const GameInfo&) {
    return false;
}
void LoadAquesTalk(const GameInfo&) {}
bool UnloadAquesTalk(const GameInfo&) {
    return true;
}

}  // namespace game
