#include "game/presentation/speech.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "game/core/game_folder.h"
#include "game/core/system_message_box.h"
#include "game/presentation/sound_entries.h"
#include "game/presentation/sound_layer_calls.h"
#include "game/presentation/sound_manager.h"
#include "game/presentation/speech_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr char kSpeechLibraryName[] = "AquesTalk";
constexpr int kNoLibrary = -1;
constexpr int kNothingSynthesized = -10;
constexpr int kLowestFrequency = 20;
constexpr int kClipBuffers = 1;
constexpr int kWholeLoadMode = 0;
// The queue deletes a clip's handle once it has played.
constexpr int kReleaseAfterPlay = 1;

using SyntheEntry = unsigned char* (*)(const char* text, int speed, int* size);
using FreeWaveEntry = void (*)(unsigned char* wave);

int speechLibrary = kNoLibrary;
SyntheEntry synthe = nullptr;
FreeWaveEntry freeWave = nullptr;

}  // namespace

bool IsAquesTalkPresent() {
    return layer::IsOutsideLibraryPresent(GameFolder.c_str(), kSpeechLibraryName) == 1;
}

void LoadAquesTalk() {
    if (speechLibrary != kNoLibrary)
        return;
    speechLibrary = layer::LoadOutsideLibrary(GameFolder.c_str(), kSpeechLibraryName);
    if (speechLibrary == kNoLibrary)
        return;
    synthe = reinterpret_cast<SyntheEntry>(
        layer::FindOutsideLibraryEntry(speechLibrary, "AquesTalk_Synthe"));
    freeWave = reinterpret_cast<FreeWaveEntry>(
        layer::FindOutsideLibraryEntry(speechLibrary, "AquesTalk_FreeWave"));
    if (synthe == nullptr)
        ShowSystemMessageBox(kSpeechEntryMissingText, kSpeechLibraryCaption);
}

void UnloadAquesTalk() {
    if (speechLibrary == kNoLibrary)
        return;
    layer::FreeOutsideLibrary(speechLibrary);
    speechLibrary = kNoLibrary;
    synthe = nullptr;
    freeWave = nullptr;
}

bool CanSynthesizeSpeech() {
    return synthe != nullptr;
}

int SoundManager::SynthesizeSpeech(const std::string& text, int speed, int volume, int frequency) {
    if (!SpeechSlotsSized) {
        SpeechSlotsSized = true;
        SpeechSlotFlags.assign(static_cast<std::size_t>(SoundListSize(kSoundEffectKind)) + 10, 0);
    }
    if (synthe == nullptr)
        return kNothingSynthesized;
    const int spare = NextSpareSound(kSoundEffectKind);
    frequency = std::max(frequency, kLowestFrequency);
    int size = 0;
    unsigned char* wave = synthe(text.c_str(), speed * 100 / frequency, &size);
    if (wave == nullptr)
        return kNothingSynthesized;
    if (Handles[kSoundEffectKind][spare] > 0)
        ReleaseSoundByNumber(kSoundEffectKind, spare);
    WriteSoundEntry(kSoundEffectKind, spare, kSpeechClipName, volume, frequency, kReleaseAfterPlay);
    TheSoundLayerCalls.SetSoundLoadMode(kWholeLoadMode);
    Handles[kSoundEffectKind][spare] =
        TheSoundLayerCalls.LoadSoundFromMemory(wave, size, kClipBuffers, -1);
    SetFlagAt(SpeechSlotFlags, spare, 1);
    if (freeWave != nullptr)
        freeWave(wave);
    AdvanceSpareSound(kSoundEffectKind);
    return spare;
}

}  // namespace game
