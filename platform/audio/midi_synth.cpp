#include "platform/audio/midi_synth.h"

#include <fluidsynth.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "platform/audio/audio_mixer.h"

namespace platform {
namespace {

struct SynthState {
    std::thread worker;
    bool loading = false;
    bool ready = false;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    double tempo_factor = 1.0;

    // A program that ends without freeing the synthesiser (an error exit) still waits for a
    // loading worker, which a joinable thread's destruction would otherwise abort.
    ~SynthState() {
        if (worker.joinable()) {
            worker.join();
        }
    }
};

SynthState state;

void RenderSynth(void* context, float* left, float* right, int frames) {
    fluid_synth_write_float(static_cast<fluid_synth_t*>(context), frames, left, 0, 1, right, 0, 1);
}

void QuietLogs() {
    for (const int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
}

void FreeSynth() {
    if (state.synth != nullptr) {
        delete_fluid_synth(state.synth);
    }
    if (state.settings != nullptr) {
        delete_fluid_settings(state.settings);
    }
    state.synth = nullptr;
    state.settings = nullptr;
}

// The worker: everything here is the worker's until WaitForMidiSynth joins it.
void LoadSynth(std::string soundfont_path) {
    QuietLogs();
    state.settings = new_fluid_settings();
    if (state.settings == nullptr) {
        return;
    }
    fluid_settings_setnum(state.settings, "synth.sample-rate", kMixRate);
    fluid_settings_setstr(state.settings, "player.timing-source", "sample");
    state.synth = new_fluid_synth(state.settings);
    if (state.synth == nullptr ||
        fluid_synth_sfload(state.synth, soundfont_path.c_str(), 1) == FLUID_FAILED) {
        FreeSynth();
        return;
    }
    state.ready = true;
}

void DeletePlayer() {
    if (state.player != nullptr) {
        fluid_player_stop(state.player);
        delete_fluid_player(state.player);
        state.player = nullptr;
        fluid_synth_all_notes_off(state.synth, -1);
    }
}

}  // namespace

bool CanOpenSoundFont(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

void StartMidiSynthLoading(const char* soundfont_path) {
    if (state.loading || state.ready) {
        return;
    }
    state.loading = true;
    state.worker = std::thread(LoadSynth, std::string(soundfont_path));
}

bool WaitForMidiSynth() {
    if (state.worker.joinable()) {
        state.worker.join();
        state.loading = false;
        if (state.ready) {
            TheAudioMixer().SetExtraVoice(RenderSynth, state.synth);
        }
    }
    return state.ready;
}

void EndMidiSynth() {
    WaitForMidiSynth();
    if (!state.ready) {
        return;
    }
    {
        const std::lock_guard lock(TheAudioMixer().Mutex());
        DeletePlayer();
        TheAudioMixer().SetExtraVoice(nullptr, nullptr);
    }
    FreeSynth();
    state.ready = false;
    state.tempo_factor = 1.0;
}

bool PlayMidiFile(const void* data, std::size_t size, int start_tick) {
    if (!WaitForMidiSynth()) {
        return false;
    }
    const std::lock_guard lock(TheAudioMixer().Mutex());
    DeletePlayer();
    state.player = new_fluid_player(state.synth);
    if (state.player == nullptr) {
        return false;
    }
    if (fluid_player_add_mem(state.player, data, size) != FLUID_OK) {
        DeletePlayer();
        return false;
    }
    fluid_player_set_loop(state.player, -1);
    fluid_player_set_tempo(state.player, FLUID_PLAYER_TEMPO_INTERNAL, state.tempo_factor);
    // A seek while playing is refused until the file is loaded by the first render, so the
    // start position is set before the play.
    if (start_tick > 0) {
        fluid_player_seek(state.player, start_tick);
    }
    fluid_player_play(state.player);
    return true;
}

void PauseMidiFile() {
    const std::lock_guard lock(TheAudioMixer().Mutex());
    if (state.player != nullptr) {
        fluid_player_stop(state.player);
        fluid_synth_all_notes_off(state.synth, -1);
    }
}

bool ResumeMidiFile(int tick) {
    const std::lock_guard lock(TheAudioMixer().Mutex());
    if (state.player == nullptr) {
        return false;
    }
    fluid_player_play(state.player);
    fluid_player_seek(state.player, tick);
    return true;
}

void StopMidiFile() {
    if (!state.ready) {
        return;
    }
    const std::lock_guard lock(TheAudioMixer().Mutex());
    DeletePlayer();
}

int GetMidiFileTick() {
    const std::lock_guard lock(TheAudioMixer().Mutex());
    return state.player == nullptr ? -1 : fluid_player_get_current_tick(state.player);
}

void SetMidiTempoFactor(double factor) {
    const std::lock_guard lock(TheAudioMixer().Mutex());
    state.tempo_factor = factor;
    if (state.player != nullptr) {
        fluid_player_set_tempo(state.player, FLUID_PLAYER_TEMPO_INTERNAL, factor);
    }
}

void SetMidiGain(float gain) {
    TheAudioMixer().SetExtraVoiceGain(gain);
}

}  // namespace platform
