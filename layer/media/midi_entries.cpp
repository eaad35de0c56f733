// The MIDI services the message pump and the window procedure call. Only the media services
// live here, so that the layer core's tests, which record these calls, link without this file.
#include "layer/media/media_services.h"
#include "layer/media/sound_system.h"

namespace layer {

// The sequencer is never opened, so its end notice only clears what a play would have set.
int HandleMciNotify() {
    MidiTable& table = sound_system.midi;
    if (table.loop == 1) {
        table.sequencer_playing = 1;
    } else if (table.sequencer_playing == 1) {
        table.sequencer_playing = 0;
    }
    return 0;
}

// Only the dormant segment player keeps per-handle playing flags; the sequencer has none.
int PollMidiPlayState() {
    return sound_system.started == 0 ? -1 : 0;
}

}  // namespace layer
