#include "tools/lib/theora_clip_writer.h"

#include <ogg/ogg.h>
#include <theora/theoraenc.h>

#include <algorithm>

#include "tools/lib/ogg_writer.h"
#include "tools/lib/sound_tones.h"

namespace tools {
namespace {

constexpr int kColourSteps = 28;
constexpr int kToneRate = 22050;
constexpr double kToneFrequency = 440.0;
constexpr double kToneAmplitude = 0.3;
constexpr float kToneQuality = 0.1f;
// Pages of a tenth of a second, interleaved with the video's page per frame as a muxer would.
constexpr int kTonePageFrames = kToneRate / 10;
constexpr int kHeaderPackets = 3;
constexpr int kVideoSerial = 0x7151;
// Room for key frames up to 64 frames apart.
constexpr int kKeyframeGranuleShift = 6;
constexpr int kBestQuality = 63;

using Bytes = std::vector<std::uint8_t>;

struct TimedPage {
    Bytes bytes;
    double time = 0;
};

// The pages of one stream: the first (which begins it), the other header pages, and the data
// pages with the time each ends at.
struct StreamPages {
    Bytes first;
    std::vector<Bytes> headers;
    std::vector<TimedPage> data;
};

Bytes PageBytes(const ogg_page& page) {
    Bytes bytes(page.header, page.header + page.header_len);
    bytes.insert(bytes.end(), page.body, page.body + page.body_len);
    return bytes;
}

void AddHeaderPage(const ogg_page& page, StreamPages* pages) {
    if (pages->first.empty()) {
        pages->first = PageBytes(page);
    } else {
        pages->headers.push_back(PageBytes(page));
    }
}

// Header packets each get a page of their own, so that a cut before any of them is easy.
void AddHeaderPacket(ogg_stream_state* stream, ogg_packet* packet, StreamPages* pages) {
    ogg_stream_packetin(stream, packet);
    ogg_page page;
    while (ogg_stream_flush(stream, &page) != 0) {
        AddHeaderPage(page, pages);
    }
}

// A page that completes no packet carries the time of the page before it.
template <typename TimeOf>
void AddDataPage(const ogg_page& page, TimeOf time_of, StreamPages* pages) {
    const ogg_int64_t granule = ogg_page_granulepos(&page);
    const double previous = pages->data.empty() ? 0.0 : pages->data.back().time;
    pages->data.push_back({PageBytes(page), granule < 0 ? previous : time_of(granule)});
}

// Whether a sample covering size x size luma samples from (x, y) touches the picture: a chroma
// sample shared by a picture pixel and a padding pixel takes the picture's colour.
bool TouchesPicture(const TheoraClipOptions& options, int x, int y, int size) {
    const int width = options.picture_width > 0 ? options.picture_width : options.coded_width;
    const int height = options.picture_height > 0 ? options.picture_height : options.coded_height;
    return x + size > options.picture_x && x < options.picture_x + width &&
           y + size > options.picture_y && y < options.picture_y + height;
}

// The three planes of frame n, the padding in its own colour.
struct FramePlanes {
    Bytes y;
    Bytes u;
    Bytes v;
    th_ycbcr_buffer buffer{};

