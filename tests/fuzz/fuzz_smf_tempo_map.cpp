// Bytes as a standard MIDI file into the tempo-map parser, and the map it reads asked for the
// ticks at a few times.
#include <cstdint>

#include "layer/media/smf_tempo_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    layer::SmfTempoMap map;
    if (layer::ParseSmfTempoMap(data, size, &map)) {
        for (const int milliseconds : {0, 1, 999, 60000, 2147483647})
            layer::SmfTickAtMilliseconds(map, milliseconds);
    }
    return 0;
}
