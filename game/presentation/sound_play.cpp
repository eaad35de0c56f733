// Starting and stopping the music, the background sound and the sound effects by list number.
#include <cstddef>

#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/presentation/sound_entries.h"
#include "game/presentation/sound_layer_calls.h"
#include "game/presentation/sound_manager.h"

namespace game {
namespace {

constexpr int kStopNumber = -1;
constexpr int kWideStopNumber = 65535;
constexpr int kMidiSilence = -10000;
constexpr int kMidiTempoResendUpdates = 6;
constexpr int kLoopPlay = 3;

int Percent(int value) {
    return value != 0 ? value : 100;
}

// A fade below 0 counts as 0: -1 would make a fade of no steps, which the update divides by.
int FadeSteps(int fade) {
    return (fade > 0 ? fade : 0) + 1;
}

// Starts a stream sound looping: from startMs when it is 1 or more, else from the start.
void StartLooping(int handle, int startMs) {
    if (startMs >= 1) {
        TheSoundLayerCalls.SetSoundHandlePositionMs(startMs, handle);
        TheSoundLayerCalls.StartSound(handle, kLoopPlay, 0);
    } else {
        TheSoundLayerCalls.StartSound(handle, kLoopPlay, 1);
    }
}

}  // namespace

void SoundManager::PlaySoundByNumber(int kind, int number, int fade, int startMs) {
    if (kind < kMusicKind || kind > kSoundEffectKind)
        return;
    MainInterpreter& interpreter = TheMainInterpreter;
    if (!SoundKindEnabled(kind)) {
        if (kind == kMusicKind && number >= -1)
            interpreter.CurrentMusicNumber = number;
        else if (kind == kBgsKind && number >= -1)
            interpreter.CurrentBgsNumber = number;
        return;
    }
    if (number == kWideStopNumber)
        number = kStopNumber;
    if (!MidiListLoaded)
        PreloadMidiList();
    if (kind == kMusicKind)
        PlayMusic(number, fade, startMs);
    else if (kind == kBgsKind)
        PlayBackgroundSound(number, fade, startMs);
    else if (kind == kSoundEffectKind)
        QueueSoundEffect(number, fade);
}

void SoundManager::PlayMusic(int number, int fade, int startMs) {
    MainInterpreter& interpreter = TheMainInterpreter;
    if (number == interpreter.CurrentMusicNumber)
        return;
    if (OutgoingMusicHandle != 0) {
        TheSoundLayerCalls.SetSoundHandleVolume(0, OutgoingMusicHandle);
        ReleaseSoundHandle(kMusicKind, OutgoingMusicHandle);
    }
    if (OutgoingMusicIsMidi && !MusicIsMidi)
        TheSoundLayerCalls.GGSStop();
    OutgoingMusicIsMidi = MusicIsMidi;
    OutgoingMusicHandle = MusicHandle;
    if (number == kStopNumber) {
        MusicIsMidi = false;
        OutgoingMusicVolume = MusicVolume;
        MusicVolume = 0;
        if (fade <= 0) {
            const int current = interpreter.CurrentMusicNumber;
            Handles[kMusicKind][current] = 0;
            // The handle goes at once and is not faded: forgetting it keeps the update from
            // touching a handle number the layer may give out again.
            if (current < SoundListSize(kMusicKind) && OutgoingMusicHandle != 0) {
                TheSoundLayerCalls.RemoveSound(OutgoingMusicHandle, 0);
                OutgoingMusicHandle = 0;
            }
        }
        interpreter.CurrentMusicNumber = kStopNumber;
        MusicHandle = 0;
        MusicFadeLeft = MusicFadeLength = FadeSteps(fade);
        MusicFadeFrom = 0;
        interpreter.CurrentMusicName.clear();
        return;
    }
    interpreter.CurrentMusicNumber = number;
    if (number < kStopNumber)
        return;
    const int midiFlag = FlagAt(MidiFlags, number);
    if (OutgoingMusicIsMidi && midiFlag == 1)
        TheSoundLayerCalls.GGSStop();
    if (midiFlag == 1)
        StartMidiMusic(number, fade, startMs);
    else if (midiFlag == 0)
        StartStreamMusic(number, fade, startMs);
}

void SoundManager::StartMidiMusic(int number, int fade, int startMs) {
    MainInterpreter& interpreter = TheMainInterpreter;
    MusicIsMidi = true;
    MusicHandle = 0;
    OutgoingMusicVolume = MusicVolume;
    TheSoundLayerCalls.GGSMasterVolume(kMidiSilence);
    const int tempo = SoundEntryValue(kMusicKind, number, kEntryTempo);
    MusicTempo = Percent(tempo);
    TheSoundLayerCalls.GGSTempoDepth(TempoDepth(MusicTempo));
    TempoResendCountdown = kMidiTempoResendUpdates;
    const int volume = SoundEntryValue(kMusicKind, number, kEntryVolume);
    MusicVolume = Percent(volume) * interpreter.MusicMasterVolume / 100;
    MusicFadeFrom = 0;
    MusicFadeLeft = MusicFadeLength = FadeSteps(fade);
    TheSoundLayerCalls.GGSPlay(1, number + 1, startMs);
    if (MusicVolume != 0) {
        TheScreenState.soundFlag = 0;
    } else {
        TheSoundLayerCalls.GGSPause();
        TheScreenState.soundFlag = 1;
    }
    interpreter.CurrentMusicName = SoundEntryName(kMusicKind, number);
    interpreter.CurrentMusicVolume = volume;
    interpreter.CurrentMusicTempo = MusicTempo;
    interpreter.CurrentMusicLoopMs = 0;
    TheScreenState.soundSystemValues[0] = interpreter.CurrentMusicVolume;
}

void SoundManager::StartStreamMusic(int number, int fade, int startMs) {
    MainInterpreter& interpreter = TheMainInterpreter;
    MusicIsMidi = false;
    LoadSoundByNumber(kMusicKind, number);
    const int handle = Handles[kMusicKind][number];
    if (handle == 0) {
        interpreter.CurrentMusicNumber = kStopNumber;
        OutgoingMusicVolume = MusicVolume;
        MusicVolume = 0;
        MusicHandle = 0;
        MusicFadeFrom = 0;
        TheScreenState.soundSystemValues[0] = 0;
        interpreter.CurrentMusicName.clear();
        return;
    }
    MusicHandle = handle;
    OutgoingMusicVolume = MusicVolume;
    const int volume = SoundEntryValue(kMusicKind, number, kEntryVolume);
    const int tempo = SoundEntryValue(kMusicKind, number, kEntryTempo);
    const int loopMs = SoundEntryValue(kMusicKind, number, kEntryFourth);
    MusicVolume =
        volume != 0 ? volume * interpreter.MusicMasterVolume / 100 : interpreter.MusicMasterVolume;
    MusicFadeFrom = 0;
    MusicFadeLeft = MusicFadeLength = FadeSteps(fade);
    TheSoundLayerCalls.SetSoundPositionMs(loopMs, handle);
    MusicTempo = tempo > 0 ? tempo : 100;
    SetFrequencyPercent(handle, tempo > 0 ? tempo : 0);
    const bool outgoing = handle == OutgoingMusicHandle;
    if (startMs >= 1 || !outgoing)
        StartLooping(handle, startMs);
    if (!outgoing)
        TheSoundLayerCalls.SetSoundHandleVolume(0, handle);
    interpreter.CurrentMusicName = SoundEntryName(kMusicKind, number);
    interpreter.CurrentMusicVolume = volume;
    interpreter.CurrentMusicTempo = MusicTempo;
    interpreter.CurrentMusicLoopMs = loopMs;
    TheScreenState.soundSystemValues[0] = interpreter.CurrentMusicVolume;
}

void SoundManager::PlayBackgroundSound(int number, int fade, int startMs) {
    MainInterpreter& interpreter = TheMainInterpreter;
    if (number == interpreter.CurrentBgsNumber)
        return;
    if (OutgoingBgsHandle != 0)
        ReleaseSoundHandle(kBgsKind, OutgoingBgsHandle);
    if (number >= 0)
        LoadSoundByNumber(kBgsKind, number);
    OutgoingBgsHandle = BgsHandle;
    const int handle = number >= 0 ? Handles[kBgsKind][number] : 0;
    if (handle == 0) {
        interpreter.CurrentBgsNumber = kStopNumber;
        OutgoingBgsVolume = BgsVolume;
        BgsVolume = 0;
        BgsHandle = 0;
        BgsFadeLeft = BgsFadeLength = FadeSteps(fade);
        BgsFadeFrom = 0;
        TheScreenState.soundSystemValues[1] = interpreter.CurrentBgsVolume;
        interpreter.CurrentBgsName.clear();
        return;
    }
    interpreter.CurrentBgsNumber = number;
    BgsHandle = handle;
    OutgoingBgsVolume = BgsVolume;
    const int volume = SoundEntryValue(kBgsKind, number, kEntryVolume);
    const int frequency = SoundEntryValue(kBgsKind, number, kEntryTempo);
    const int loopMs = SoundEntryValue(kBgsKind, number, kEntryFourth);
    BgsVolume =
        volume != 0 ? volume * interpreter.BgsMasterVolume / 100 : interpreter.BgsMasterVolume;
    BgsFadeFrom = 0;
    BgsFadeLeft = BgsFadeLength = FadeSteps(fade);
    TheSoundLayerCalls.SetSoundPositionMs(loopMs, handle);
    BgsFrequency = Percent(frequency);
    SetFrequencyPercent(handle, frequency);
    StartLooping(handle, startMs);
    TheSoundLayerCalls.SetSoundHandleVolume(0, handle);
    interpreter.CurrentBgsName = SoundEntryName(kBgsKind, number);
    interpreter.CurrentBgsVolume = volume;
    interpreter.CurrentBgsFrequency = BgsFrequency;
    interpreter.CurrentBgsLoopMs = loopMs;
    TheScreenState.soundSystemValues[1] = interpreter.CurrentBgsVolume;
}

void SoundManager::QueueSoundEffect(int number, int fade) {
    MainInterpreter& interpreter = TheMainInterpreter;
    if (interpreter.SeMasterVolume <= 0)
        return;
    if (number >= 0)
        LoadSoundByNumber(kSoundEffectKind, number);
    const int handle = number == kStopNumber ? -1 : Handles[kSoundEffectKind][number];
    EffectQueue.QueuedHandle.push_back(handle);
    EffectQueue.QueuedDelay.push_back(fade > 0 ? fade : 0);
    EffectQueue.QueuedRelease.push_back(SoundEntryValue(kSoundEffectKind, number, kEntryFourth));
    if (number < 0)
        return;
    const int volume = SoundEntryValue(kSoundEffectKind, number, kEntryVolume);
    TheSoundLayerCalls.SetSoundHandleVolume(
        volume != 0 ? volume * interpreter.SeMasterVolume / 100 : interpreter.SeMasterVolume,
        handle);
    SetFrequencyPercent(handle, SoundEntryValue(kSoundEffectKind, number, kEntryTempo));
}

}  // namespace game
