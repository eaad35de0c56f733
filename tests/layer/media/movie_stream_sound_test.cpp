// The sound tracks of movies played through the multimedia streams, on the sound system's
// manual output under the fake clock: the track plays through a buffer of the mixer, the
// frame due follows the sound's position, pausing, the volume, the end, a display change and
// a damaged track.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"
#include "platform/audio/audio_mixer.h"
#include "tests/layer/media/movie_frame_reading.h"
#include "tests/layer/media/sound_fixture.h"
#include "tests/support/movie_clip_kinds.h"
#include "tools/lib/movie_clip_writer.h"

namespace test {
namespace {

using layer::MovieRecord;
using tools::MovieClipKind;

using Kind = test::MovieClipCase;
constexpr const auto& kKinds = test::kMovieClipCases;

// The largest sample magnitude of a stretch of the capture.
int Peak(const std::vector<std::int16_t>& samples) {
    int peak = 0;
    for (const std::int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

// Zeroes the payload of every sound packet of an MPEG program stream (stream 0xC0): the
// track's packets are there, but nothing in them decodes.
std::string WithoutSoundData(std::string clip) {
    for (std::size_t at = clip.find(std::string("\0\0\1\xC0", 4)); at != std::string::npos;
         at = clip.find(std::string("\0\0\1\xC0", 4), at + 4)) {
        const std::size_t end = at + 6 +
                                (static_cast<std::uint8_t>(clip[at + 4]) << 8 |
                                 static_cast<std::uint8_t>(clip[at + 5]));
        std::size_t data = at + 6;
        while (static_cast<std::uint8_t>(clip[data]) == 0xFF) {
            ++data;
        }
        if ((clip[data] & 0xC0) == 0x40) {
            data += 2;
        }
        const int timing = (clip[data] & 0xF0) >> 4;
        data += timing == 2 ? 5 : timing == 3 ? 10 : 1;
        std::fill(clip.begin() + static_cast<std::ptrdiff_t>(data),
                  clip.begin() + static_cast<std::ptrdiff_t>(std::min(end, clip.size())), '\0');
    }
    return clip;
}

class MovieStreamSound : public SoundSystemTest {
  protected:
    void TearDown() override {
        layer::Movies().DeleteAll([](int movie) { layer::DisposeMovie(movie); });
        SoundSystemTest::TearDown();
    }

    int Open(const Kind& kind, bool sound = true) {
        tools::MovieClipOptions options;
        options.kind = kind.kind;
        options.frame_count = 30;
        options.sound = sound;
        tree.write(kind.name, AsText(tools::WriteMovieClip(options)));
        return layer::OpenMovie(kind.name, nullptr, nullptr, 0);
    }

    static MovieRecord& Record(int movie) { return *layer::GetMovieRecord(movie); }

    static const layer::PlaybackBuffer& Ring(int movie) { return Record(movie).Streams.sound.ring; }

    static bool RingPlays(int movie) {
        int playing = 0;
        layer::GetPlaybackBufferStatus(Ring(movie), &playing);
        return playing != 0;
    }

    // Plays on for the time, each pump pass 20 ms apart, then brings the movie up to date:
    // the frame it shows.
    int FrameAfter(int movie, int milliseconds) const {
        for (int passed = 0; passed < milliseconds; passed += 20) {
            Advance(std::min(20, milliseconds - passed));
            layer::PresentWindowMovies();
        }
        layer::SyncMovieFrame(movie, 0);
        return ShownFrame(Record(movie));
    }

    static void Play(int movie, int play_type) {
        layer::PlayMovie(movie, play_type);
        layer::SyncMovieFrame(movie, 0);
    }
};

TEST_F(MovieStreamSound, EachFormatsTrackPlaysThroughAMixerBufferAndTheFramesFollowIt) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const int buffers = platform::TheAudioMixer().BufferCount();
        const int movie = Open(kind);
        ASSERT_GE(movie, 0) << ReadLog();
        ASSERT_EQ(Ring(movie).valid, 1);
        EXPECT_EQ(platform::TheAudioMixer().BufferCount(), buffers + 1);
        EXPECT_FALSE(RingPlays(movie)) << "a movie opens paused";
        Play(movie, 1);
        EXPECT_TRUE(RingPlays(movie));
        platform::ClearManualAudioCapture();
        EXPECT_EQ(FrameAfter(movie, 400), 10);
        EXPECT_GT(Peak(platform::TakeManualAudioCapture()), 4000) << "the tone is heard";

        // The sound at half its rate: its position, and the frames, go on half as fast.
        layer::SetPlaybackBufferFrequency(Ring(movie), 22050);
        EXPECT_EQ(FrameAfter(movie, 400), 15);
        layer::SetPlaybackBufferFrequency(Ring(movie), 0);
        EXPECT_EQ(FrameAfter(movie, 200), 20);
        EXPECT_EQ(layer::DisposeMovie(movie), 0);
        EXPECT_EQ(platform::TheAudioMixer().BufferCount(), buffers);
    }
}

TEST_F(MovieStreamSound, SuspendingStopsTheSoundAndResumingGoesOnWithIt) {
    const int movie = Open(kKinds[1]);
    Play(movie, 1);
    EXPECT_EQ(FrameAfter(movie, 400), 10);
    layer::SuspendAllMovies();
    EXPECT_FALSE(RingPlays(movie));
    platform::ClearManualAudioCapture();
    EXPECT_EQ(FrameAfter(movie, 1000), 10);
    EXPECT_EQ(Peak(platform::TakeManualAudioCapture()), 0);
    layer::ResumeAllMovies();
    EXPECT_TRUE(RingPlays(movie));
    EXPECT_EQ(FrameAfter(movie, 200), 15);
}

TEST_F(MovieStreamSound, TheVolumeIsHundredthsOfADecibelOnTheMixerBuffer) {
    const int movie = Open(kKinds[1]);
    Play(movie, 3);
    FrameAfter(movie, 100);
    platform::ClearManualAudioCapture();
    FrameAfter(movie, 200);
    const int full = Peak(platform::TakeManualAudioCapture());
    EXPECT_EQ(layer::SetMovieSoundVolume(&Record(movie), -602), 0);
    FrameAfter(movie, 200);
    const int half = Peak(platform::TakeManualAudioCapture());
    EXPECT_NEAR(half * 2, full, full / 50);
    EXPECT_EQ(layer::SetMovieSoundVolume(&Record(movie), -10'000), 0);
    FrameAfter(movie, 200);
    EXPECT_EQ(Peak(platform::TakeManualAudioCapture()), 0);
    EXPECT_EQ(layer::SetMovieSoundVolume(&Record(movie), -10'001), -1);
    EXPECT_EQ(layer::SetMovieSoundVolume(&Record(movie), 1), -1);
    EXPECT_EQ(Record(movie).Streams.sound.volume, -10'000);

    // A display change keeps the volume.
    layer::ReleaseAllMovieStreams();
    EXPECT_EQ(Ring(movie).valid, 0);
    ASSERT_EQ(layer::ReopenAllMovieStreams(), 0);
    platform::ClearManualAudioCapture();
    FrameAfter(movie, 200);
    EXPECT_EQ(Peak(platform::TakeManualAudioCapture()), 0);
}

TEST_F(MovieStreamSound, TheEndStopsTheSoundOfAPlayOnceMovieAndStartsALoopingOneAgain) {
    const int once = Open(kKinds[0]);
    Play(once, 1);
    EXPECT_EQ(FrameAfter(once, 1190), 29);
    FrameAfter(once, 100);
    EXPECT_EQ(Record(once).Paused, 1);
    EXPECT_FALSE(RingPlays(once));
    platform::ClearManualAudioCapture();
    EXPECT_EQ(FrameAfter(once, 300), 29);
    EXPECT_EQ(Peak(platform::TakeManualAudioCapture()), 0);
    layer::DisposeMovie(once);

    const int looping = Open(kKinds[2]);
    Play(looping, 3);
    EXPECT_EQ(FrameAfter(looping, 1190), 29);
    FrameAfter(looping, 20);
    EXPECT_EQ(FrameAfter(looping, 220), 6);
    EXPECT_TRUE(RingPlays(looping));
    platform::ClearManualAudioCapture();
    FrameAfter(looping, 200);
    EXPECT_GT(Peak(platform::TakeManualAudioCapture()), 4000);
}

TEST_F(MovieStreamSound, ADisplayChangeReleasesTheSoundAndReopensItWhereTheMovieStood) {
    const int movie = Open(kKinds[2]);
    const int buffers = platform::TheAudioMixer().BufferCount();
    Play(movie, 1);
    EXPECT_EQ(FrameAfter(movie, 500), 12);
    layer::ReleaseAllMovieStreams();
    EXPECT_EQ(platform::TheAudioMixer().BufferCount(), buffers - 1);
    Advance(1000);
    ASSERT_EQ(layer::ReopenAllMovieStreams(), 0);
    EXPECT_EQ(platform::TheAudioMixer().BufferCount(), buffers);
    EXPECT_TRUE(RingPlays(movie));
    layer::SyncMovieFrame(movie, 0);
    EXPECT_EQ(FrameAfter(movie, 100), 15);
}

TEST_F(MovieStreamSound, AMovieWithoutADecodableTrackPlaysSilentOnTheClock) {
    tree.write("damaged.mpg", WithoutSoundData(AsText(tools::WriteMovieClip({}))));
    const int damaged = layer::OpenMovie("damaged.mpg", nullptr, nullptr, 0);
    const int silent = Open(kKinds[1], false);
    for (const int movie : {damaged, silent}) {
        ASSERT_GE(movie, 0) << ReadLog();
        Play(movie, 1);
        platform::ClearManualAudioCapture();
        EXPECT_EQ(FrameAfter(movie, 400), 10);
        EXPECT_EQ(Peak(platform::TakeManualAudioCapture()), 0);
        layer::DisposeMovie(movie);
    }
}

}  // namespace
}  // namespace test
