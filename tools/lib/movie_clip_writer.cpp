#include "tools/lib/movie_clip_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace tools {
namespace {

constexpr int kSampleRate = 44100;
constexpr int kIoBufferSize = 4096;
constexpr double kTwoPi = 6.283185307179586;

// The muxer writes through this and seeks back to finish its headers.
struct MemoryOutput {
    std::vector<std::uint8_t> bytes;
    std::int64_t position = 0;
};

int WriteToMemory(void* opaque, std::uint8_t* data, int size) {
    auto* output = static_cast<MemoryOutput*>(opaque);
    const auto end = static_cast<std::size_t>(output->position) + static_cast<std::size_t>(size);
    if (output->bytes.size() < end) {
        output->bytes.resize(end);
    }
    std::memcpy(output->bytes.data() + output->position, data, static_cast<std::size_t>(size));
    output->position += size;
    return size;
}

std::int64_t SeekInMemory(void* opaque, std::int64_t offset, int whence) {
    auto* output = static_cast<MemoryOutput*>(opaque);
    const auto size = static_cast<std::int64_t>(output->bytes.size());
    switch (whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE:
            return size;
        case SEEK_SET:
            output->position = offset;
            break;
        case SEEK_CUR:
            output->position += offset;
            break;
        case SEEK_END:
            output->position = size + offset;
            break;
        default:
            return -1;
    }
    return output->position;
}

struct CodecChoice {
    const char* muxer;
    AVCodecID video;
    AVPixelFormat pixels;
    AVCodecID audio;
    AVSampleFormat samples;
};

CodecChoice ChoiceFor(MovieClipKind kind) {
    switch (kind) {
        case MovieClipKind::kAvi:
            return {"avi", AV_CODEC_ID_MJPEG, AV_PIX_FMT_YUVJ420P, AV_CODEC_ID_PCM_S16LE,
                    AV_SAMPLE_FMT_S16};
        case MovieClipKind::kAsf:
            return {"asf", AV_CODEC_ID_WMV2, AV_PIX_FMT_YUV420P, AV_CODEC_ID_WMAV2,
                    AV_SAMPLE_FMT_FLTP};
        case MovieClipKind::kMpegProgram:
            break;
    }
    return {"mpeg", AV_CODEC_ID_MPEG1VIDEO, AV_PIX_FMT_YUV420P, AV_CODEC_ID_MP2, AV_SAMPLE_FMT_S16};
}

struct ContextFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using EncoderPtr = std::unique_ptr<AVCodecContext, ContextFree>;
using FramePtr = std::unique_ptr<AVFrame, ContextFree>;
using PacketPtr = std::unique_ptr<AVPacket, ContextFree>;

// One encoder feeding one stream of the muxer.
struct Track {
    EncoderPtr encoder;
    AVStream* stream = nullptr;
    std::int64_t next_pts = 0;
    std::int64_t end_pts = 0;
    bool flushed = false;
};

bool OpenTrack(AVFormatContext* muxer, Track* track) {
    if ((muxer->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
        track->encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    if (avcodec_open2(track->encoder.get(), track->encoder->codec, nullptr) < 0) {
        return false;
    }
    track->stream = avformat_new_stream(muxer, nullptr);
    if (track->stream == nullptr ||
        avcodec_parameters_from_context(track->stream->codecpar, track->encoder.get()) < 0) {
        return false;
    }
    track->stream->time_base = track->encoder->time_base;
    return true;
}

bool OpenVideo(AVFormatContext* muxer, const MovieClipOptions& options, const CodecChoice& choice,
               Track* track) {
    const AVCodec* codec = avcodec_find_encoder(choice.video);
    if (codec == nullptr) {
        return false;
    }
    track->encoder.reset(avcodec_alloc_context3(codec));
    AVCodecContext* encoder = track->encoder.get();
    encoder->width = options.width;
    encoder->height = options.height;
    encoder->time_base = {1, options.frames_per_second};
    encoder->framerate = {options.frames_per_second, 1};
    encoder->pix_fmt = choice.pixels;
    encoder->gop_size = 10;
    encoder->bit_rate = 800'000;
    encoder->color_range =
        choice.pixels == AV_PIX_FMT_YUVJ420P ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
    track->end_pts = options.frame_count;
    return OpenTrack(muxer, track);
}

bool OpenAudio(AVFormatContext* muxer, const MovieClipOptions& options, const CodecChoice& choice,
               Track* track) {
    const AVCodec* codec = avcodec_find_encoder(choice.audio);
    if (codec == nullptr) {
        return false;
    }
    track->encoder.reset(avcodec_alloc_context3(codec));
    AVCodecContext* encoder = track->encoder.get();
    encoder->sample_rate = kSampleRate;
    encoder->sample_fmt = choice.samples;
    av_channel_layout_default(&encoder->ch_layout, 1);
    encoder->time_base = {1, kSampleRate};
    encoder->bit_rate = 64'000;
    track->end_pts =
        static_cast<std::int64_t>(options.frame_count) * kSampleRate / options.frames_per_second;
    return OpenTrack(muxer, track);
}

void PaintPattern(AVFrame* frame, int number) {
    for (int y = 0; y < frame->height; ++y) {
        std::uint8_t* row = frame->data[0] + static_cast<std::ptrdiff_t>(y) * frame->linesize[0];
        for (int x = 0; x < frame->width; ++x) {
            const bool block = y < 16;
            const bool lit = ((number >> (x / 16)) & 1) != 0;
            row[x] = block ? (lit ? 235 : 16) : static_cast<std::uint8_t>(90 + x / 4);
        }
    }
    for (int plane = 1; plane <= 2; ++plane) {
        for (int y = 0; y < frame->height / 2; ++y) {
            std::uint8_t* row =
                frame->data[plane] + static_cast<std::ptrdiff_t>(y) * frame->linesize[plane];
            const std::uint8_t ground = plane == 1 ? 150 : 110;
            std::memset(row, y < 8 ? 128 : ground, static_cast<std::size_t>(frame->width / 2));
        }
    }
}

void FillTone(AVFrame* frame, std::int64_t first_sample) {
    for (int i = 0; i < frame->nb_samples; ++i) {
        const double value =
            0.25 * std::sin(kTwoPi * 440.0 * static_cast<double>(first_sample + i) / kSampleRate);
        if (frame->format == AV_SAMPLE_FMT_FLTP) {
            reinterpret_cast<float*>(frame->data[0])[i] = static_cast<float>(value);
        } else {
            reinterpret_cast<std::int16_t*>(frame->data[0])[i] =
                static_cast<std::int16_t>(value * 32767.0);
        }
    }
}

// The next picture or sound block of the track, null once it is done.
FramePtr NextFrame(Track* track, bool video) {
    if (track->next_pts >= track->end_pts) {
        return nullptr;
    }
    const AVCodecContext* encoder = track->encoder.get();
    FramePtr frame(av_frame_alloc());
    if (video) {
        frame->format = encoder->pix_fmt;
        frame->width = encoder->width;
        frame->height = encoder->height;
    } else {
        frame->format = encoder->sample_fmt;
        frame->sample_rate = encoder->sample_rate;
        av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout);
        const std::int64_t block = encoder->frame_size > 0 ? encoder->frame_size : 1024;
        frame->nb_samples = static_cast<int>(std::min(block, track->end_pts - track->next_pts));
    }
    if (av_frame_get_buffer(frame.get(), 0) < 0) {
        return nullptr;
    }
    frame->pts = track->next_pts;
    if (video) {
        PaintPattern(frame.get(), static_cast<int>(track->next_pts));
        track->next_pts += 1;
    } else {
        FillTone(frame.get(), track->next_pts);
        track->next_pts += frame->nb_samples;
    }
    return frame;
}

// Sends one frame (null flushes) and writes every packet the encoder gives back.
bool Encode(AVFormatContext* muxer, Track* track, const AVFrame* frame) {
    if (avcodec_send_frame(track->encoder.get(), frame) < 0) {
        return false;
    }
    PacketPtr packet(av_packet_alloc());
    for (;;) {
        const int received = avcodec_receive_packet(track->encoder.get(), packet.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
            return true;
        }
        if (received < 0) {
            return false;
        }
        av_packet_rescale_ts(packet.get(), track->encoder->time_base, track->stream->time_base);
        packet->stream_index = track->stream->index;
        if (av_interleaved_write_frame(muxer, packet.get()) < 0) {
            return false;
        }
    }
}

// Feeds the track that lies behind in time, until both are flushed.
bool EncodeTracks(AVFormatContext* muxer, Track* video, Track* audio) {
    for (;;) {
        Track* track = video;
        if (audio->encoder != nullptr && !audio->flushed &&
            (video->flushed || av_compare_ts(audio->next_pts, audio->encoder->time_base,
                                             video->next_pts, video->encoder->time_base) < 0)) {
            track = audio;
        }
        if (track->flushed) {
            return true;
        }
        FramePtr frame = NextFrame(track, track == video);
        if (!Encode(muxer, track, frame.get())) {
            return false;
        }
        track->flushed = frame == nullptr;
    }
}

struct MuxerFree {
    void operator()(AVFormatContext* muxer) const {
        if (muxer->pb != nullptr) {
            av_freep(&muxer->pb->buffer);
            avio_context_free(&muxer->pb);
        }
        avformat_free_context(muxer);
    }
};

}  // namespace

std::vector<std::uint8_t> WriteMovieClip(const MovieClipOptions& options) {
    const CodecChoice choice = ChoiceFor(options.kind);
    // The muxers' advice on conformance would only clutter the tests' output.
    av_log_set_level(AV_LOG_ERROR);
    AVFormatContext* raw = nullptr;
    if (avformat_alloc_output_context2(&raw, nullptr, choice.muxer, nullptr) < 0) {
        return {};
    }
    std::unique_ptr<AVFormatContext, MuxerFree> muxer(raw);
    MemoryOutput output;
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kIoBufferSize));
    muxer->pb =
        avio_alloc_context(buffer, kIoBufferSize, 1, &output, nullptr, WriteToMemory, SeekInMemory);
    if (muxer->pb == nullptr) {
        av_free(buffer);
        return {};
    }
    muxer->flags |= AVFMT_FLAG_CUSTOM_IO;
    Track video;
    Track audio;
    if (!OpenVideo(muxer.get(), options, choice, &video) ||
        (options.sound && !OpenAudio(muxer.get(), options, choice, &audio)) ||
        avformat_write_header(muxer.get(), nullptr) < 0 ||
        !EncodeTracks(muxer.get(), &video, &audio) || av_write_trailer(muxer.get()) < 0) {
        return {};
    }
    avio_flush(muxer->pb);
    return std::move(output.bytes);
}

std::vector<NamedBytes> MovieClipSeeds() {
    MovieClipOptions small;
    small.width = 32;
    small.height = 16;
    small.frame_count = 6;
    std::vector<NamedBytes> seeds;
    for (const auto& [kind, name] : {std::pair{MovieClipKind::kMpegProgram, "counting.mpg"},
                                     std::pair{MovieClipKind::kAvi, "counting.avi"},
                                     std::pair{MovieClipKind::kAsf, "counting.wmv"}}) {
        small.kind = kind;
        seeds.push_back({name, WriteMovieClip(small)});
    }
    std::vector<std::uint8_t> cut = seeds[0].bytes;
    cut.resize(cut.size() / 2);
    seeds.push_back({"cut_in_half.mpg", std::move(cut)});
    std::vector<std::uint8_t> damaged = seeds[1].bytes;
    for (std::size_t i = damaged.size() / 3; i < damaged.size() / 3 + 64; ++i) {
        damaged[i] = static_cast<std::uint8_t>(i * 37);
    }
    seeds.push_back({"damaged_frames.avi", std::move(damaged)});
    return seeds;
}

}  // namespace tools
