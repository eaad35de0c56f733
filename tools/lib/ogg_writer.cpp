#include "tools/lib/ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace tools {
namespace {

constexpr int kFramesPerWrite = 1024;

struct Encoder {
    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    ogg_stream_state stream{};
    bool started = false;
    // A page ends once a packet reaches this sample frame (0: the stream's own page breaks).
    ogg_int64_t page_end = 0;
    int page_frames = 0;

    Encoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder() {
        if (started) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
};

void AppendPage(const ogg_page& page, std::vector<std::uint8_t>& out) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// Moves every finished packet into the stream and every full page into the file.
void Drain(Encoder& encoder, std::vector<std::uint8_t>& out) {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&encoder.dsp, &encoder.block) == 1) {
        vorbis_analysis(&encoder.block, nullptr);
        vorbis_bitrate_addblock(&encoder.block);
        while (vorbis_bitrate_flushpacket(&encoder.dsp, &packet) != 0) {
            ogg_stream_packetin(&encoder.stream, &packet);
            const bool page_ends = encoder.page_frames > 0 && packet.granulepos >= encoder.page_end;
            while ((page_ends ? ogg_stream_flush(&encoder.stream, &page)
                              : ogg_stream_pageout(&encoder.stream, &page)) != 0) {
                AppendPage(page, out);
            }
            while (page_ends && encoder.page_end <= packet.granulepos) {
                encoder.page_end += encoder.page_frames;
            }
        }
    }
}

}  // namespace

std::vector<std::uint8_t> WriteOggVorbis(const PcmSound& sound, float quality, int page_frames) {
    Encoder encoder;
    encoder.page_frames = page_frames;
    encoder.page_end = page_frames;
    std::vector<std::uint8_t> out;
    if (vorbis_encode_init_vbr(&encoder.info, sound.channels, sound.rate, quality) != 0) {
        return out;
    }
    vorbis_comment_add_tag(&encoder.comment, "ENCODER", "qvarn tools");
    vorbis_analysis_init(&encoder.dsp, &encoder.info);
    vorbis_block_init(&encoder.dsp, &encoder.block);
    ogg_stream_init(&encoder.stream, 1);
    encoder.started = true;

    ogg_packet identification;
    ogg_packet comments;
    ogg_packet codebooks;
    vorbis_analysis_headerout(&encoder.dsp, &encoder.comment, &identification, &comments,
                              &codebooks);
    ogg_stream_packetin(&encoder.stream, &identification);
    ogg_stream_packetin(&encoder.stream, &comments);
    ogg_stream_packetin(&encoder.stream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&encoder.stream, &page) != 0) {
        AppendPage(page, out);
    }

    const int frames = sound.Frames();
    for (int first = 0; first < frames; first += kFramesPerWrite) {
        const int count = std::min(kFramesPerWrite, frames - first);
        float** buffers = vorbis_analysis_buffer(&encoder.dsp, count);
        for (int frame = 0; frame < count; ++frame) {
            for (int channel = 0; channel < sound.channels; ++channel) {
                buffers[channel][frame] = sound.samples[static_cast<std::size_t>(
                                              (first + frame) * sound.channels + channel)] /
                                          32768.0f;
            }
        }
        vorbis_analysis_wrote(&encoder.dsp, count);
        Drain(encoder, out);
    }
    vorbis_analysis_wrote(&encoder.dsp, 0);
    Drain(encoder, out);
    while (ogg_stream_flush(&encoder.stream, &page) != 0) {
        AppendPage(page, out);
    }
    return out;
}

}  // namespace tools
