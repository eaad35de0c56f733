#include "layer/media/midi_handles.h"

#include <cstdio>

#include "layer/core/message_pump.h"
#include "layer/core/tracked_memory.h"
#include "layer/media/media_services.h"
#include "layer/media/sound_system.h"

namespace layer {
namespace {

// Messages pumped after a stop so that the sequencer's notices are handled.
constexpr int kPumpsAfterStop = 5;

MidiRecord* FindMidi(int midi) {
    return sound_system.started == 0 ? nullptr : sound_system.midi.records.Find(midi);
}

}  // namespace

int GetMidiPlayState(int midi) {
    return FindMidi(midi) == nullptr ? -1 : sound_system.midi.sequencer_playing;
}

int StopMidiHandle(int midi) {
    MidiRecord* record = FindMidi(midi);
    if (record == nullptr) {
        return -1;
    }
    MidiTable& table = sound_system.midi;
    table.loop = 0;
    HandleMciNotify();
    for (int i = 0; i < kPumpsAfterStop; ++i) {
        RunMessagePump();
    }
    if (table.temporary_file_made != 0) {
        std::remove(table.temporary_file);
        table.temporary_file_made = 0;
    }
    record->playing = 0;
    record->seen_playing = 0;
    return 0;
}

int ReleaseMidiHandle(int midi) {
    MidiRecord* record = FindMidi(midi);
    if (record == nullptr) {
        return -1;
    }
    if (GetMidiPlayState(midi) == 1) {
        StopMidiHandle(midi);
    }
    FreeTracked(record->data);
    record->data = nullptr;
    return sound_system.midi.records.Remove(midi);
}

int DeleteAllMidiHandles() {
    if (sound_system.started == 0) {
        return -1;
    }
    sound_system.midi.records.DeleteAll([](int midi) { ReleaseMidiHandle(midi); });
    return 0;
}

}  // namespace layer
