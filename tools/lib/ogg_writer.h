#pragma once

#include <cstdint>
#include <vector>

#include "tools/lib/sound_tones.h"

namespace tools {

// The sound as an Ogg Vorbis file image (variable bit rate at `quality`, -0.1 to 1); empty
// when the encoder refuses the format. With `page_frames`, a page ends at the first packet
// reaching each multiple of that many sample frames, as a muxer interleaving it with other
// streams would page it; 0 leaves the pages to fill up.
std::vector<std::uint8_t> WriteOggVorbis(const PcmSound& sound, float quality = 0.4f,
                                         int page_frames = 0);

}  // namespace tools
