#include "platform/media_streams/stream_sound_track.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {
namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr AVRational kMicroseconds = {1, 1'000'000};

}  // namespace

// The demuxer, the sound decoder, the resampler and the resampled frames not yet read.
struct StreamSoundTrack::Decoding {
    AVFormatContext* demuxer = nullptr;
    AVCodecContext* decoder = nullptr;
    SwrContext* resampler = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    int index = -1;
    // The time stamp, in output frames, of the first frame decoded from the start: the
    // sound's position 0 (a decoder's delay shows in the stamps, not in the sound).
    std::int64_t origin = -1;
    // Output frames before this one (counted from the sound's start) are passed over.
    std::int64_t skip_before = 0;
    // The output frame the next resampled frame stands for; -1 until a decoded frame tells.
    std::int64_t next_frame = -1;
    bool draining = false;
    bool ended = false;
    std::vector<std::int16_t> pending;
    std::size_t pending_read = 0;

    ~Decoding() {
        swr_free(&resampler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&decoder);
        avformat_close_input(&demuxer);
    }

    bool OpenResampler() {
        swr_free(&resampler);
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        AVChannelLayout source{};
        if (decoder->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            av_channel_layout_default(&source, decoder->ch_layout.nb_channels);
        } else {
            av_channel_layout_copy(&source, &decoder->ch_layout);
        }
        // A mono track plays at its full level on both sides, as the mixer plays mono.
        static constexpr double kMonoOnBothSides[2] = {1.0, 1.0};
        const bool made =
            swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_S16, kRate, &source,
                                decoder->sample_fmt, decoder->sample_rate, 0, nullptr) >= 0 &&
            (source.nb_channels != 1 || swr_set_matrix(resampler, kMonoOnBothSides, 1) >= 0) &&
            swr_init(resampler) >= 0;
        av_channel_layout_uninit(&source);
        return made;
    }

    // Sends the decoder the next sound packet (damaged ones are passed over), or the end.
    bool FeedPacket() {
        if (draining) {
            return false;
        }
        while (av_read_frame(demuxer, packet) >= 0) {
            const bool sound = packet->stream_index == index;
            const int sent = sound ? avcodec_send_packet(decoder, packet) : -1;
            av_packet_unref(packet);
            if (sent >= 0) {
                return true;
            }
        }
        draining = true;
        return avcodec_send_packet(decoder, nullptr) >= 0;
    }

    // The output frame a decoded frame starts at: after the last one, or by its time stamp
    // when it is the first since the start or a seek.
    std::int64_t StartFrame() {
        if (next_frame >= 0) {
            return next_frame;
        }
        const std::int64_t pts = frame->best_effort_timestamp;
        if (pts == AV_NOPTS_VALUE) {
            return std::max<std::int64_t>(skip_before, 0);
        }
        const std::int64_t stamp =
            av_rescale_q(pts, demuxer->streams[index]->time_base, {1, kRate});
        if (origin < 0) {
            origin = stamp;
        }
        return stamp - origin;
    }

    // Resamples the decoded frame into the pending frames, less those before the skip point.
    void Resample() {
        if (frame->sample_rate != decoder->sample_rate ||
            frame->ch_layout.nb_channels != decoder->ch_layout.nb_channels ||
            frame->format != decoder->sample_fmt) {
            return;
        }
        const std::int64_t start = StartFrame();
        const int room = swr_get_out_samples(resampler, frame->nb_samples);
        if (room <= 0) {
            return;
        }
        std::vector<std::int16_t> out(static_cast<std::size_t>(room) * kChannels);
        std::uint8_t* planes[1] = {reinterpret_cast<std::uint8_t*>(out.data())};
        const int made =
            swr_convert(resampler, planes, room,
                        const_cast<const std::uint8_t**>(frame->extended_data), frame->nb_samples);
        if (made <= 0) {
            return;
        }
        next_frame = start + made;
        const std::int64_t skipped = std::clamp<std::int64_t>(skip_before - start, 0, made);
        pending.insert(pending.end(), out.begin() + skipped * kChannels,
                       out.begin() + static_cast<std::ptrdiff_t>(made) * kChannels);
    }

    // Decodes until more frames are pending; false at the end of the sound.
    bool DecodeMore() {
        while (!ended) {
            const int received = avcodec_receive_frame(decoder, frame);
            if (received == 0) {
                Resample();
                av_frame_unref(frame);
                if (pending.size() > pending_read) {
                    return true;
                }
                continue;
            }
            if (received == AVERROR(EAGAIN) && FeedPacket()) {
                continue;
            }
            if (received != AVERROR(EAGAIN) && received != AVERROR_EOF) {
                // A frame that does not decode: the next packet goes on.
                if (FeedPacket()) {
                    continue;
                }
            }
            ended = true;
        }
        return false;
    }
};

