#include "platform/audio/audio_output.h"

#include <SDL.h>

#include <mutex>

#include "platform/audio/audio_mixer.h"
#include "platform/clock.h"

namespace platform {
namespace {

constexpr int kDeviceFrames = 1024;
constexpr std::uint64_t kNanosecondsPerSecond = 1'000'000'000u;

struct OutputState {
    SDL_AudioDeviceID device = 0;
    // How the audio subsystem was started: through SDL_InitSubSystem, or SDL_AudioInit with a
    // named driver.
    bool subsystem_started = false;
    bool driver_started = false;
    bool manual = false;
    bool manual_started = false;
    std::string error;
    // Manual output: the capture and the part of a frame the last clock advance left over,
    // in frames × 10^9.
    std::mutex capture_mutex;
    std::vector<std::int16_t> capture;
    std::uint64_t carried = 0;
};

OutputState& State() {
    static OutputState* state = new OutputState;
    return *state;
}

void RenderToDevice(void*, Uint8* stream, int length) {
    TheAudioMixer().Render(reinterpret_cast<std::int16_t*>(stream),
                           length / static_cast<int>(sizeof(std::int16_t) * kMixChannels));
}

void RenderIntoCapture(int frames) {
    OutputState& state = State();
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * kMixChannels);
    TheAudioMixer().Render(samples.data(), frames);
    const std::lock_guard lock(state.capture_mutex);
    state.capture.insert(state.capture.end(), samples.begin(), samples.end());
}

void RenderClockAdvance(std::uint64_t nanoseconds) {
    OutputState& state = State();
    std::uint64_t frames = 0;
    {
        const std::lock_guard lock(state.capture_mutex);
        const std::uint64_t total = state.carried + nanoseconds * kMixRate;
        frames = total / kNanosecondsPerSecond;
        state.carried = total % kNanosecondsPerSecond;
    }
    if (frames > 0) {
        RenderIntoCapture(static_cast<int>(frames));
    }
}

void QuitAudio(OutputState& state) {
    if (state.driver_started) {
        SDL_AudioQuit();
    }
    if (state.subsystem_started) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    state.driver_started = false;
    state.subsystem_started = false;
}

bool InitAudio(OutputState& state, const char* driver) {
    if (driver == nullptr) {
        state.subsystem_started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        return state.subsystem_started;
    }
    state.driver_started = SDL_AudioInit(driver) == 0;
    return state.driver_started;
}

}  // namespace

bool StartAudioOutput(const char* driver) {
    OutputState& state = State();
    if (state.manual) {
        state.manual_started = true;
        state.carried = 0;
        SetFakeClockListener(RenderClockAdvance);
        return true;
    }
    if (state.device != 0) {
        return true;
    }
    if (!InitAudio(state, driver)) {
        state.error = SDL_GetError();
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kMixRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kMixChannels;
    wanted.samples = kDeviceFrames;
    wanted.callback = RenderToDevice;
    SDL_AudioSpec obtained{};
    state.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (state.device == 0) {
        state.error = SDL_GetError();
        QuitAudio(state);
        return false;
    }
    SDL_PauseAudioDevice(state.device, 0);
    return true;
}

void StopAudioOutput() {
    OutputState& state = State();
    if (state.manual_started) {
        SetFakeClockListener(nullptr);
        state.manual_started = false;
    }
    if (state.device != 0) {
        SDL_CloseAudioDevice(state.device);
        state.device = 0;
        QuitAudio(state);
    }
}

bool IsAudioOutputStarted() {
    const OutputState& state = State();
    return state.device != 0 || state.manual_started;
}

std::string AudioOutputError() {
    return State().error;
}

std::string AudioDriverName() {
    if (State().manual) {
        return "manual";
    }
    const char* name = SDL_GetCurrentAudioDriver();
    return name == nullptr ? "" : name;
}

std::vector<std::string> AudioDeviceNames() {
    std::vector<std::string> names;
    if (State().manual) {
        return names;
    }
    const int count = SDL_GetNumAudioDevices(0);
    for (int index = 0; index < count; ++index) {
        const char* name = SDL_GetAudioDeviceName(index, 0);
        names.emplace_back(name == nullptr ? "" : name);
    }
    return names;
}

void SelectManualAudioOutput(bool manual) {
    State().manual = manual;
}

bool IsManualAudioOutput() {
    return State().manual;
}

void RenderManualAudio(int frames) {
    if (frames > 0) {
        RenderIntoCapture(frames);
    }
}

std::vector<std::int16_t> TakeManualAudioCapture() {
    OutputState& state = State();
    const std::lock_guard lock(state.capture_mutex);
    std::vector<std::int16_t> taken;
    taken.swap(state.capture);
    return taken;
}

void ClearManualAudioCapture() {
    OutputState& state = State();
    const std::lock_guard lock(state.capture_mutex);
    state.capture.clear();
}

}  // namespace platform
