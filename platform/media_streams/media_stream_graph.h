#pragma once

// The multimedia-stream stand-in: a movie file opened for reading, played against a clock,
// seeked, and decoded frame by frame into the surface of a stream sample. One object plays the
// parts of the filter graph, the multimedia stream with its primary video stream, the media
// control and the media seeking; each of the layer's steps is one call here. The sound track
// is decoded here and played by the caller, whose clock the stream then plays against. Built on
// FFmpeg's libavformat, libavcodec and libswscale. Main thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/media_streams/stream_sound_track.h"

namespace platform {

// Microseconds of the clock the stream plays against.
using StreamClock = std::function<std::int64_t()>;

// The layout of a sample surface's pixels: the depth and the three colour masks.
struct SampleFormat {
    int bits_per_pixel = 32;
    std::uint32_t red_mask = 0xFF0000;
    std::uint32_t green_mask = 0xFF00;
    std::uint32_t blue_mask = 0xFF;
};

// The primary video stream's format; a width or height of 0 when the file has no picture.
struct VideoFormat {
    int width = 0;
    int height = 0;
    // Microseconds from one frame to the next.
    std::int64_t time_per_frame = 0;
};

enum class StreamState { kStopped, kRunning };

enum class SampleUpdate {
    // The surface holds the next frame.
    kDone,
    // The update goes on: CompleteUpdate tells when the frame is in the surface.
    kPending,
    // No frame is left.
    kEnded,
};

class MediaStreamGraph;

// A stream sample: the surface the primary video stream decodes into.
class StreamSample {
  public:
    ~StreamSample();
    StreamSample(const StreamSample&) = delete;
    StreamSample& operator=(const StreamSample&) = delete;

    const SampleFormat& format() const { return format_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return pitch_; }
    const std::uint8_t* pixels() const { return pixels_.get(); }

    // Brings the surface to the next frame. Synchronous: at once, the frame due now (the next
    // one when none is due yet). Asynchronous: the update is left pending.
    SampleUpdate Update(bool synchronous);
    // The pending update, looked at without waiting: done once a frame is due (the latest one
    // due goes into the surface), pending before, ended when no frame is left.
    SampleUpdate CompleteUpdate();

  private:
    friend class MediaStreamGraph;
    StreamSample(MediaStreamGraph* graph, const SampleFormat& format, int pixel_format);

    MediaStreamGraph* graph_;
    SampleFormat format_;
    int pixel_format_;
    int width_;
    int height_;
    int pitch_;
    std::unique_ptr<std::uint8_t[]> pixels_;
};

class MediaStreamGraph {
  public:
    // A graph with nothing open, playing against `clock`.
    static std::unique_ptr<MediaStreamGraph> Create(StreamClock clock);
    ~MediaStreamGraph();
    MediaStreamGraph(const MediaStreamGraph&) = delete;
    MediaStreamGraph& operator=(const MediaStreamGraph&) = delete;

    // Opens a file on disk for reading: false when it cannot be read or holds no decodable
    // picture stream. A sound track that does not decode leaves the stream silent.
    bool OpenFile(const std::string& disk_path);
    // The sound track, null when silent; seeking the stream seeks it too.
    StreamSoundTrack* sound() const { return sound_.get(); }
    // The clock the stream plays against from now on, going on from the stream time now.
    void SetClock(StreamClock clock);

    VideoFormat GetFormat() const;
    // Microseconds from the start to the end of the picture.
    std::int64_t GetStopPosition() const;

    // A sample whose surface has `format` and the stream's size; null for a layout the
    // converter cannot write. A sample with no format given brings its own 32-bit surface.
    std::unique_ptr<StreamSample> CreateSample(const SampleFormat* format);

    StreamState GetState() const { return state_; }
    void SetState(StreamState state);
    // Stops the stream's time where it stands, keeping the state running for a later run.
    void Pause();
    // Microseconds of stream time now.
    std::int64_t GetTime() const;
    // Moves the stream to `time`: the next update shows the frame that covers it.
    bool Seek(std::int64_t time);

  private:
    friend class StreamSample;
    struct Decoding;
    explicit MediaStreamGraph(StreamClock clock);

    // The next decoded frame not yet shown; false at the end of the stream.
    bool PeekFrame();
    // Moves the frame in hand into the sample's surface and lets it go.
    void DeliverFrame(StreamSample* sample);
    // Skips frames whose successor is due already; true when the frame in hand is due.
    bool FrameInHandIsDue();

    StreamClock clock_;
    std::unique_ptr<Decoding> decoding_;
    std::unique_ptr<StreamSoundTrack> sound_;
    StreamState state_ = StreamState::kStopped;
    bool paused_ = false;
    // Stream time at `run_start_`, and the clock then.
    std::int64_t base_time_ = 0;
    std::int64_t run_start_ = 0;
};

}  // namespace platform
