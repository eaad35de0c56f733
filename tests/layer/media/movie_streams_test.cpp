// Movies of the formats other than Ogg Theora, played through the multimedia streams on the
// fake clock: opening each format, the frame due, pausing, the end, a display change, the
// temporary copy of an archived movie, and the files that fail with their step's line.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "layer/core/file_lifecycle.h"
#include "layer/core/file_operation_table.h"
#include "layer/core/layer_api.h"
#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"
#include "platform/dd_pixel_format.h"
#include "platform/file_system.h"
#include "tests/layer/core/log_capture.h"
#include "tests/layer/core/qva_fixture.h"
#include "tests/layer/media/movie_frame_reading.h"
#include "tests/support/movie_clip_kinds.h"
#include "tests/support/sjis.h"
#include "tools/lib/movie_clip_writer.h"
#include "tools/lib/sound_tones.h"
#include "tools/lib/wav_writer.h"

namespace {

using test::AsText;
using test::ShownFrame;

using layer::MovieRecord;
using tools::MovieClipKind;

constexpr std::uint64_t kMillisecond = 1'000'000;

using Kind = test::MovieClipCase;
constexpr const auto& kKinds = test::kMovieClipCases;

class MovieStreams : public test::LogCapture {
  protected:
    void SetUp() override {
        LogCapture::SetUp();
        previous_folder_ = platform::GetCurrentFolder();
        platform::SetCurrentFolder(platform::DiskPathToGamePath(tree.root().string()));
        const char* tmpdir = std::getenv("TMPDIR");
        previous_tmpdir_ = tmpdir != nullptr ? tmpdir : "";
        std::filesystem::create_directories(tree.path("tmp"));
        setenv("TMPDIR", tree.path("tmp").c_str(), 1);
    }
    void TearDown() override {
        layer::Movies().DeleteAll([](int movie) { layer::DisposeMovie(movie); });
        layer::ResetFileSystem();
        platform::SetCurrentFolder(previous_folder_);
        if (previous_tmpdir_.empty()) {
            unsetenv("TMPDIR");
        } else {
            setenv("TMPDIR", previous_tmpdir_.c_str(), 1);
        }
        LogCapture::TearDown();
    }

    static tools::MovieClipOptions Clip(MovieClipKind kind) {
        tools::MovieClipOptions options;
        options.kind = kind;
        options.frame_count = 30;
        return options;
    }

    int OpenClip(const Kind& kind, int mode = 0) {
        tree.write(kind.name, AsText(tools::WriteMovieClip(Clip(kind.kind))));
        int width = 0;
        int height = 0;
        const int movie = layer::OpenMovie(kind.name, &width, &height, mode);
        EXPECT_EQ(width, 96);
        EXPECT_EQ(height, 64);
        return movie;
    }

    // Plays the movie from now; the first pass starts the sample's update.
    void Play(int movie, int play_type) {
        layer::PlayMovie(movie, play_type);
        layer::SyncMovieFrame(movie, 0);
    }

    // The frame shown once the movie has been brought up to date `milliseconds` later.
    int FrameAfter(int movie, std::uint64_t milliseconds) {
        clock.Advance(milliseconds * kMillisecond);
        layer::SyncMovieFrame(movie, 0);
        return ShownFrame(*layer::GetMovieRecord(movie));
    }

    std::size_t TemporaryFiles() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(tree.path("tmp")), {}));
    }

  private:
    std::string previous_folder_;
    std::string previous_tmpdir_;
};

TEST_F(MovieStreams, EachFormatOpensPausedWithItsSizeAndFrameCount) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const int movie = OpenClip(kind);
        ASSERT_GE(movie, 0) << ReadLog();
        const MovieRecord& record = *layer::GetMovieRecord(movie);
        EXPECT_EQ(record.TheoraFlag, 0);
        EXPECT_EQ(record.Paused, 1);
        EXPECT_EQ(record.PlayRequested, 0);
        EXPECT_EQ(record.Streams.time_per_frame, 40'000);
        EXPECT_EQ(record.Streams.stop_position / record.Streams.time_per_frame, 30);
        EXPECT_EQ(record.FrameImage, &record.Streams.frame_copy);
        EXPECT_EQ(record.FrameImage->width, 96);
        layer::SyncMovieFrame(movie, 1);
        EXPECT_EQ(ShownFrame(record), 0);
        EXPECT_EQ(record.FrameReady, 1);
        EXPECT_EQ(layer::DisposeMovie(movie), 0);
    }
}

