#include "layer/media/block_codecs.h"

#include "layer/media/little_endian.h"
#include "platform/audio/audio_mixer.h"

namespace layer {
namespace {

constexpr int kCommonFormatBytes = 16;

constexpr const BlockCodec* kBlockCodecs[] = {&kMsAdpcmCodec, &kALawCodec, &kMuLawCodec,
                                              &kImaAdpcmCodec};

}  // namespace

bool ReadCommonBlockFormat(const std::uint8_t* format, int size, BlockFormat* out) {
    if (size < kCommonFormatBytes) {
        return false;
    }
    out->channels = ReadLe16(format + 2);
    const std::uint32_t rate = ReadLe32(format + 4);
    out->block_align = ReadLe16(format + 12);
    if (out->channels < 1 || out->channels > 2 || rate < platform::kLowestFrequency ||
        rate > platform::kHighestFrequency || out->block_align == 0) {
        return false;
    }
    out->rate = static_cast<int>(rate);
    return true;
}

const BlockCodec* FindBlockCodec(std::uint16_t tag) {
    for (const BlockCodec* codec : kBlockCodecs) {
        if (codec->tag == tag) {
            return codec;
        }
    }
    return nullptr;
}

}  // namespace layer
