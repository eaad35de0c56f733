// The multimedia-stream stand-in on clips of each kind from our writer: the format, frames in
// order by the stream's clock, seeking, the end, and files it cannot take.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/media_streams/media_stream_graph.h"
#include "tests/support/movie_clip_kinds.h"
#include "tests/support/temp_tree.h"
#include "tools/lib/movie_clip_writer.h"

namespace {

using platform::MediaStreamGraph;
using platform::SampleUpdate;
using tools::MovieClipKind;

std::int64_t clock_now = 0;

std::int64_t ReadTestClock() {
    return clock_now;
}

using Kind = test::MovieClipCase;
constexpr const auto& kKinds = test::kMovieClipCases;

// The frame number a 32-bit sample shows (the green byte of each pattern block).
int ShownFrame(const platform::StreamSample& sample) {
    return tools::ReadCountingPattern(sample.width(), [&](int x, int y) {
        return static_cast<int>(sample.pixels()[y * sample.pitch() + x * 4 + 1]);
    });
}

std::vector<std::uint8_t> Pixels(const platform::StreamSample& sample) {
    return {sample.pixels(), sample.pixels() + sample.pitch() * sample.height()};
}

class MediaStreamGraphTest : public testing::TestWithParam<Kind> {
  protected:
    void SetUp() override { clock_now = 1'000'000; }

