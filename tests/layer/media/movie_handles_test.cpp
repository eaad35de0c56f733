// Movie handles on the fake clock: the frame due, wrapping and holding, stopping, suspending and
// resuming, the table's limit and refusals.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "layer/core/file_operation_table.h"
#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"
#include "layer/media/theora_decoder.h"
#include "tests/layer/core/log_capture.h"
#include "tests/layer/media/theora_clip_files.h"

namespace {

using layer::MovieRecord;

constexpr std::uint64_t kMillisecond = 1'000'000;

class MovieHandles : public test::LogCapture {
  protected:
    void SetUp() override {
        LogCapture::SetUp();
        layer::BuildYuvTables();
        tools::TheoraClipOptions options;
        options.coded_width = 16;
        options.coded_height = 16;
        options.frame_count = 20;
        options.fps_numerator = 10;
        options.keyframe_interval = 6;
        path_ = test::WriteClipFile(files_, "clip.ogv", tools::WriteTheoraClip(options).bytes);
    }
    void TearDown() override {
        layer::Movies().DeleteAll([](int movie) { layer::DisposeMovie(movie); });
        layer::InstallFileOperations(nullptr);
        LogCapture::TearDown();
    }

    int Open() {
        int width = 0;
        int height = 0;
        const int movie = layer::OpenMovie(path_.c_str(), &width, &height, 0);
        EXPECT_EQ(width, 16);
        EXPECT_EQ(height, 16);
        return movie;
    }

    // The frame shown at `milliseconds` after the movie started.
    int FrameAt(int movie, std::uint64_t milliseconds, std::uint64_t* now) {
        clock.Advance((milliseconds - *now) * kMillisecond);
        *now = milliseconds;
        layer::SyncMovieFrame(movie, 0);
        return layer::GetTheoraFrameNumber(layer::GetMovieRecord(movie)->Theora);
    }

    test::TempTree files_;
    std::string path_;
};

TEST_F(MovieHandles, AMovieOpensPausedOnFrameZeroWithoutASoundtrack) {
    const int movie = Open();
    ASSERT_GE(movie, 0);
    EXPECT_EQ(movie & 0x78000000, layer::kMovieHandleKind << 27);
    const MovieRecord* record = layer::GetMovieRecord(movie);
    EXPECT_EQ(record->Paused, 1);
    EXPECT_EQ(record->PlayRequested, 0);
    EXPECT_EQ(record->PlayType, 1);
    EXPECT_EQ(record->Soundtrack, -1);
    clock.Advance(5000 * kMillisecond);
    EXPECT_EQ(layer::SyncMovieFrame(movie, 0), 0);
    EXPECT_EQ(layer::GetTheoraFrameNumber(record->Theora), 0);
    EXPECT_EQ(record->FrameReady, 1);
    EXPECT_EQ(record->FrameImage, layer::GetTheoraImage(record->Theora));
}

TEST_F(MovieHandles, TheDueFrameFollowsTheClockAndWrapsOrHolds) {
    struct Step {
        std::uint64_t milliseconds;
        int frame;
    };
    struct Case {
        int play_type;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {1, {{99, 0}, {100, 1}, {350, 3}, {1999, 19}, {2500, 19}, {9000, 19}}},
        {3, {{350, 3}, {1999, 19}, {2000, 0}, {2500, 5}, {4150, 1}}},
        {0, {{1050, 10}, {3000, 19}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.play_type);
        const int movie = Open();
        std::uint64_t now = 0;
        layer::PlayMovie(movie, c.play_type);
        for (const Step& step : c.steps) {
            EXPECT_EQ(FrameAt(movie, step.milliseconds, &now), step.frame) << step.milliseconds;
        }
        layer::DisposeMovie(movie);
    }
}

TEST_F(MovieHandles, AMovieThatPlaysOnceStopsOnceItStandsOnItsLastFrame) {
    const int movie = Open();
    std::uint64_t now = 0;
    layer::PlayMovie(movie, 1);
    const MovieRecord* record = layer::GetMovieRecord(movie);
    ASSERT_EQ(FrameAt(movie, 2100, &now), 19);
    EXPECT_EQ(record->Paused, 0) << "it has only just arrived";
    ASSERT_EQ(FrameAt(movie, 2200, &now), 19);
    EXPECT_EQ(record->Paused, 1);
    EXPECT_EQ(record->PlayRequested, 0);
    layer::ResumeAllMovies();
    EXPECT_EQ(record->Paused, 1) << "a stopped movie has no request to resume";
}

TEST_F(MovieHandles, SuspendingAndResumingKeepTheFrame) {
    const int movie = Open();
    std::uint64_t now = 0;
    layer::PlayMovie(movie, 3);
    ASSERT_EQ(FrameAt(movie, 500, &now), 5);
    layer::SuspendAllMovies();
    const MovieRecord* record = layer::GetMovieRecord(movie);
    EXPECT_EQ(record->Paused, 1);
    EXPECT_EQ(record->PlayRequested, 1);
    EXPECT_EQ(FrameAt(movie, 3500, &now), 5);
    layer::ResumeAllMovies();
    EXPECT_EQ(record->Paused, 0);
    EXPECT_EQ(record->PlayType, 3);
    EXPECT_EQ(FrameAt(movie, 3500, &now), 5);
    EXPECT_EQ(FrameAt(movie, 3720, &now), 7);
    layer::SuspendMovie(movie, 0);
    EXPECT_EQ(record->PlayRequested, 0);
    layer::ResumeAllMovies();
    EXPECT_EQ(record->Paused, 1) << "suspended without keeping its request";
}

TEST_F(MovieHandles, TheHundredAndFirstMovieIsRefused) {
    std::vector<int> movies;
    for (int i = 0; i < 100; ++i) {
        movies.push_back(Open());
        ASSERT_GE(movies.back(), 0) << i;
    }
    EXPECT_EQ(layer::OpenMovie(path_.c_str(), nullptr, nullptr, 0), -1);
    layer::DisposeMovie(movies[37]);
    const int again = Open();
    EXPECT_EQ(again & 0xFFFF, 37) << "the first free slot";
    EXPECT_NE(again, movies[37]) << "with a new check number";
    EXPECT_EQ(layer::GetMovieRecord(movies[37]), nullptr);
}

TEST_F(MovieHandles, DisposingStopsTheThreadBeforeClosingTheFile) {
    const layer::FileOperationTable counting = test::CountingClipFiles();
    layer::InstallFileOperations(&counting);
    const int movie = Open();
    layer::PlayMovie(movie, 3);
    clock.Advance(1500 * kMillisecond);
    layer::SyncMovieFrame(movie, 0);
    const layer::FileHandle file = layer::GetMovieRecord(movie)->File;
    EXPECT_EQ(layer::DisposeMovie(movie), 0);
    const std::int64_t read = test::clip_bytes_read;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(test::clip_bytes_read, read);
    EXPECT_EQ(layer::PlainFileOperations().tell(file), -1) << "the file is closed";
    EXPECT_EQ(layer::DisposeMovie(movie), -1);
    EXPECT_EQ(layer::SyncMovieFrame(movie, 0), 0);
    EXPECT_EQ(layer::SuspendMovie(movie, 1), -1);
    EXPECT_EQ(layer::PlayMovie(movie, 1), -1);
}

}  // namespace