TEST_F(MovieStreams, TheModeBecomesOneTheDisplayHasAndTheFrameTakesItsFormat) {
    struct Case {
        int requested;
        int mode;
        int bits;
    };
    // No overlay on the display, and a 16-bit screen whose pixel format is not known before
    // the graphics start: a sample in that format cannot be made, so the sample brings its
    // own 32-bit surface.
    ASSERT_EQ(layer::GetPrimaryPixelFormat()->rgb_bit_count, 0u);
    const Case cases[] = {{0, 0, 32}, {1, 2, 24}, {2, 2, 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.requested);
        const int movie = OpenClip(kKinds[1], c.requested);
        const MovieRecord& record = *layer::GetMovieRecord(movie);
        EXPECT_EQ(record.Streams.mode, c.mode);
        EXPECT_EQ(record.FrameImage->format.bits_per_pixel, c.bits);
        layer::SyncMovieFrame(movie, 1);
        EXPECT_EQ(ShownFrame(record), 0);
        layer::DisposeMovie(movie);
    }
}

TEST_F(MovieStreams, TheFrameDueFollowsTheClock) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const int movie = OpenClip(kind);
        Play(movie, 1);
        EXPECT_EQ(FrameAfter(movie, 20), 0);
        EXPECT_EQ(FrameAfter(movie, 20), 1);
        EXPECT_EQ(FrameAfter(movie, 210), 6);
        EXPECT_EQ(FrameAfter(movie, 10), 6) << "not due yet";
        EXPECT_EQ(FrameAfter(movie, 500), 19);
        layer::DisposeMovie(movie);
    }
}

TEST_F(MovieStreams, APlayOnceMovieStopsAtItsEndAndALoopingOneStartsAgain) {
    const int once = OpenClip(kKinds[0]);
    Play(once, 1);
    EXPECT_EQ(FrameAfter(once, 1190), 29);
    FrameAfter(once, 100);
    const MovieRecord& record = *layer::GetMovieRecord(once);
    EXPECT_EQ(record.Paused, 1);
    EXPECT_EQ(record.PlayRequested, 0);
    EXPECT_EQ(FrameAfter(once, 100), 29) << "it stays on its last frame";

    // The update after the last frame finds the end: the looping movie starts again from
    // there, and its next update shows the frame due since.
    const int looping = OpenClip(kKinds[2]);
    Play(looping, 3);
    EXPECT_EQ(FrameAfter(looping, 1190), 29);
    EXPECT_EQ(layer::GetMovieRecord(looping)->Paused, 0);
    EXPECT_EQ(FrameAfter(looping, 20), 29);
    EXPECT_EQ(FrameAfter(looping, 20), 1);
    EXPECT_EQ(FrameAfter(looping, 100), 3);
}

TEST_F(MovieStreams, SuspendingHoldsTheFrameAndResumingGoesOnFromIt) {
    const int movie = OpenClip(kKinds[1]);
    Play(movie, 1);
    EXPECT_EQ(FrameAfter(movie, 400), 10);
    layer::SuspendAllMovies();
    const MovieRecord& record = *layer::GetMovieRecord(movie);
    EXPECT_EQ(record.Paused, 1);
    EXPECT_EQ(record.PlayRequested, 1);
    EXPECT_EQ(FrameAfter(movie, 3000), 10);
    layer::ResumeAllMovies();
    EXPECT_EQ(record.Paused, 0);
    EXPECT_EQ(FrameAfter(movie, 200), 15);
    layer::SuspendMovie(movie, 0);
    layer::ResumeAllMovies();
    EXPECT_EQ(record.Paused, 1) << "suspended without keeping its request";
}