    std::unique_ptr<MediaStreamGraph> Open(const tools::MovieClipOptions& options) {
        const std::vector<std::uint8_t> bytes = tools::WriteMovieClip(options);
        EXPECT_FALSE(bytes.empty());
        const auto path = tree_.write(
            GetParam().name,
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        auto graph = MediaStreamGraph::Create(ReadTestClock);
        EXPECT_TRUE(graph->OpenFile(path.string()));
        return graph;
    }

    tools::MovieClipOptions Options() const {
        tools::MovieClipOptions options;
        options.kind = GetParam().kind;
        options.frame_count = 30;
        return options;
    }

    test::TempTree tree_;
};

TEST_P(MediaStreamGraphTest, OpensWithTheClipsSizeRateAndLength) {
    auto graph = Open(Options());
    const platform::VideoFormat format = graph->GetFormat();
    EXPECT_EQ(format.width, 96);
    EXPECT_EQ(format.height, 64);
    EXPECT_EQ(format.time_per_frame, 40'000);
    EXPECT_EQ((graph->GetStopPosition() + format.time_per_frame / 2) / format.time_per_frame, 30);
}

TEST_P(MediaStreamGraphTest, SynchronousUpdatesShowEveryFrameInOrderThenTheEnd) {
    auto graph = Open(Options());
    auto sample = graph->CreateSample(nullptr);
    ASSERT_NE(sample, nullptr);
    for (int frame = 0; frame < 30; ++frame) {
        ASSERT_EQ(sample->Update(true), SampleUpdate::kDone) << frame;
        EXPECT_EQ(ShownFrame(*sample), frame);
    }
    EXPECT_EQ(sample->Update(true), SampleUpdate::kEnded);
    EXPECT_EQ(sample->Update(false), SampleUpdate::kEnded);
}

TEST_P(MediaStreamGraphTest, APendingUpdateCompletesWithTheFrameDueByTheClock) {
    auto graph = Open(Options());
    auto sample = graph->CreateSample(nullptr);
    graph->SetState(platform::StreamState::kRunning);
    ASSERT_EQ(sample->Update(false), SampleUpdate::kPending);
    struct Step {
        std::int64_t microseconds;
        SampleUpdate update;
        int frame;
    };
    const Step steps[] = {
        {0, SampleUpdate::kDone, 0},          {39'999, SampleUpdate::kPending, 0},
        {40'000, SampleUpdate::kDone, 1},     {250'000, SampleUpdate::kDone, 6},
        {260'000, SampleUpdate::kPending, 6}, {1'160'000, SampleUpdate::kDone, 29},
        {1'300'000, SampleUpdate::kEnded, 29}};
    for (const Step& step : steps) {
        clock_now = 1'000'000 + step.microseconds;
        EXPECT_EQ(sample->CompleteUpdate(), step.update) << step.microseconds;
        EXPECT_EQ(ShownFrame(*sample), step.frame) << step.microseconds;
    }
}

TEST_P(MediaStreamGraphTest, PausingHoldsTheStreamTimeUntilItRunsAgain) {
    auto graph = Open(Options());
    graph->SetState(platform::StreamState::kRunning);
    clock_now += 300'000;
    graph->Pause();
    clock_now += 5'000'000;
    EXPECT_EQ(graph->GetTime(), 300'000);
    graph->SetState(platform::StreamState::kRunning);
    clock_now += 100'000;
    EXPECT_EQ(graph->GetTime(), 400'000);
}

TEST_P(MediaStreamGraphTest, SeekingBackShowsWhatAFreshDecodeShows) {
    auto fresh_graph = Open(Options());
    auto fresh = fresh_graph->CreateSample(nullptr);
    std::vector<std::vector<std::uint8_t>> frames;
    for (int frame = 0; frame < 30; ++frame) {
        ASSERT_EQ(fresh->Update(true), SampleUpdate::kDone);
        frames.push_back(Pixels(*fresh));
    }
    ASSERT_TRUE(fresh_graph->Seek(0));
    ASSERT_EQ(fresh->Update(true), SampleUpdate::kDone);
    EXPECT_EQ(Pixels(*fresh), frames[0]);
    ASSERT_TRUE(fresh_graph->Seek(17 * 40'000 + 10'000));
    EXPECT_EQ(fresh_graph->GetTime(), 17 * 40'000 + 10'000);
    ASSERT_EQ(fresh->Update(true), SampleUpdate::kDone);
    EXPECT_EQ(ShownFrame(*fresh), 17);
    EXPECT_EQ(Pixels(*fresh), frames[17]);
}

TEST_P(MediaStreamGraphTest, SamplesTakeTheLayoutsTheConverterWrites) {
    auto graph = Open(Options());
    struct Case {
        platform::SampleFormat format;
        int pitch;
    };
    const Case cases[] = {{{32, 0xFF0000, 0xFF00, 0xFF}, 384},
                          {{24, 0xFF0000, 0xFF00, 0xFF}, 288},
                          {{16, 0xF800, 0x7E0, 0x1F}, 192},
                          {{16, 0x7C00, 0x3E0, 0x1F}, 192}};
    for (const Case& c : cases) {
        auto sample = graph->CreateSample(&c.format);
        ASSERT_NE(sample, nullptr) << c.format.bits_per_pixel;
        EXPECT_EQ(sample->pitch(), c.pitch);
    }
    const platform::SampleFormat palette{8, 0, 0, 0};
    EXPECT_EQ(graph->CreateSample(&palette), nullptr);
}

// The whole track, read in uneven pieces.
std::vector<std::int16_t> ReadAll(platform::StreamSoundTrack* track) {
    std::vector<std::int16_t> samples;
    std::vector<std::int16_t> piece(2 * 1000);
    for (int size = 1; size < 1000 && samples.size() < 10'000'000; size = size * 3 % 997 + 1) {
        const int read = track->Read(piece.data(), size);
        samples.insert(samples.end(), piece.begin(), piece.begin() + 2 * read);
        if (read < size) {
            break;
        }
    }
    return samples;
}

TEST_P(MediaStreamGraphTest, TheSoundTrackIsTheToneAsLongAsThePictureInTheMixersFormat) {
    auto graph = Open(Options());
    platform::StreamSoundTrack* track = graph->sound();
    ASSERT_NE(track, nullptr);
    const std::vector<std::int16_t> samples = ReadAll(track);
    // 1.2 seconds at 44,100 Hz, give or take the codec's last block.
    EXPECT_NEAR(static_cast<double>(samples.size() / 2), 52'920.0, 2'100.0);
    std::int16_t peak = 0;
    for (std::size_t i = 0; i < samples.size(); i += 2) {
        EXPECT_EQ(samples[i], samples[i + 1]) << "a mono tone on both sides";
        peak = std::max(peak, samples[i]);
    }
    EXPECT_NEAR(peak, 0.25 * 32767, 0.03 * 32767);
    std::int16_t after[8];
    EXPECT_EQ(track->Read(after, 4), 0) << "nothing after the end";

    // A seek goes on from the time sought: what is left is the rest of the track.
    ASSERT_TRUE(graph->Seek(600'000));
    const std::size_t rest = ReadAll(track).size() / 2;
    EXPECT_NEAR(static_cast<double>(rest), static_cast<double>(samples.size() / 2) - 26'460.0,
                2'100.0);
}

TEST_P(MediaStreamGraphTest, AClipWithoutSoundIsSilent) {
    tools::MovieClipOptions options = Options();
    options.sound = false;
    auto graph = Open(options);
    EXPECT_EQ(graph->sound(), nullptr);
    EXPECT_EQ(graph->GetFormat().width, 96);
}

TEST_P(MediaStreamGraphTest, AnotherClockTakesOverFromTheStreamTimeNow) {
    static std::int64_t other_now = 0;
    auto graph = Open(Options());
    graph->SetState(platform::StreamState::kRunning);
    clock_now += 300'000;
    other_now = 7'000'000;
    graph->SetClock([] { return other_now; });
    clock_now += 5'000'000;
    EXPECT_EQ(graph->GetTime(), 300'000);
    other_now += 100'000;
    EXPECT_EQ(graph->GetTime(), 400'000);
}

INSTANTIATE_TEST_SUITE_P(Kinds, MediaStreamGraphTest, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<Kind>& info) {
                             std::string name = info.param.name;
                             return name.substr(name.find('.') + 1);
                         });

TEST(MediaStreamGraph, FilesWithoutAPictureOpenWithoutAFormatAndOthersDoNot) {
    test::TempTree tree;
    auto graph = MediaStreamGraph::Create(ReadTestClock);
    EXPECT_FALSE(graph->OpenFile(tree.path("missing.mpg").string()));
    EXPECT_FALSE(graph->OpenFile(tree.write("noise.avi", "RIFF....AVI LIST").string()));
    tools::MovieClipOptions options;
    const std::vector<std::uint8_t> clip = tools::WriteMovieClip(options);
    const std::string half(reinterpret_cast<const char*>(clip.data()), 40);
    EXPECT_FALSE(graph->OpenFile(tree.write("cut.mpg", half).string()));
    EXPECT_EQ(graph->GetFormat().width, 0);
    EXPECT_EQ(graph->CreateSample(nullptr), nullptr);
}

}  // namespace
