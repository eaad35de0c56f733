#include "platform/media_streams/media_stream_graph.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <deque>
#include <utility>

namespace platform {
namespace {

constexpr AVRational kMicroseconds = {1, 1'000'000};
constexpr std::int64_t kDefaultTimePerFrame = 40'000;

// The converter's name for a sample layout, AV_PIX_FMT_NONE for one it cannot write.
AVPixelFormat PixelFormatOf(const SampleFormat& format) {
    const auto masks = [&](std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
        return format.red_mask == red && format.green_mask == green && format.blue_mask == blue;
    };
    if (masks(0xFF0000, 0xFF00, 0xFF)) {
        if (format.bits_per_pixel == 32) {
            return AV_PIX_FMT_BGR0;
        }
        if (format.bits_per_pixel == 24) {
            return AV_PIX_FMT_BGR24;
        }
    }
    if (format.bits_per_pixel == 16 && masks(0xF800, 0x7E0, 0x1F)) {
        return AV_PIX_FMT_RGB565LE;
    }
    if (format.bits_per_pixel == 16 && masks(0x7C00, 0x3E0, 0x1F)) {
        return AV_PIX_FMT_RGB555LE;
    }
    return AV_PIX_FMT_NONE;
}

}  // namespace

// The demuxer, the picture decoder, the converter and the decoded frames not yet shown, each
// with its stream time in microseconds.
struct MediaStreamGraph::Decoding {
    AVFormatContext* demuxer = nullptr;
    AVCodecContext* decoder = nullptr;
    SwsContext* converter = nullptr;
    AVPacket* packet = nullptr;
    int video_index = -1;
    std::int64_t first_pts = 0;
    std::int64_t time_per_frame = kDefaultTimePerFrame;
    // Frames that end at or before this time are passed over (after a seek).
    std::int64_t skip_before = 0;
    // Microseconds to the end of the last picture.
    std::int64_t stop_position = 0;
    // The decoder has had every packet and is giving out what it holds.
    bool draining = false;
    std::int64_t last_time = -1;
    std::deque<std::pair<AVFrame*, std::int64_t>> frames;

    ~Decoding() {
        ClearFrames();
        sws_freeContext(converter);
        av_packet_free(&packet);
        avcodec_free_context(&decoder);
        avformat_close_input(&demuxer);
    }

    void ClearFrames() {
        for (auto& [frame, time] : frames) {
            av_frame_free(&frame);
        }
        frames.clear();
    }

    std::int64_t FrameTime(const AVFrame& frame) {
        const std::int64_t pts = frame.best_effort_timestamp;
        if (pts == AV_NOPTS_VALUE) {
            return last_time < 0 ? 0 : last_time + time_per_frame;
        }
        return av_rescale_q(pts - first_pts, demuxer->streams[video_index]->time_base,
                            kMicroseconds);
    }

    // Decodes until one more frame is queued; false at the end of the stream.
    bool DecodeOne() {
        AVFrame* frame = av_frame_alloc();
        for (;;) {
            const int received = avcodec_receive_frame(decoder, frame);
            if (received == 0) {
                const std::int64_t time = FrameTime(*frame);
                last_time = time;
                if (time + time_per_frame <= skip_before) {
                    av_frame_unref(frame);
                    continue;
                }
                frames.emplace_back(frame, time);
                return true;
            }
            if (received != AVERROR(EAGAIN) || !FeedPacket()) {
                av_frame_free(&frame);
                return false;
            }
        }
    }

    // A picture packet's decoding time (its presentation time when it has none), or none.
    static std::int64_t PacketTime(const AVPacket& packet) {
        return packet.dts != AV_NOPTS_VALUE ? packet.dts : packet.pts;
    }

    // The decoding time of the first picture packet at or after `time`, and the end of the last
    // one read (their time plus their length) once the file is read to its end from there.
    bool ScanPictures(std::int64_t time, std::int64_t* first, std::int64_t* end, bool to_end) {
        if (avformat_seek_file(demuxer, video_index, INT64_MIN, time, time, 0) < 0) {
            return false;
        }
        *first = AV_NOPTS_VALUE;
        while (av_read_frame(demuxer, packet) >= 0) {
            const std::int64_t packet_time = PacketTime(*packet);
            if (packet->stream_index == video_index && packet_time != AV_NOPTS_VALUE) {
                const std::int64_t packet_end =
                    packet_time + std::max<std::int64_t>(packet->duration, 0);
                *end = *first == AV_NOPTS_VALUE ? packet_end : std::max(*end, packet_end);
                if (*first == AV_NOPTS_VALUE) {
                    *first = packet_time;
                }
            }
            av_packet_unref(packet);
            if (!to_end && *first != AV_NOPTS_VALUE) {
                break;
            }
        }
        return *first != AV_NOPTS_VALUE;
    }

