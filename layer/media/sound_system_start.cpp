// The sound system's start and end. Only the media services live here, so that the layer
// core's tests, which record these calls, link without this file.
#include <cstring>
#include <string>
#include <vector>

#include "layer/core/layer_log.h"
#include "layer/media/media_services.h"
#include "layer/media/sound_texts.h"
#include "layer/media/stream_sound.h"
#include "platform/audio/audio_output.h"

namespace layer {
namespace {

constexpr int kSilentBufferBytes = 400;
constexpr const char* kCapabilityOk = "OK";

// The output device: SDL's driver, else the silent one; false when neither opens.
bool OpenOutput() {
    if (platform::StartAudioOutput(nullptr)) {
        return true;
    }
    WriteLogFormat(kAudioDeviceFailedText, platform::AudioOutputError().c_str());
    WriteLog(kAudioDummyRetryText);
    if (platform::StartAudioOutput("dummy")) {
        return true;
    }
    WriteLogFormat(kAudioDeviceFailedText, platform::AudioOutputError().c_str());
    return false;
}

// 100 samples of 44,100 Hz 16-bit stereo silence, looping while the system runs.
void StartSilentBuffer() {
    PlaybackBuffer buffer;
    if (CreatePlaybackBuffer(&buffer, Pcm16Format(2, platform::kMixRate), kSilentBufferBytes) !=
        0) {
        WriteLog(kSilentBufferFailedText);
        return;
    }
    PlayPlaybackBuffer(buffer, 1);
    sound_system.silent_buffer = buffer.mixer_buffer;
}

void StopSilentBuffer() {
    if (sound_system.silent_buffer >= 0) {
        PlaybackBuffer buffer{1, sound_system.silent_buffer};
        ReleasePlaybackBuffer(&buffer);
        sound_system.silent_buffer = -1;
    }
}

// The output's driver and devices, and the capabilities of the mixer.
void LogDevices() {
    IncreaseLogIndent();
    WriteLog(kSoundDeviceListText);
    IncreaseLogIndent();
    const std::string driver = platform::AudioDriverName();
    std::vector<std::string> devices = platform::AudioDeviceNames();
    if (devices.empty()) {
        devices.emplace_back();
    }
    for (const std::string& device : devices) {
        WriteLogFormat(kSoundDeviceText, driver.c_str(), device.c_str());
    }
    DecreaseLogIndent();
    WriteLogFormat(kSoundRatesText, platform::kHighestFrequency / 1000.0,
                   platform::kLowestFrequency / 1000.0);
    WriteLogFormat(kSoundMemoryText, 0.0, 0.0);
    WriteLog(kSoundPrecisionText);
    WriteLogFormat(kSoundPrimaryBitsText, kCapabilityOk, kCapabilityOk);
    WriteLogFormat(kSoundSecondaryBitsText, kCapabilityOk, kCapabilityOk);
    WriteLog(kSoundChannelsText);
    WriteLogFormat(kSoundPrimaryChannelsText, kCapabilityOk, kCapabilityOk);
    WriteLogFormat(kSoundSecondaryChannelsText, kCapabilityOk, kCapabilityOk);
    DecreaseLogIndent();
}

}  // namespace

int StartSoundSystem() {
    if (sound_system.started != 0) {
        return -1;
    }
    WriteLog(kSoundStartText);
    WriteLog(kSoundInterfaceText);
    if (!OpenOutput()) {
        WriteLog(kSoundInterfaceFailedText);
        return -1;
    }
    WriteLog(kSoundSuccessText);
    WriteLog(kSoundInitializingText);
    WriteLog(kSoundSuccessText);
    sound_system.started = 1;
    StartSilentBuffer();
    sound_system.load_mode = 0;
    sound_system.ogg_word_size = 2;
    ResetHandleList(&sound_system.stream_head, &sound_system.stream_tail);
    LogDevices();
    WriteLog(kSoundStartedText);
    DeleteAllSoundHandles(0);
    return 0;
}

int EndSoundSystem() {
    if (sound_system.started == 0) {
        return -1;
    }
    CloseOutputCapture();
    DeleteAllSoundHandles(0);
    DeleteAllMidiHandles();
    StopSilentBuffer();
    platform::StopAudioOutput();
    sound_system.started = 0;
    WriteLog(kSoundEndedText);
    return 0;
}

int EndMusicFilePlayback() {
    if (sound_system.current_music_handle != 0) {
        if (sound_system.current_music_kind == 1) {
            StopSoundHandle(sound_system.current_music_handle);
            DeleteSoundHandle(sound_system.current_music_handle, 0);
        } else {
            ReleaseMidiHandle(sound_system.current_music_handle);
        }
        sound_system.current_music_handle = 0;
    }
    return 0;
}

}  // namespace layer
