#pragma once

// A movie file's sound track, decoded on demand and resampled into the mixer's format (44,100
// Hz, 16-bit stereo). It reads the file through a demuxer of its own, so that the picture's
// reading order never holds sound back. Damaged packets are passed over. Built on FFmpeg's
// libavformat, libavcodec and libswresample. Main thread only.

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class StreamSoundTrack {
  public:
    // The file's sound track, or null when it has none that decodes.
    static std::unique_ptr<StreamSoundTrack> Open(const std::string& disk_path);
    ~StreamSoundTrack();
    StreamSoundTrack(const StreamSoundTrack&) = delete;
    StreamSoundTrack& operator=(const StreamSoundTrack&) = delete;

    // Writes up to `frames` interleaved stereo frames: the frames written, fewer only at the
    // end of the sound.
    int Read(std::int16_t* out, int frames);
    // Moves to `time` microseconds from the sound's start: the next read starts there.
    bool Seek(std::int64_t time);

  private:
    struct Decoding;
    explicit StreamSoundTrack(std::unique_ptr<Decoding> decoding);

    std::unique_ptr<Decoding> decoding_;
};

}  // namespace platform
