#pragma once

#include <cstdint>
#include <vector>

#include "tools/lib/sound_tones.h"

namespace tools {

// The sound as an Ogg Vorbis file image (variable bit rate at `quality`, -0.1 to 1); empty
// when the encoder refuses the format.
std::vector<std::uint8_t> WriteOggVorbis(const PcmSound& sound, float quality = 0.4f);

}  // namespace tools
