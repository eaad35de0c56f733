// The per-frame work of the sound manager: fades, the MIDI volume and tempo, the effect queue.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "game/core/game_info.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/presentation/sound_entries.h"
#include "game/presentation/sound_layer_calls.h"
#include "game/presentation/sound_manager.h"

namespace game {
namespace {

constexpr std::size_t kMidiDeviceFlag = 6;
constexpr int kPlayOnce = 1;

int MidiDevice() {
    const std::vector<std::int8_t>& flags = TheGameInfo.gameFlags;
    return kMidiDeviceFlag < flags.size() ? flags[kMidiDeviceFlag] : 0;
}

// A fade's counter and length with the volumes it moves between.
struct FadeStep {
    int left;
    int length;
    int outgoing;
    int target;
    int from;

    // The share of the fade still to run, as a real number.
    double Remaining() const { return static_cast<double>(left) / length; }
    double Done() const { return static_cast<double>(length - left) / length; }
    int OutgoingVolume() const { return static_cast<int>(outgoing * Remaining()); }
    int FromPart() const { return from * left / length; }
    double Level() const { return target * Done() + FromPart(); }
};

FadeStep MakeStep(int left, int length, int outgoing, int target, int from) {
    // A fade of no steps would divide by zero; it counts as one.
    return {left, std::max(length, 1), outgoing, target, from};
}

void SendMidiFadeIn(const FadeStep& step) {
    const double level = step.Level();
    if (MidiDevice() == 0)
        TheSoundLayerCalls.GGSMasterVolume(static_cast<int>((level - 110) * 1.27));
    else if (MidiDevice() == 1)
        TheSoundLayerCalls.GGSMasterVolume(static_cast<int>(level - 100) * 50);
}

void RunMidiFadeOut(const FadeStep& step) {
    const double done = step.length - step.left;
    if (MidiDevice() == 0)
        TheSoundLayerCalls.GGSMasterVolume(
            static_cast<int>((step.outgoing - 110) * 1.0 - done * 127 / step.length));
    else if (MidiDevice() == 1)
        TheSoundLayerCalls.GGSMasterVolume(
            static_cast<int>((step.outgoing - 100) * 50 - done * 5000 / step.length));
    if (step.left == 0)
        TheSoundLayerCalls.GGSStop();
}

int CountDown(int counter) {
    return counter <= 0 ? -1 : std::max(counter - FramesPerUpdate, 0);
}

}  // namespace

void SoundManager::UpdateSound() {
    UpdateMusicFade();
    UpdateBgsFade();
    UpdateEffectQueue();
}

void SoundManager::UpdateMusicFade() {
    if (MusicFadeLeft == -1)
        return;
    const FadeStep step =
        MakeStep(MusicFadeLeft, MusicFadeLength, OutgoingMusicVolume, MusicVolume, MusicFadeFrom);
    if (TheMainInterpreter.CurrentMusicNumber == -1) {
        if (OutgoingMusicIsMidi)
            RunMidiFadeOut(step);
        else if (OutgoingMusicHandle != 0)
            TheSoundLayerCalls.SetSoundHandleVolume(step.OutgoingVolume(), OutgoingMusicHandle);
    } else {
        if (OutgoingMusicIsMidi && !MusicIsMidi)
            RunMidiFadeOut(step);
        if (!OutgoingMusicIsMidi) {
            if (OutgoingMusicHandle == MusicHandle)
                OutgoingMusicHandle = 0;
            else if (OutgoingMusicHandle != 0)
                TheSoundLayerCalls.SetSoundHandleVolume(step.OutgoingVolume(), OutgoingMusicHandle);
        }
        if (MusicIsMidi) {
            std::uint8_t& paused = TheScreenState.soundFlag;
            if ((MusicVolume == 0 || TheMainInterpreter.MusicMasterVolume == 0) &&
                MusicFadeLeft == 0) {
                if (paused == 0) {
                    TheSoundLayerCalls.GGSPause();
                    paused = 1;
                }
            } else {
                if (paused != 0) {
                    paused = 0;
                    TheSoundLayerCalls.GGSPause();
                }
                SendMidiFadeIn(step);
            }
            if (TempoResendCountdown >= 0 && --TempoResendCountdown == 0)
                TheSoundLayerCalls.GGSTempoDepth(TempoDepth(MusicTempo));
        } else if (MusicHandle != 0) {
            // The target's share is truncated before the fade-in start's share is added.
            TheSoundLayerCalls.SetSoundHandleVolume(
                static_cast<int>(step.target * step.Done()) + step.FromPart(), MusicHandle);
        }
    }
    if (MusicFadeLeft == 0 && OutgoingMusicHandle != 0) {
        ReleaseSoundHandle(kMusicKind, OutgoingMusicHandle);
        OutgoingMusicHandle = 0;
    }
    MusicFadeLeft = CountDown(MusicFadeLeft);
}

void SoundManager::UpdateBgsFade() {
    if (BgsFadeLeft == -1)
        return;
    const FadeStep step =
        MakeStep(BgsFadeLeft, BgsFadeLength, OutgoingBgsVolume, BgsVolume, BgsFadeFrom);
    if (OutgoingBgsHandle == BgsHandle)
        OutgoingBgsHandle = 0;
    else if (OutgoingBgsHandle != 0)
        TheSoundLayerCalls.SetSoundHandleVolume(step.OutgoingVolume(), OutgoingBgsHandle);
    if (BgsHandle != 0)
        TheSoundLayerCalls.SetSoundHandleVolume(static_cast<int>(step.Level()), BgsHandle);
    if (BgsFadeLeft == 0 && OutgoingBgsHandle != 0) {
        ReleaseSoundHandle(kBgsKind, OutgoingBgsHandle);
        OutgoingBgsHandle = 0;
    }
    BgsFadeLeft = CountDown(BgsFadeLeft);
}

void SoundManager::UpdateEffectQueue() {
    SoundEffectQueue& queue = EffectQueue;
    std::size_t i = 0;
    while (i < queue.QueuedHandle.size()) {
        const int handle = queue.QueuedHandle[i];
        int& delay = queue.QueuedDelay[i];
        bool remove = false;
        if (delay == 0 && handle == -1) {
            queue = SoundEffectQueue();
            const int count = SoundListRecordCount(kSoundEffectKind);
            for (const auto& [number, held] : Handles[kSoundEffectKind])
                if (number >= 0 && number < count && held != 0)
                    TheSoundLayerCalls.HaltSound(held);
            return;
        }
        if (delay == 0) {
            TheSoundLayerCalls.StartSound(handle, kPlayOnce, 1);
            remove = queue.QueuedRelease[i] <= 0;
        } else if (delay < 0 && TheSoundLayerCalls.IsSoundPlaying(handle) <= 0) {
            ReleaseSoundHandle(kSoundEffectKind, handle);
            remove = true;
        }
        if (remove) {
            queue.QueuedHandle.erase(queue.QueuedHandle.begin() + static_cast<std::ptrdiff_t>(i));
            queue.QueuedDelay.erase(queue.QueuedDelay.begin() + static_cast<std::ptrdiff_t>(i));
            queue.QueuedRelease.erase(queue.QueuedRelease.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        delay = CountDown(delay);
        ++i;
    }
}

}  // namespace game
