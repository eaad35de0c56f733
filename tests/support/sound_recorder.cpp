#include "tests/support/sound_recorder.h"

#include <sstream>

#include "game/presentation/sound_layer_calls.h"

namespace test {
namespace {

constexpr int kFirstHandle = 101;
constexpr int kBaseFrequency = 22050;

std::vector<std::string> calls;
std::set<int> playingHandles;
int nextHandle = kFirstHandle;

template <typename... Values>
void Note(const char* name, Values... values) {
    std::ostringstream text;
    text << name << '(';
    const std::vector<int> arguments = {values...};
    for (std::size_t i = 0; i < arguments.size(); ++i)
        text << (i > 0 ? "," : "") << arguments[i];
    text << ')';
    calls.push_back(text.str());
}

game::SoundLayerCalls RecordingCalls() {
    return {
        [](int flag) { return Note("RemoveAllSounds", flag), 0; },
        [](const void*, int size, int buffers, int option) {
            Note("LoadSoundFromMemory", size, buffers, option);
            return nextHandle++;
        },
        [](const void*, int size, int option) {
            Note("LoadSoundFromMemorySingle", size, option);
            return nextHandle++;
        },
        [](int sound, int flag) { return Note("RemoveSound", sound, flag), 0; },
        [](int sound, int type, int restart) {
            return Note("StartSound", sound, type, restart), 0;
        },
        [](int sound) { return Note("HaltSound", sound), 0; },
        [](int sound) { return playingHandles.contains(sound) ? 1 : 0; },
        [](int ms, int sound) { return Note("SetSoundPositionMs", ms, sound), 0; },
        [](int mode) { return Note("SetSoundLoadMode", mode), 0; },
        [](int volume, int sound) { return Note("SetSoundHandleVolume", volume, sound), 0; },
        [](int frequency, int sound) {
            return Note("SetSoundHandleFrequency", frequency, sound), 0;
        },
        [](int) { return kBaseFrequency; },
        [](int ms, int sound) { return Note("SetSoundHandlePositionMs", ms, sound), 0; },
        [](const void*, int size, int option, int list) {
            return Note("GGSReadList", size, option, list), 0;
        },
        [](int list) { return Note("GGSDeleteList", list), 0; },
        [](int option, int list, int ms) { return Note("GGSPlay", option, list, ms), 0; },
        []() { return Note("GGSStop"), 0; },
        []() { return Note("GGSPause"), 0; },
        [](int volume) { return Note("GGSMasterVolume", volume), 0; },
        [](int depth) { return Note("GGSTempoDepth", depth), 0; },
    };
}

}  // namespace

SoundRecorder::SoundRecorder() {
    Reset();
    game::TheSoundLayerCalls = RecordingCalls();
}

SoundRecorder::~SoundRecorder() {
    game::TheSoundLayerCalls = game::LayerSoundCalls();
}

const std::vector<std::string>& SoundRecorder::Calls() const {
    return calls;
}

std::vector<std::string> SoundRecorder::CallsNamed(const std::vector<std::string>& names) const {
    std::vector<std::string> kept;
    for (const std::string& call : calls)
        for (const std::string& name : names)
            if (call.starts_with(name + "("))
                kept.push_back(call);
    return kept;
}

void SoundRecorder::Clear() {
    calls.clear();
}

void SoundRecorder::Reset() {
    calls.clear();
    playingHandles.clear();
    nextHandle = kFirstHandle;
}

std::set<int>& SoundRecorder::Playing() {
    return playingHandles;
}

}  // namespace test