TEST_F(MovieStreams, ADisplayChangeReleasesTheStreamsAndReopensThemWhereTheyStood) {
    const int movie = OpenClip(kKinds[0]);
    Play(movie, 1);
    EXPECT_EQ(FrameAfter(movie, 500), 12);
    EXPECT_EQ(layer::ReleaseAllMovieStreams(), 0);
    const MovieRecord& record = *layer::GetMovieRecord(movie);
    EXPECT_EQ(record.Streams.graph, nullptr);
    EXPECT_EQ(record.Streams.saved_position, 500'000);
    EXPECT_EQ(layer::SyncMovieFrame(movie, 0), 0);
    clock.Advance(1000 * kMillisecond);
    EXPECT_EQ(layer::ReopenAllMovieStreams(), 0);
    ASSERT_NE(record.Streams.graph, nullptr);
    EXPECT_EQ(record.Streams.graph->GetTime(), 500'000);
    layer::SyncMovieFrame(movie, 0);
    EXPECT_EQ(FrameAfter(movie, 20), 13);
    EXPECT_EQ(FrameAfter(movie, 80), 15);
}

TEST_F(MovieStreams, AnArchivedMoviePlaysFromATemporaryCopyThatDisposalRemoves) {
    tools::QvaWriteOptions stored;
    stored.store = true;
    const std::string clip = AsText(tools::WriteMovieClip(Clip(MovieClipKind::kAsf)));
    tree.write("Movies.qva", tools::WriteQvaArchive(
                                 test::QvaFolder("", {test::QvaFile("clip.wmv", clip)}), stored));
    int width = 0;
    const int movie = layer::OpenMovie("Movies\\clip.wmv", &width, nullptr, 0);
    ASSERT_GE(movie, 0) << ReadLog();
    EXPECT_EQ(width, 96);
    const MovieRecord& record = *layer::GetMovieRecord(movie);
    EXPECT_EQ(record.Streams.temporary_copy, 1);
    EXPECT_EQ(TemporaryFiles(), 1u);
    EXPECT_EQ(
        tree.read("tmp/" + std::filesystem::path(*platform::ResolveGamePath(record.Streams.path))
                               .filename()
                               .string()),
        clip);
    Play(movie, 1);
    EXPECT_EQ(FrameAfter(movie, 20), 0);
    EXPECT_EQ(FrameAfter(movie, 300), 8);
    EXPECT_EQ(layer::DisposeMovie(movie), 0);
    EXPECT_EQ(TemporaryFiles(), 0u);
}

// The display offers no overlay and the sample surfaces live in memory: placing a movie in
// the window keeps nothing for a movie that is not an overlay, and restoring its surfaces has
// nothing to do. Bad handles are refused as the table refuses them.
TEST_F(MovieStreams, NoMovieIsPlacedAsAnOverlayAndItsSurfacesNeedNoRestore) {
    const int movie = OpenClip(kKinds[2], 1);
    ASSERT_GE(movie, 0);
    layer::SyncMovieFrame(movie, 1);
    const MovieRecord& record = *layer::GetMovieRecord(movie);
    EXPECT_FALSE(layer::IsOverlayMovie(movie));
    EXPECT_EQ(layer::DrawMovieToWindow(10, 20, 2, movie, 1), 0);
    EXPECT_EQ(record.Streams.overlay.scale, 0);
    EXPECT_EQ(layer::PresentWindowMovies(), 0);
    EXPECT_EQ(layer::RestoreMovieSurfaces(movie), 0);
    EXPECT_EQ(ShownFrame(record), 0);
    layer::DisposeMovie(movie);
    EXPECT_EQ(layer::DrawMovieToWindow(10, 20, 2, movie, 1), -1);
    EXPECT_EQ(layer::RestoreMovieSurfaces(movie), 0);
}

TEST_F(MovieStreams, FilesThatAreNoMovieFailWithTheirStepsLineAndLeaveNothing) {
    const std::string clip = AsText(tools::WriteMovieClip(Clip(MovieClipKind::kAvi)));
    tree.write("noise.avi", "RIFF....AVI LIST" + test::NoiseBytes(2000, 5));
    tree.write("cut.avi", clip.substr(0, 300));
    tree.write("tone.wav", AsText(tools::WriteWav(tools::SineTone(1, 22050, 440, 0.5, 0.3))));
    tools::QvaWriteOptions stored;
    stored.store = true;
    tree.write("Broken.qva",
               tools::WriteQvaArchive(
                   test::QvaFolder("", {test::QvaFile("noise.avi", "RIFF junk")}), stored));
    struct Case {
        const char* path;
        const char8_t* line;
    };
    const Case cases[] = {
        {"missing.avi", u8"ファイル:missing.avi が開けませんでした\r\n"},
        {"noise.avi", u8"動画ファイルではない可能性があります！\r\n"},
        {"cut.avi", u8"ファイル:cut.avi が開けませんでした\r\n"},
        {"Broken\\noise.avi", u8"ファイル:Broken\\noise.avi が開けませんでした\r\n"},
        {"tone.wav", u8"動画ファイルではない可能性があります！\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::size_t before = ReadLog().size();
        EXPECT_EQ(layer::OpenMovie(c.path, nullptr, nullptr, 0), -1);
        const std::string log = ReadLog();
        const std::size_t step = log.find(test::Sjis(c.line), before);
        ASSERT_NE(step, std::string::npos) << log;
        EXPECT_NE(log.find(test::Sjis(u8"ムービーファイルオープン処理時にエラーが発生しました\r\n"),
                           step),
                  std::string::npos)
            << log;
        EXPECT_EQ(layer::Movies().count(), 0);
        EXPECT_EQ(TemporaryFiles(), 0u);
    }
}

}  // namespace