    FramePlanes(const TheoraClipOptions& options, int frame) {
        const int shift = options.chroma_444 ? 0 : 1;
        const int widths[3] = {options.coded_width, options.coded_width >> shift,
                               options.coded_width >> shift};
        const int heights[3] = {options.coded_height, options.coded_height >> shift,
                                options.coded_height >> shift};
        const YuvColour inside = ClipFrameColour(frame);
        const YuvColour outside = ClipPaddingColour();
        Bytes* planes[3] = {&y, &u, &v};
        for (int plane = 0; plane < 3; ++plane) {
            const int scale = plane == 0 ? 0 : shift;
            Bytes& samples = *planes[plane];
            samples.resize(static_cast<std::size_t>(widths[plane]) * heights[plane]);
            for (int row = 0; row < heights[plane]; ++row) {
                for (int column = 0; column < widths[plane]; ++column) {
                    const YuvColour& colour =
                        TouchesPicture(options, column << scale, row << scale, 1 << scale)
                            ? inside
                            : outside;
                    const std::uint8_t values[3] = {colour.y, colour.u, colour.v};
                    samples[static_cast<std::size_t>(row) * widths[plane] + column] = values[plane];
                }
            }
            buffer[plane].width = widths[plane];
            buffer[plane].height = heights[plane];
            buffer[plane].stride = widths[plane];
            buffer[plane].data = samples.data();
        }
    }
};

th_enc_ctx* NewVideoEncoder(const TheoraClipOptions& options) {
    th_info info;
    th_info_init(&info);
    info.frame_width = static_cast<ogg_uint32_t>(options.coded_width);
    info.frame_height = static_cast<ogg_uint32_t>(options.coded_height);
    info.pic_width = static_cast<ogg_uint32_t>(options.picture_width > 0 ? options.picture_width
                                                                         : options.coded_width);
    info.pic_height = static_cast<ogg_uint32_t>(options.picture_height > 0 ? options.picture_height
                                                                           : options.coded_height);
    info.pic_x = static_cast<ogg_uint32_t>(options.picture_x);
    info.pic_y = static_cast<ogg_uint32_t>(options.picture_y);
    info.fps_numerator = static_cast<ogg_uint32_t>(options.fps_numerator);
    info.fps_denominator = static_cast<ogg_uint32_t>(options.fps_denominator);
    info.aspect_numerator = 1;
    info.aspect_denominator = 1;
    info.colorspace = TH_CS_UNSPECIFIED;
    info.pixel_fmt = options.chroma_444 ? TH_PF_444 : TH_PF_420;
    info.quality = kBestQuality;
    info.keyframe_granule_shift = kKeyframeGranuleShift;
    th_enc_ctx* encoder = th_encode_alloc(&info);
    th_info_clear(&info);
    if (encoder != nullptr) {
        ogg_uint32_t interval = static_cast<ogg_uint32_t>(std::max(1, options.keyframe_interval));
        th_encode_ctl(encoder, TH_ENCCTL_SET_KEYFRAME_FREQUENCY_FORCE, &interval, sizeof(interval));
    }
    return encoder;
}

bool EncodeVideo(const TheoraClipOptions& options, StreamPages* pages) {
    th_enc_ctx* encoder = NewVideoEncoder(options);
    if (encoder == nullptr) {
        return false;
    }
    ogg_stream_state stream;
    ogg_stream_init(&stream, kVideoSerial);
    th_comment comment;
    th_comment_init(&comment);
    ogg_packet packet;
    while (th_encode_flushheader(encoder, &comment, &packet) > 0) {
        AddHeaderPacket(&stream, &packet, pages);
    }
    th_comment_clear(&comment);
    const auto time_of = [encoder](ogg_int64_t granule) {
        return th_granule_time(encoder, granule);
    };
    bool encoded = true;
    ogg_page page;
    for (int frame = 0; frame < options.frame_count && encoded; ++frame) {
        FramePlanes planes(options, frame);
        encoded = th_encode_ycbcr_in(encoder, planes.buffer) == 0;
        const int last = frame == options.frame_count - 1 ? 1 : 0;
        while (encoded && th_encode_packetout(encoder, last, &packet) > 0) {
            if (frame == 0 && options.damaged_first_frame && packet.bytes > 1) {
                // After the quality index, no further index and the three reserved bits set.
                packet.packet[1] = 0x70;
            }
            ogg_stream_packetin(&stream, &packet);
        }
        while (encoded && ogg_stream_flush(&stream, &page) != 0) {
            AddDataPage(page, time_of, pages);
        }
    }
    while (ogg_stream_flush(&stream, &page) != 0) {
        AddDataPage(page, time_of, pages);
    }
    ogg_stream_clear(&stream);
    th_encode_free(encoder);
    return encoded;
}

// The tone as an Ogg Vorbis file, taken apart into its pages: the first, the pages until the
// third header packet is complete, then the data pages with their times.
bool ToneStream(double seconds, StreamPages* pages) {
    const Bytes file =
        WriteOggVorbis(SineTone(1, kToneRate, kToneFrequency, seconds, kToneAmplitude),
                       kToneQuality, kTonePageFrames);
    if (file.empty()) {
        return false;
    }
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(file.size()));
    std::copy(file.begin(), file.end(), buffer);
    ogg_sync_wrote(&sync, static_cast<long>(file.size()));
    ogg_stream_state stream;
    bool stream_started = false;
    int packets = 0;
    const auto time_of = [](ogg_int64_t granule) {
        return static_cast<double>(granule) / kToneRate;
    };
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) > 0) {
        if (!stream_started) {
            ogg_stream_init(&stream, ogg_page_serialno(&page));
            stream_started = true;
        }
        if (packets >= kHeaderPackets) {
            AddDataPage(page, time_of, pages);
            continue;
        }
        AddHeaderPage(page, pages);
        ogg_stream_pagein(&stream, &page);
        ogg_packet packet;
        while (ogg_stream_packetout(&stream, &packet) > 0) {
            ++packets;
        }
    }
    if (stream_started) {
        ogg_stream_clear(&stream);
    }
    ogg_sync_clear(&sync);
    return packets >= kHeaderPackets;
}

