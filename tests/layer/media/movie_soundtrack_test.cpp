// Movies with a soundtrack, on the sound system's manual output: the soundtrack is the file's
// Vorbis track read while it plays, and the frame due follows the sound's position.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "layer/core/file_operation_table.h"
#include "layer/media/movie_handles.h"
#include "layer/media/theora_decoder.h"
#include "tests/layer/media/sound_fixture.h"
#include "tests/layer/media/theora_clip_files.h"

namespace test {
namespace {

using layer::FindSound;
using layer::MovieRecord;

constexpr int kFrames = 20;
constexpr int kFramesPerSecond = 10;

class MovieSoundtracks : public SoundSystemTest {
  protected:
    void SetUp() override {
        SoundSystemTest::SetUp();
        layer::BuildYuvTables();
    }
    void TearDown() override {
        layer::Movies().DeleteAll([](int movie) { layer::DisposeMovie(movie); });
        SoundSystemTest::TearDown();
    }

    // A 2-second clip of 20 frames with `tone_seconds` of tone.
    int Open(double tone_seconds) {
        tools::TheoraClipOptions options;
        options.coded_width = 16;
        options.coded_height = 16;
        options.frame_count = kFrames;
        options.fps_numerator = kFramesPerSecond;
        options.keyframe_interval = 6;
        options.tone_seconds = tone_seconds;
        const std::string path = WriteClipFile(tree, "clip" + std::to_string(clips_++) + ".ogv",
                                               tools::WriteTheoraClip(options).bytes);
        return layer::OpenMovie(path.c_str(), nullptr, nullptr, 0);
    }

    // Plays on for the time, servicing the streams every 50 ms as the message pump would,
    // then brings the movie up to date: its frame.
    int FrameAfter(int movie, int milliseconds) const {
        for (int passed = 0; passed < milliseconds; passed += 50) {
            Advance(50);
            layer::ServiceStreamSounds();
        }
        layer::SyncMovieFrame(movie, 0);
        return layer::GetTheoraFrameNumber(layer::GetMovieRecord(movie)->Theora);
    }

    // The frame the soundtrack's position makes due.
    static int FrameOfSound(int movie) {
        const int position = layer::GetSoundHandlePlayPositionMs(Soundtrack(movie));
        return std::min(position * kFramesPerSecond / 1000, kFrames - 1);
    }

    static int Soundtrack(int movie) { return layer::GetMovieRecord(movie)->Soundtrack; }

  private:
    int clips_ = 0;
};

TEST_F(MovieSoundtracks, TheVorbisTrackIsAStreamReadFromTheFileWithTheMoviesVorbisReader) {
    layer::StoreSoundLoadMode(2);
    const int movie = Open(3.0);
    ASSERT_GE(movie, 0);
    const int sound = Soundtrack(movie);
    ASSERT_GE(sound, 0);
    const layer::SoundRecord* record = FindSound(sound);
    EXPECT_EQ(record->stream_flag, 1);
    EXPECT_EQ(record->sources[0].storage_type, 3) << "read from the file while it plays";
    EXPECT_EQ(record->sources[0].decoder.vorbis_copy_selector, 1);
    EXPECT_EQ(layer::GetSoundLoadMode(), 2) << "the load mode is restored";
    EXPECT_EQ(layer::sound_system.vorbis_copy_selector, 0);
    EXPECT_EQ(layer::IsSoundHandlePlaying(sound), 0) << "a movie opens paused";

    const int silent = Open(0);
    ASSERT_GE(silent, 0);
    EXPECT_EQ(Soundtrack(silent), -1);
    EXPECT_EQ(layer::sound_system.sounds.count(), 1);
}

TEST_F(MovieSoundtracks, TheFrameFollowsTheSoundsPositionAndHoldsAtTheLastFrame) {
    const int movie = Open(3.0);
    ASSERT_GE(Soundtrack(movie), 0);
    layer::PlayMovie(movie, 1);
    EXPECT_EQ(layer::IsSoundHandlePlaying(Soundtrack(movie)), 1);
    for (const int step : {150, 400, 600}) {
        SCOPED_TRACE(step);
        const int frame = FrameAfter(movie, step);
        EXPECT_EQ(frame, FrameOfSound(movie));
        EXPECT_GT(frame, 0);
    }
    // Moved by its sound, not by the clock.
    layer::SuspendMovie(movie, 1);
    ASSERT_EQ(layer::SetSoundHandlePositionMs(500, Soundtrack(movie)), 0);
    layer::ResumeAllMovies();
    EXPECT_EQ(FrameAfter(movie, 0), 5);
    EXPECT_EQ(FrameAfter(movie, 1700), kFrames - 1) << "the sound goes on past the last frame";
    EXPECT_EQ(layer::IsSoundHandlePlaying(Soundtrack(movie)), 1);
    EXPECT_EQ(layer::GetMovieRecord(movie)->Paused, 0) << "a movie with sound does not stop";
    EXPECT_EQ(FrameAfter(movie, 2000), kFrames - 1);
    EXPECT_EQ(layer::IsSoundHandlePlaying(Soundtrack(movie)), 0);
}

TEST_F(MovieSoundtracks, AShorterSoundHoldsTheFrameAtItsEndOrTakesItRoundAgain) {
    const int once = Open(1.0);
    const int looping = Open(1.0);
    layer::PlayMovie(once, 1);
    layer::PlayMovie(looping, 3);
    FrameAfter(once, 1500);
    EXPECT_EQ(layer::IsSoundHandlePlaying(Soundtrack(once)), 0);
    EXPECT_EQ(FrameAfter(once, 1000), 10);
    const int frame = FrameAfter(looping, 0);
    EXPECT_EQ(frame, FrameOfSound(looping));
    EXPECT_LT(frame, 10) << "the sound started again";
}

TEST_F(MovieSoundtracks, SuspendingStopsTheSoundAndTheFrameWithIt) {
    const int movie = Open(3.0);
    layer::PlayMovie(movie, 1);
    const int frame = FrameAfter(movie, 800);
    layer::SuspendAllMovies();
    EXPECT_EQ(layer::IsSoundHandlePlaying(Soundtrack(movie)), 0);
    EXPECT_EQ(FrameAfter(movie, 1000), frame);
    layer::ResumeAllMovies();
    EXPECT_EQ(layer::IsSoundHandlePlaying(Soundtrack(movie)), 1);
    const int resumed = FrameAfter(movie, 500);
    EXPECT_EQ(resumed, FrameOfSound(movie));
    EXPECT_EQ(resumed, frame + 5);
}

TEST_F(MovieSoundtracks, DisposingFreesTheSoundtrackAndStopsEveryRead) {
    const layer::FileOperationTable counting = CountingClipFiles();
    layer::InstallFileOperations(&counting);
    const int movie = Open(3.0);
    layer::PlayMovie(movie, 3);
    FrameAfter(movie, 300);
    const int sound = Soundtrack(movie);
    EXPECT_EQ(layer::DisposeMovie(movie), 0);
    layer::InstallFileOperations(nullptr);
    EXPECT_EQ(FindSound(sound), nullptr);
    EXPECT_EQ(layer::sound_system.sounds.count(), 0);
    const std::int64_t read = clip_bytes_read;
    Advance(500);
    layer::ServiceStreamSounds();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(clip_bytes_read, read);
}

}  // namespace
}  // namespace test
