#include "layer/media/builtin_midi_player.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

#include "layer/core/layer_log.h"
#include "layer/media/midi_texts.h"
#include "layer/media/smf_tempo_map.h"
#include "platform/audio/audio_mixer.h"
#include "platform/audio/midi_synth.h"

namespace layer {
namespace {

constexpr std::int32_t kGainDevice = -1;
constexpr int kLowestGainVolume = -127;
constexpr double kSlowestTempo = 0.01;
constexpr double kFastestTempo = 100.0;

struct PlayerState {
    std::int32_t device = kGainDevice;
    std::map<std::int32_t, std::vector<std::uint8_t>> lists;
    bool playing = false;
    bool paused = false;
    int paused_tick = 0;
};

PlayerState player;

float GainOf(std::int32_t volume) {
    if (player.device == kGainDevice) {
        const double level = (std::clamp(volume, kLowestGainVolume, 0) - kLowestGainVolume) /
                             static_cast<double>(-kLowestGainVolume);
        return static_cast<float>(level * level);
    }
    if (volume <= platform::kSilentVolume) {
        return 0.0f;
    }
    return static_cast<float>(std::pow(10.0, std::min(volume, 0) / 2000.0));
}

struct NamedEntry {
    const char* name;
    void* entry;
};

const NamedEntry kEntries[] = {
    {"GGSSetDevice", reinterpret_cast<void*>(GGSSetDevice)},
    {"GGSReadList", reinterpret_cast<void*>(GGSReadList)},
    {"GGSDeleteList", reinterpret_cast<void*>(GGSDeleteList)},
    {"GGSPlay", reinterpret_cast<void*>(GGSPlay)},
    {"GGSStop", reinterpret_cast<void*>(GGSStop)},
    {"GGSPause", reinterpret_cast<void*>(GGSPause)},
    {"GGSMasterVolume", reinterpret_cast<void*>(GGSMasterVolume)},
    {"GGSTempoDepth", reinterpret_cast<void*>(GGSTempoDepth)},
    {"GGSFree", reinterpret_cast<void*>(GGSFree)},
};

}  // namespace

void* FindBuiltInMidiEntry(const char* name) {
    for (const NamedEntry& entry : kEntries) {
        if (std::strcmp(entry.name, name) == 0) {
            return entry.entry;
        }
    }
    return nullptr;
}

}  // namespace layer

using layer::player;

extern "C" {

std::int32_t GGSSetDevice(std::int32_t device, std::int32_t) {
    if (!platform::CanOpenSoundFont(layer::kGeneralMidiSoundFont)) {
        layer::WriteLogFormat(layer::kSoundFontMissingText, layer::kGeneralMidiSoundFont);
        return -1;
    }
    player.device = device;
    platform::StartMidiSynthLoading(layer::kGeneralMidiSoundFont);
    return 0;
}

std::int32_t GGSReadList(const void* image, std::int32_t size, std::int32_t, std::int32_t list) {
    if (image == nullptr || size <= 0) {
        return -1;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(image);
    player.lists[list].assign(bytes, bytes + size);
    return 0;
}

std::int32_t GGSDeleteList(std::int32_t list) {
    player.lists.erase(list);
    return 0;
}

std::int32_t GGSPlay(std::int32_t, std::int32_t list, std::int32_t start_milliseconds) {
    const auto found = player.lists.find(list);
    if (found == player.lists.end()) {
        return -1;
    }
    const std::vector<std::uint8_t>& file = found->second;
    layer::SmfTempoMap map;
    int tick = 0;
    if (start_milliseconds > 0 && layer::ParseSmfTempoMap(file.data(), file.size(), &map)) {
        tick = layer::SmfTickAtMilliseconds(map, start_milliseconds);
    }
    player.paused = false;
    player.playing = platform::PlayMidiFile(file.data(), file.size(), tick);
    if (!player.playing) {
        layer::WriteLogFormat(layer::kMidiPlayFailedText, list);
        return -1;
    }
    return 0;
}

std::int32_t GGSStop() {
    platform::StopMidiFile();
    player.playing = false;
    player.paused = false;
    return 0;
}

std::int32_t GGSPause() {
    if (!player.playing) {
        return 0;
    }
    if (player.paused) {
        platform::ResumeMidiFile(player.paused_tick);
    } else {
        player.paused_tick = std::max(platform::GetMidiFileTick(), 0);
        platform::PauseMidiFile();
    }
    player.paused = !player.paused;
    return 0;
}

std::int32_t GGSMasterVolume(std::int32_t volume) {
    platform::SetMidiGain(layer::GainOf(volume));
    return 0;
}

std::int32_t GGSTempoDepth(std::int32_t depth) {
    const double factor = depth >= 0 ? 1.0 + depth / 50.0 : 1.0 + depth / 200.0;
    platform::SetMidiTempoFactor(std::clamp(factor, layer::kSlowestTempo, layer::kFastestTempo));
    return 0;
}

std::int32_t GGSFree() {
    platform::EndMidiSynth();
    player = layer::PlayerState{};
    platform::SetMidiGain(1.0f);
    return 0;
}

}  // extern "C"
