// A playing movie's decode thread reads its file while the main thread opens, reads and closes
// other files: plain ones, and entries of the archive the movie lies in.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "layer/core/file_lifecycle.h"
#include "layer/core/file_operation_table.h"
#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"
#include "layer/media/theora_decoder.h"
#include "platform/file_system.h"
#include "tests/layer/core/log_capture.h"
#include "tests/layer/core/qva_fixture.h"
#include "tests/layer/media/theora_clip_files.h"

namespace {

constexpr std::uint64_t kFramePeriod = 100'000'000;

class MovieFileSharing : public test::LogCapture {
  protected:
    void SetUp() override {
        LogCapture::SetUp();
        previous_folder_ = platform::GetCurrentFolder();
        platform::SetCurrentFolder(platform::DiskPathToGamePath(tree.root().string()));
        layer::BuildYuvTables();
    }
    void TearDown() override {
        layer::Movies().DeleteAll([](int movie) { layer::DisposeMovie(movie); });
        layer::ResetFileSystem();
        platform::SetCurrentFolder(previous_folder_);
        LogCapture::TearDown();
    }

    // The whole file read through the file set in force, in pieces of an odd size.
    static std::string ReadWhole(const char* path) {
        const layer::FileOperationTable& files = layer::FileOperationsInForce();
        const layer::FileHandle file = files.open(path, 0, 0, 0);
        if (file == 0) {
            return "(not opened)";
        }
        std::string bytes;
        char piece[777];
        int got = 0;
        while ((got = files.read(piece, 1, sizeof piece, file)) > 0) {
            bytes.append(piece, static_cast<std::size_t>(got));
        }
        files.close(file);
        return bytes;
    }

  private:
    std::string previous_folder_;
};

TEST_F(MovieFileSharing, OtherFilesReadWhileAMovieDecodesComeWhole) {
    tools::TheoraClipOptions options;
    options.coded_width = 16;
    options.coded_height = 16;
    options.frame_count = 60;
    options.keyframe_interval = 6;
    const std::vector<std::uint8_t> clip = tools::WriteTheoraClip(options).bytes;
    const std::string clip_bytes(clip.begin(), clip.end());
    const std::string noise = test::NoiseBytes(20000, 3);
    tools::QvaWriteOptions stored;
    stored.store = true;
    tree.write("Movies.qva",
               tools::WriteQvaArchive(test::QvaFolder("", {test::QvaFile("clip.ogv", clip_bytes),
                                                           test::QvaFile("noise.bin", noise)}),
                                      stored));
    tree.write("clip.ogv", clip_bytes);
    tree.write("plain.bin", noise);

    struct Case {
        const char* movie;
        const char* other;
        bool plain_set;
    };
    const Case cases[] = {
        {"Movies\\clip.ogv", "Movies\\noise.bin", false},
        {"Movies\\clip.ogv", "plain.bin", false},
        {"clip.ogv", "plain.bin", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.movie) + " beside " + c.other);
        layer::InstallFileOperations(c.plain_set ? &layer::PlainFileOperations() : nullptr);
        const int movie = layer::OpenMovie(c.movie, nullptr, nullptr, 0);
        ASSERT_GE(movie, 0);
        layer::TheoraDecoder* decoder = layer::GetMovieRecord(movie)->Theora;
        layer::PlayMovie(movie, 3);
        for (int step = 1; step <= 60; ++step) {
            SCOPED_TRACE(step);
            clock.Advance(kFramePeriod * 3);
            layer::SyncMovieFrame(movie, 0);
            ASSERT_EQ(ReadWhole(c.other), noise);
            layer::ConvertTheoraFrame(decoder, 1, 0);
            const int frame = layer::GetTheoraFrameNumber(decoder);
            ASSERT_EQ(frame, step * 3 % 60);
            std::uint32_t pixel = 0;
            std::memcpy(&pixel, layer::GetTheoraImage(decoder)->pixels, sizeof pixel);
            ASSERT_EQ(pixel, test::TableXrgb(tools::ClipFrameColour(frame)));
        }
        layer::DisposeMovie(movie);
        layer::ResetFileSystem();
    }
}

}  // namespace
