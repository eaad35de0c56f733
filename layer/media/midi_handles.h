#pragma once

// MIDI handles (kind 11): a table of 256 records for MIDI music played by the layer's own
// sequencer. Nothing in the system creates one (the game plays MIDI through its MIDI player
// binding), so the table stays empty; the operations still answer for it.

#include <cstdint>

#include "layer/core/handle_kinds.h"
#include "layer/core/handle_table.h"

namespace layer {

struct MidiRecord {
    int CheckNo = 0;
    int playing = 0;
    int seen_playing = 0;
    std::uint8_t* data = nullptr;
    int size = 0;
};

struct MidiTable {
    HandleTable<MidiRecord, kMidiHandleKind> records;
    int sequencer_playing = 0;
    // The temporary MIDI file the sequencer would read.
    char temporary_file[260] = {};
    std::uint32_t device = 0;
    int loop = 0;
    int temporary_file_made = 0;
};

// The sequencer's playing flag for a valid handle; -1 for a bad handle or without the system.
int GetMidiPlayState(int midi);
int StopMidiHandle(int midi);
int ReleaseMidiHandle(int midi);
// 0, -1 when the sound system is not started.
int DeleteAllMidiHandles();

}  // namespace layer
