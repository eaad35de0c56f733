// Feeding the Ogg sync state and finding the Theora stream with its three headers.
#include <cstring>

#include "layer/core/layer_log.h"
#include "layer/media/theora_decoder.h"
#include "layer/media/theora_texts.h"

namespace layer {
namespace {

constexpr int kTheoraHeaderCount = 3;
constexpr char kVorbisIdentification[] = "\x01vorbis";
constexpr long kVorbisIdentificationSize = 7;

bool IsVorbisStart(const ogg_packet& packet) {
    return packet.bytes >= kVorbisIdentificationSize &&
           std::memcmp(packet.packet, kVorbisIdentification, kVorbisIdentificationSize) == 0;
}

// A stream's first page: becomes the Theora stream when its first packet is a Theora header;
// otherwise it is noted when it begins a Vorbis stream.
void TryFirstPage(TheoraDecoder* decoder) {
    ogg_stream_state test;
    ogg_stream_init(&test, ogg_page_serialno(&decoder->page));
    ogg_stream_pagein(&test, &decoder->page);
    ogg_packet packet;
    const bool has_packet = ogg_stream_packetout(&test, &packet) == 1;
    if (has_packet && decoder->stream_ready == 0 &&
        theora_decode_header(&decoder->info, &decoder->comment, &packet) >= 0) {
        decoder->stream = test;
        decoder->stream_ready = 1;
        decoder->serial = ogg_page_serialno(&decoder->page);
        decoder->header_count = 1;
        return;
    }
    if (has_packet && IsVorbisStart(packet)) {
        decoder->has_vorbis = 1;
    }
    ogg_stream_clear(&test);
}

// Reads the first pages of every stream, until a page that begins no stream (it goes to the
// Theora stream) or the end of the file.
void SearchFirstPages(TheoraDecoder* decoder) {
    for (;;) {
        while (ogg_sync_pageout(&decoder->sync, &decoder->page) > 0) {
            if (ogg_page_bos(&decoder->page) == 0) {
                if (decoder->stream_ready != 0) {
                    ogg_stream_pagein(&decoder->stream, &decoder->page);
                }
                return;
            }
            TryFirstPage(decoder);
        }
        if (FeedOggData(decoder, kOggFeedSize) == 0) {
            return;
        }
    }
}

}  // namespace

int FeedOggData(TheoraDecoder* decoder, int count) {
    char* buffer = ogg_sync_buffer(&decoder->sync, count);
    const int read = buffer != nullptr ? decoder->files.read(buffer, 1, count, decoder->file) : 0;
    if (read <= 0) {
        return 0;
    }
    ogg_sync_wrote(&decoder->sync, read);
    return read;
}

int ReadTheoraHeaders(TheoraDecoder* decoder) {
    SearchFirstPages(decoder);
    if (decoder->stream_ready == 0) {
        return -1;
    }
    while (decoder->header_count < kTheoraHeaderCount) {
        const int taken = ogg_stream_packetout(&decoder->stream, &decoder->packet);
        if (taken < 0 || (taken > 0 && theora_decode_header(&decoder->info, &decoder->comment,
                                                            &decoder->packet) < 0)) {
            return -1;
        }
        if (taken > 0) {
            ++decoder->header_count;
        } else if (ogg_sync_pageout(&decoder->sync, &decoder->page) > 0) {
            ogg_stream_pagein(&decoder->stream, &decoder->page);
        } else if (FeedOggData(decoder, kOggFeedSize) == 0) {
            return WriteLog(kTheoraHeadersEndedText);
        }
    }
    return 1;
}

}  // namespace layer
