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

std::vector<SoundCall> SoundCalls;
int StandInSoundEntry = -10;
bool StandInSpeechLoaded = false;

int SoundManager::RegisterSoundFile(const std::string& text, int kind, int fade, int fourth,
                                    int volume, int tempo) {
    SoundCalls.push_back({"RegisterSoundFile", text, {kind, fade, fourth, volume, tempo}});
    return StandInSoundEntry;
}
void SoundManager::LoadSoundByNumber(int kind, int number) {
    SoundCalls.push_back({"LoadSoundByNumber", "", {kind, number}});
}
void SoundManager::ReleaseSoundByNumber(int kind, int number) {
    SoundCalls.push_back({"ReleaseSoundByNumber", "", {kind, number}});
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
bool IsSpeechSynthesisLoaded() {
    return StandInSpeechLoaded;
}
int SynthesizeSpeech(const std::string& text, int speed, int volume, int frequency) {
    SoundCalls.push_back({"SynthesizeSpeech", text, {speed, volume, frequency}});
    return StandInSoundEntry;
}

}  // namespace game
