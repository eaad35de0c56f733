#include "game/presentation/sound_layer_calls.h"

#include "game/presentation/midi_binding.h"
#include "layer/core/layer_api.h"

namespace game {

SoundLayerCalls LayerSoundCalls() {
    return {layer::RemoveAllSounds,
            layer::LoadSoundFromMemory,
            layer::LoadSoundFromMemorySingle,
            layer::RemoveSound,
            layer::StartSound,
            layer::HaltSound,
            layer::IsSoundPlaying,
            layer::SetSoundPositionMs,
            layer::SetSoundLoadMode,
            layer::SetSoundHandleVolume,
            layer::SetSoundHandleFrequency,
            layer::GetSoundHandleBaseFrequency,
            layer::SetSoundHandlePositionMs,
            GGSReadList,
            GGSDeleteList,
            GGSPlay,
            GGSStop,
            GGSPause,
            GGSMasterVolume,
            GGSTempoDepth};
}

SoundLayerCalls TheSoundLayerCalls = LayerSoundCalls();

void SetFrequencyPercent(int handle, int percent) {
    constexpr int kOwnFrequency = -1;
    const int frequency =
        percent != 0 ? TheSoundLayerCalls.GetSoundHandleBaseFrequency(handle) * percent / 100
                     : kOwnFrequency;
    TheSoundLayerCalls.SetSoundHandleFrequency(frequency, handle);
}

void NameUndecodableSound(const std::string& path, const std::vector<std::uint8_t>& image) {
    layer::NameUndecodableFile(path.c_str(), layer::kSoundFile, image.data(),
                               static_cast<int>(image.size()));
}

void NameUndecodableMidi(const std::string& path, const std::vector<std::uint8_t>& image) {
    layer::NameUndecodableFile(path.c_str(), layer::kMidiFile, image.data(),
                               static_cast<int>(image.size()));
}

}  // namespace game