    // The span from the first picture packet to the end of the last one (read from the last
    // key frame on); the container's own estimate, which mixes in the sound, when the demuxer
    // cannot seek there. The stream is left at its start.
    std::int64_t FindStopPosition() {
        const AVStream* stream = demuxer->streams[video_index];
        std::int64_t first = 0;
        std::int64_t first_end = 0;
        std::int64_t last = 0;
        std::int64_t end = 0;
        const bool found = ScanPictures(INT64_MIN, &first, &first_end, false) &&
                           ScanPictures(INT64_MAX, &last, &end, true);
        avformat_seek_file(demuxer, video_index, INT64_MIN, INT64_MIN, INT64_MIN, 0);
        if (found && end > first) {
            return av_rescale_q(end - first, stream->time_base, kMicroseconds);
        }
        return demuxer->duration == AV_NOPTS_VALUE ? 0
                                                   : std::max<std::int64_t>(demuxer->duration, 0);
    }

    // Sends the decoder the next picture packet, or the end; false once nothing is left.
    bool FeedPacket() {
        if (draining) {
            return false;
        }
        while (av_read_frame(demuxer, packet) >= 0) {
            const bool picture = packet->stream_index == video_index;
            const int sent = picture ? avcodec_send_packet(decoder, packet) : 0;
            av_packet_unref(packet);
            if (picture && sent >= 0) {
                return true;
            }
        }
        draining = true;
        return avcodec_send_packet(decoder, nullptr) >= 0;
    }
};

StreamSample::StreamSample(MediaStreamGraph* graph, const SampleFormat& format, int pixel_format)
    : graph_(graph),
      format_(format),
      pixel_format_(pixel_format),
      width_(graph->decoding_->decoder->width),
      height_(graph->decoding_->decoder->height),
      pitch_((format.bits_per_pixel / 8 * width_ + 3) / 4 * 4),
      pixels_(new std::uint8_t[static_cast<std::size_t>(pitch_) * height_]()) {}

StreamSample::~StreamSample() = default;

SampleUpdate StreamSample::Update(bool synchronous) {
    if (!graph_->PeekFrame()) {
        return SampleUpdate::kEnded;
    }
    if (!synchronous) {
        return SampleUpdate::kPending;
    }
    graph_->FrameInHandIsDue();
    graph_->DeliverFrame(this);
    return SampleUpdate::kDone;
}

SampleUpdate StreamSample::CompleteUpdate() {
    if (!graph_->PeekFrame()) {
        return SampleUpdate::kEnded;
    }
    if (!graph_->FrameInHandIsDue()) {
        return SampleUpdate::kPending;
    }
    graph_->DeliverFrame(this);
    return SampleUpdate::kDone;
}

MediaStreamGraph::MediaStreamGraph(StreamClock clock) : clock_(std::move(clock)) {}

MediaStreamGraph::~MediaStreamGraph() = default;

std::unique_ptr<MediaStreamGraph> MediaStreamGraph::Create(StreamClock clock) {
    // The libraries' own complaints about damaged files would reach the player's console.
    av_log_set_level(AV_LOG_QUIET);
    return std::unique_ptr<MediaStreamGraph>(new MediaStreamGraph(std::move(clock)));
}

bool MediaStreamGraph::OpenFile(const std::string& disk_path) {
    auto decoding = std::make_unique<Decoding>();
    if (avformat_open_input(&decoding->demuxer, disk_path.c_str(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(decoding->demuxer, nullptr) < 0) {
        return false;
    }
    decoding->packet = av_packet_alloc();
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(decoding->demuxer, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (index >= 0 && codec != nullptr) {
        AVCodecContext* decoder = avcodec_alloc_context3(codec);
        AVStream* stream = decoding->demuxer->streams[index];
        if (avcodec_parameters_to_context(decoder, stream->codecpar) >= 0 &&
            avcodec_open2(decoder, codec, nullptr) >= 0 && decoder->width > 0 &&
            decoder->height > 0) {
            decoding->decoder = decoder;
            decoding->video_index = index;
            decoding->first_pts = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
            const AVRational rate = av_guess_frame_rate(decoding->demuxer, stream, nullptr);
            if (rate.num > 0 && rate.den > 0) {
                decoding->time_per_frame = av_rescale_q(1, av_inv_q(rate), kMicroseconds);
            }
            decoding->stop_position = decoding->FindStopPosition();
        } else {
            avcodec_free_context(&decoder);
        }
    }
    decoding_ = std::move(decoding);
    if (decoding_->decoder != nullptr) {
        sound_ = StreamSoundTrack::Open(disk_path);
    }
    return true;
}

void MediaStreamGraph::SetClock(StreamClock clock) {
    base_time_ = GetTime();
    clock_ = std::move(clock);
    run_start_ = clock_();
}

VideoFormat MediaStreamGraph::GetFormat() const {
    if (decoding_ == nullptr || decoding_->decoder == nullptr) {
        return {};
    }
    return {decoding_->decoder->width, decoding_->decoder->height, decoding_->time_per_frame};
}

std::int64_t MediaStreamGraph::GetStopPosition() const {
    if (decoding_ == nullptr || decoding_->decoder == nullptr) {
        return 0;
    }
    return decoding_->stop_position;
}

std::unique_ptr<StreamSample> MediaStreamGraph::CreateSample(const SampleFormat* format) {
    if (decoding_ == nullptr || decoding_->decoder == nullptr) {
        return nullptr;
    }
    const SampleFormat chosen = format != nullptr ? *format : SampleFormat{};
    const AVPixelFormat pixels = PixelFormatOf(chosen);
    if (pixels == AV_PIX_FMT_NONE) {
        return nullptr;
    }
    return std::unique_ptr<StreamSample>(new StreamSample(this, chosen, pixels));
}

void MediaStreamGraph::SetState(StreamState state) {
    base_time_ = GetTime();
    run_start_ = clock_();
    state_ = state;
    paused_ = false;
}

void MediaStreamGraph::Pause() {
    base_time_ = GetTime();
    paused_ = true;
}

std::int64_t MediaStreamGraph::GetTime() const {
    if (state_ != StreamState::kRunning || paused_) {
        return base_time_;
    }
    return base_time_ + clock_() - run_start_;
}

bool MediaStreamGraph::Seek(std::int64_t time) {
    if (decoding_ == nullptr || decoding_->decoder == nullptr) {
        return false;
    }
    Decoding& decoding = *decoding_;
    const AVStream* stream = decoding.demuxer->streams[decoding.video_index];
    const std::int64_t target =
        decoding.first_pts + av_rescale_q(time, kMicroseconds, stream->time_base);
    if (avformat_seek_file(decoding.demuxer, decoding.video_index, INT64_MIN, target, target, 0) <
        0) {
        return false;
    }
    avcodec_flush_buffers(decoding.decoder);
    decoding.ClearFrames();
    decoding.draining = false;
    decoding.last_time = -1;
    decoding.skip_before = time;
    if (sound_ != nullptr) {
        sound_->Seek(time);
    }
    base_time_ = time;
    run_start_ = clock_();
    return true;
}

bool MediaStreamGraph::PeekFrame() {
    return decoding_ != nullptr && decoding_->decoder != nullptr &&
           (!decoding_->frames.empty() || decoding_->DecodeOne());
}

bool MediaStreamGraph::FrameInHandIsDue() {
    const std::int64_t now = GetTime();
    auto& frames = decoding_->frames;
    while (frames.front().second <= now) {
        if (frames.size() < 2 && !decoding_->DecodeOne()) {
            return true;
        }
        if (frames[1].second > now) {
            return true;
        }
        av_frame_free(&frames.front().first);
        frames.pop_front();
    }
    return false;
}

void MediaStreamGraph::DeliverFrame(StreamSample* sample) {
    Decoding& decoding = *decoding_;
    AVFrame* frame = decoding.frames.front().first;
    decoding.converter = sws_getCachedContext(
        decoding.converter, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
        sample->width_, sample->height_, static_cast<AVPixelFormat>(sample->pixel_format_),
        SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (decoding.converter != nullptr) {
        std::uint8_t* planes[4] = {sample->pixels_.get(), nullptr, nullptr, nullptr};
        int pitches[4] = {sample->pitch_, 0, 0, 0};
        sws_scale(decoding.converter, frame->data, frame->linesize, 0, frame->height, planes,
                  pitches);
    }
    av_frame_free(&frame);
    decoding.frames.pop_front();
}

}  // namespace platform