StreamSoundTrack::StreamSoundTrack(std::unique_ptr<Decoding> decoding)
    : decoding_(std::move(decoding)) {}

StreamSoundTrack::~StreamSoundTrack() = default;

std::unique_ptr<StreamSoundTrack> StreamSoundTrack::Open(const std::string& disk_path) {
    auto decoding = std::make_unique<Decoding>();
    if (avformat_open_input(&decoding->demuxer, disk_path.c_str(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(decoding->demuxer, nullptr) < 0) {
        return nullptr;
    }
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(decoding->demuxer, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (index < 0 || codec == nullptr) {
        return nullptr;
    }
    AVStream* stream = decoding->demuxer->streams[index];
    decoding->decoder = avcodec_alloc_context3(codec);
    if (decoding->decoder == nullptr ||
        avcodec_parameters_to_context(decoding->decoder, stream->codecpar) < 0 ||
        avcodec_open2(decoding->decoder, codec, nullptr) < 0 ||
        decoding->decoder->sample_rate <= 0 || decoding->decoder->ch_layout.nb_channels <= 0 ||
        !decoding->OpenResampler()) {
        return nullptr;
    }
    decoding->index = index;
    decoding->packet = av_packet_alloc();
    decoding->frame = av_frame_alloc();
    // A track whose first frame does not decode is no sound at all.
    if (decoding->packet == nullptr || decoding->frame == nullptr || !decoding->DecodeMore()) {
        return nullptr;
    }
    decoding->origin = std::max<std::int64_t>(decoding->origin, 0);
    return std::unique_ptr<StreamSoundTrack>(new StreamSoundTrack(std::move(decoding)));
}

int StreamSoundTrack::Read(std::int16_t* out, int frames) {
    Decoding& decoding = *decoding_;
    int written = 0;
    while (written < frames) {
        if (decoding.pending_read == decoding.pending.size()) {
            decoding.pending.clear();
            decoding.pending_read = 0;
            if (!decoding.DecodeMore()) {
                break;
            }
        }
        const std::size_t available = (decoding.pending.size() - decoding.pending_read) / kChannels;
        const std::size_t taken = std::min<std::size_t>(available, frames - written);
        std::memcpy(out + static_cast<std::ptrdiff_t>(written) * kChannels,
                    decoding.pending.data() + decoding.pending_read,
                    taken * kChannels * sizeof(std::int16_t));
        decoding.pending_read += taken * kChannels;
        written += static_cast<int>(taken);
    }
    return written;
}

bool StreamSoundTrack::Seek(std::int64_t time) {
    Decoding& decoding = *decoding_;
    const AVStream* stream = decoding.demuxer->streams[decoding.index];
    const std::int64_t target =
        av_rescale_q(decoding.origin, {1, kRate}, stream->time_base) +
        av_rescale_q(std::max<std::int64_t>(time, 0), kMicroseconds, stream->time_base);
    if (avformat_seek_file(decoding.demuxer, decoding.index, INT64_MIN, target, target, 0) < 0) {
        return false;
    }
    avcodec_flush_buffers(decoding.decoder);
    decoding.OpenResampler();
    decoding.pending.clear();
    decoding.pending_read = 0;
    decoding.draining = false;
    decoding.ended = false;
    decoding.next_frame = -1;
    decoding.skip_before = av_rescale_q(std::max<std::int64_t>(time, 0), kMicroseconds, {1, kRate});
    return true;
}

}  // namespace platform