void Append(Bytes* out, const Bytes& bytes) {
    out->insert(out->end(), bytes.begin(), bytes.end());
}

}  // namespace

YuvColour ClipFrameColour(int frame) {
    const int step = frame % kColourSteps;
    return {static_cast<std::uint8_t>(16 + 8 * step), static_cast<std::uint8_t>(72 + 3 * step),
            static_cast<std::uint8_t>(190 - 3 * step)};
}

YuvColour ClipPaddingColour() {
    return {240, 240, 16};
}

TheoraClip WriteTheoraClip(const TheoraClipOptions& options) {
    StreamPages video;
    StreamPages audio;
    if ((options.video && !EncodeVideo(options, &video)) ||
        (options.tone_seconds > 0 && !ToneStream(options.tone_seconds, &audio))) {
        return {};
    }
    TheoraClip clip;
    // Every stream begins before any other page; then the header pages, then the data by time.
    Append(&clip.bytes, video.first);
    Append(&clip.bytes, audio.first);
    for (std::size_t i = 0; i < video.headers.size(); ++i) {
        if (i + 1 == video.headers.size()) {
            clip.third_header_page = clip.bytes.size();
        }
        Append(&clip.bytes, video.headers[i]);
    }
    for (const Bytes& header : audio.headers) {
        Append(&clip.bytes, header);
    }
    std::size_t next_video = 0;
    std::size_t next_audio = 0;
    while (next_video < video.data.size() || next_audio < audio.data.size()) {
        const bool take_video = next_audio == audio.data.size() ||
                                (next_video < video.data.size() &&
                                 video.data[next_video].time <= audio.data[next_audio].time);
        Append(&clip.bytes,
               take_video ? video.data[next_video++].bytes : audio.data[next_audio++].bytes);
    }
    return clip;
}

std::vector<NamedBytes> TheoraClipSeeds() {
    TheoraClipOptions framed;
    framed.picture_width = 40;
    framed.picture_height = 28;
    framed.picture_x = 4;
    framed.picture_y = 2;
    framed.frame_count = 6;
    framed.keyframe_interval = 3;
    TheoraClipOptions full;
    full.chroma_444 = true;
    full.coded_width = 16;
    full.coded_height = 16;
    full.frame_count = 4;
    TheoraClipOptions toned;
    toned.coded_width = 16;
    toned.coded_height = 16;
    toned.frame_count = 5;
    toned.tone_seconds = 0.5;
    TheoraClipOptions damaged = full;
    damaged.chroma_444 = false;
    damaged.damaged_first_frame = true;
    TheoraClip cut = WriteTheoraClip(framed);
    cut.bytes.resize(cut.third_header_page);
    return {{"framed_420.ogv", WriteTheoraClip(framed).bytes},
            {"full_444.ogv", WriteTheoraClip(full).bytes},
            {"with_tone.ogv", WriteTheoraClip(toned).bytes},
            {"damaged_first_frame.ogv", WriteTheoraClip(damaged).bytes},
            {"cut_before_setup.ogv", cut.bytes}};
}

}  // namespace tools
