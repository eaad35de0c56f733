#include <algorithm>
#include <cmath>

#include "layer/media/sound_system.h"

namespace layer {
namespace {

constexpr int kFullVolume = 255;

}  // namespace

int SoundVolumeInHundredths(int volume) {
    volume = std::min(volume, kFullVolume);
    if (volume <= 0) {
        return platform::kSilentVolume;
    }
    const int hundredths = static_cast<int>(std::trunc(1000.0 * std::log10(volume / 255.0)));
    return std::max(hundredths, platform::kSilentVolume);
}

int GetSoundHandleLengthSamples(int sound) {
    const SoundRecord* record = FindSound(sound);
    if (record == nullptr) {
        return -1;
    }
    if (record->stream_flag == 1) {
        return record->total_samples;
    }
    return record->pcm_length / record->format.block_align;
}

// Nothing in the system opens a capture of the mixed output.
int CloseOutputCapture() {
    return -1;
}

}  // namespace layer
