// Graphs that show movies: opened from image paths, drawn at the frame due, on the software
// screens and on the display surfaces, 32- and 16-bit. What a movie graph draws is compared
// with what a picture graph of the frame's colour draws by the same route.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "layer/core/core_settings.h"
#include "layer/core/file_lifecycle.h"
#include "layer/core/system_info.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"
#include "layer/softrender/blend_tables.h"
#include "platform/display_hooks.h"
#include "platform/file_system.h"
#include "tests/layer/core/log_capture.h"
#include "tests/layer/core/qva_fixture.h"
#include "tests/layer/graphics/graphics_fixture.h"
#include "tests/layer/media/theora_clip_files.h"
#include "tests/support/sjis.h"
#include "tools/lib/movie_clip_writer.h"

namespace {

constexpr std::uint64_t kFramePeriod = 100'000'000;
constexpr int kReferenceX = 200;

enum class Route { kSoftware32, kSoftware16, kDisplay32, kDisplay16 };

const char* RouteName(Route route) {
    constexpr const char* kNames[] = {"Software32", "Software16", "Display32", "Display16"};
    return kNames[static_cast<int>(route)];
}

std::uint32_t Rgb(const tools::YuvColour& colour) {
    return test::TableXrgb(colour) & 0xFFFFFF;
}

class MovieGraphs : public test::LogCapture {
  protected:
    void SetUp() override {
        LogCapture::SetUp();
        previous_folder_ = platform::GetCurrentFolder();
        platform::SetCurrentFolder(platform::DiskPathToGamePath(tree.root().string()));
        layer::BuildYuvTables();
        layer::core_settings.started = 1;
        layer::window_state.window_mode = 1;
        layer::window_state.client_rect = {0, 0, 640, 480};
        layer::system_info.desktop_width = 1920;
        layer::system_info.desktop_height = 1080;
        tools::TheoraClipOptions options;
        options.coded_width = 32;
        options.coded_height = 16;
        options.frame_count = 12;
        options.fps_numerator = 10;
        options.keyframe_interval = 5;
        clip_ = tools::WriteTheoraClip(options).bytes;
        test::WriteClipFile(tree, "movie.ogv", clip_);
    }
    void TearDown() override {
        layer::movie_alpha_beside_option = 0;
        layer::ReleaseMainSurfaces();
        test::StopGraphics();
        layer::core_settings.started = 0;
        layer::window_state.window_mode = 0;
        layer::ResetFileSystem();
        platform::SetCurrentFolder(previous_folder_);
        LogCapture::TearDown();
    }

    void Start(Route route) {
        route_ = route;
        if (route == Route::kSoftware32 || route == Route::kSoftware16) {
            test::StartSoftwareGraphics(route == Route::kSoftware16 ? 16 : 32);
            layer::BuildBlendTables();
            layer::CreateMainSurfaces();
            layer::SelectDrawTarget(layer::kDrawTargetBack);
            layer::SetDrawClipRect(0, 0, 640, 480);
        } else {
            test::StartDisplayScreens(route == Route::kDisplay16
                                          ? platform::ForcedDisplayFormat::kR5G6B5
                                          : platform::ForcedDisplayFormat::kNone,
                                      1);
        }
    }

    bool Software() const { return route_ == Route::kSoftware32 || route_ == Route::kSoftware16; }

    // The raw pixels of a rectangle of the back screen, row after row.
    std::vector<std::uint32_t> BackPixels(int left, int top, int width, int height) const {
        std::vector<std::uint32_t> pixels;
        const std::uint8_t* rows = nullptr;
        int pitch = 0;
        int bytes = 0;
        platform::SurfaceDescription locked;
        if (Software()) {
            const layer::MEMIMG& image = layer::direct_draw.back_image;
            rows = image.Pixels;
            pitch = image.Body->Pitch;
            bytes = layer::MemImgBytesPerPixel(image);
        } else {
            platform::LockSurface(layer::direct_draw.back, nullptr, &locked,
                                  platform::kLockReadOnly);
            rows = locked.pixels;
            pitch = locked.pitch;
            bytes = static_cast<int>(locked.format.rgb_bit_count / 8);
        }
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                std::uint32_t pixel = 0;
                std::memcpy(&pixel, rows + y * pitch + x * bytes, static_cast<std::size_t>(bytes));
                pixels.push_back(pixel);
            }
        }
        if (!Software()) {
            platform::UnlockSurface(layer::direct_draw.back);
        }
        return pixels;
    }

    // A picture graph of one colour, with an alpha picture of another when given.
    static int ColourGraph(int width, int height, std::uint32_t colour, int alpha = -1) {
        const std::string file = test::Bmp24(width, height, [colour](int, int) { return colour; });
        const std::string alpha_file = test::Bmp24(
            width, height, [alpha](int, int) { return static_cast<std::uint32_t>(alpha) << 16; });
        return layer::CreateGraphFromMemory(
            file.data(), static_cast<int>(file.size()), alpha >= 0 ? alpha_file.data() : nullptr,
            alpha >= 0 ? static_cast<int>(alpha_file.size()) : 0, 0, 0);
    }

    // Draws the graph at (0, 0) and the reference at (kReferenceX, 0) onto black and expects
    // the same pixels.
    void ExpectSameDrawing(int graph, int reference, int transparent = 0) {
        int width = 0;
        int height = 0;
        layer::GetGraphDimensions(reference, &width, &height);
        layer::PutBox(0, 0, 640, 64, 0, 1);
        ASSERT_EQ(layer::PutGraph(0, 0, graph, transparent), 0);
        ASSERT_EQ(layer::PutGraph(kReferenceX, 0, reference, transparent), 0);
        EXPECT_EQ(BackPixels(0, 0, width, height), BackPixels(kReferenceX, 0, width, height));
    }

    int MovieOf(int graph) const { return layer::GetGraphRecord(graph)->Movie; }

    // The graph of the clip plays from its first frame; `frames` periods later.
    void PlayFor(int graph, int frames) {
        layer::PlayMovie(MovieOf(graph), 1);
        clock.Advance(frames * kFramePeriod);
    }

    Route route_ = Route::kSoftware32;
    std::string previous_folder_;
    std::vector<std::uint8_t> clip_;
};

class MovieGraphRoutes : public MovieGraphs, public testing::WithParamInterface<Route> {
  protected:
    void SetUp() override {
        MovieGraphs::SetUp();
        Start(GetParam());
    }
};

TEST_P(MovieGraphRoutes, AMovieGraphShowsFrameZeroThenTheFrameDue) {
    const int graph = layer::OpenGraphFile("movie.ogv", 1, 0, 0);
    ASSERT_GE(graph, 0);
    int width = 0;
    int height = 0;
    layer::GetGraphDimensions(graph, &width, &height);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 16);
    ExpectSameDrawing(graph, ColourGraph(32, 16, Rgb(tools::ClipFrameColour(0))));
    PlayFor(graph, 4);
    ExpectSameDrawing(graph, ColourGraph(32, 16, Rgb(tools::ClipFrameColour(4))));
    clock.Advance(5 * kFramePeriod);
    ExpectSameDrawing(graph, ColourGraph(32, 16, Rgb(tools::ClipFrameColour(9))));
}

TEST_P(MovieGraphRoutes, MoviesOfTheOtherFormatsShowTheFrameDue) {
    // The frame number our counting pattern shows where the graph was drawn at (0, 0).
    const auto drawn_frame = [&](int graph) {
        layer::PutBox(0, 0, 640, 64, 0, 1);
        EXPECT_EQ(layer::PutGraph(0, 0, graph, 0), 0);
        const std::vector<std::uint32_t> row = BackPixels(0, 8, 96, 1);
        const bool wide = GetParam() == Route::kSoftware32 || GetParam() == Route::kDisplay32;
        return tools::ReadCountingPattern(96, [&](int x, int) {
            return static_cast<int>(wide ? row[x] >> 8 & 0xFF : (row[x] >> 5 & 0x3F) * 255 / 63);
        });
    };
    constexpr std::uint64_t kMillisecond = 1'000'000;
    for (const auto& [kind, name] : {std::pair{tools::MovieClipKind::kMpegProgram, "clip.mpg"},
                                     std::pair{tools::MovieClipKind::kAvi, "clip.avi"},
                                     std::pair{tools::MovieClipKind::kAsf, "clip.wmv"}}) {
        SCOPED_TRACE(name);
        tools::MovieClipOptions options;
        options.kind = kind;
        const std::vector<std::uint8_t> clip = tools::WriteMovieClip(options);
        tree.write(name, std::string(clip.begin(), clip.end()));
        const int graph = layer::OpenGraphFile(name, 1, 0, 0);
        ASSERT_GE(graph, 0) << ReadLog();
        int width = 0;
        int height = 0;
        layer::GetGraphDimensions(graph, &width, &height);
        EXPECT_EQ(width, 96);
        EXPECT_EQ(height, 64);
        layer::PlayMovie(MovieOf(graph), 1);
        drawn_frame(graph);
        clock.Advance(20 * kMillisecond);
        EXPECT_EQ(drawn_frame(graph), 0);
        clock.Advance(400 * kMillisecond);
        EXPECT_EQ(drawn_frame(graph), 10);
        layer::DisposeGraph(graph, 0);
    }
}

TEST_P(MovieGraphRoutes, WithItsAlphaBesideAMovieGraphIsTheColourHalf) {
    layer::movie_alpha_beside_option = 1;
    const int graph = layer::OpenGraphFile("movie.ogv", 1, 0, 0);
    ASSERT_GE(graph, 0);
    int width = 0;
    int height = 0;
    layer::GetGraphDimensions(graph, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(layer::GetGraphRecord(graph)->Key.AlphaChFlag, 1);
    PlayFor(graph, 6);
    const std::uint32_t colour = Rgb(tools::ClipFrameColour(6));
    ExpectSameDrawing(graph, ColourGraph(16, 16, colour, static_cast<int>(colour >> 16)), 1);
}

TEST_P(MovieGraphRoutes, AGraphDerivedFromAMovieGraphShowsTheFrameDue) {
    const int graph = layer::OpenGraphFile("movie.ogv", 1, 0, 0);
    const int part = layer::DeriveSubGraph(4, 2, 12, 10, graph);
    ASSERT_GE(part, 0);
    PlayFor(graph, 3);
    ExpectSameDrawing(part, ColourGraph(12, 10, Rgb(tools::ClipFrameColour(3))));
}

INSTANTIATE_TEST_SUITE_P(Routes, MovieGraphRoutes,
                         testing::Values(Route::kSoftware32, Route::kSoftware16, Route::kDisplay32,
                                         Route::kDisplay16),
                         [](const testing::TestParamInfo<Route>& info) {
                             return std::string(RouteName(info.param));
                         });

TEST_F(MovieGraphs, AMovieInsideAnArchivePlays) {
    for (const bool store : {false, true}) {
        SCOPED_TRACE(store ? "stored" : "compressed");
        tools::QvaWriteOptions options;
        options.store = store;
        const std::string bytes(clip_.begin(), clip_.end());
        tree.write("Movies.qva",
                   tools::WriteQvaArchive(test::QvaFolder("", {test::QvaFile("clip.ogv", bytes)}),
                                          options));
        Start(Route::kSoftware32);
        const int graph = layer::OpenGraphFile("Movies\\clip.ogv", 1, 0, 0);
        ASSERT_GE(graph, 0);
        ExpectSameDrawing(graph, ColourGraph(32, 16, Rgb(tools::ClipFrameColour(0))));
        PlayFor(graph, 7);
        ExpectSameDrawing(graph, ColourGraph(32, 16, Rgb(tools::ClipFrameColour(7))));
        layer::ReleaseMainSurfaces();
        test::StopGraphics();
        layer::ResetFileSystem();
    }
}

TEST_F(MovieGraphs, AFileThatIsNeitherPictureNorTheoraLogsThreeLines) {
    Start(Route::kSoftware32);
    tree.write("movie.avi", "RIFF....AVI LIST");
    EXPECT_EQ(layer::OpenGraphFile("movie.avi", 1, 0, 0), -1);
    const std::string log = ReadLog();
    std::size_t at = 0;
    for (const char8_t* line : {u8"ファイル:movie.avi が開けませんでした",
                                u8"ムービーファイルオープン処理時にエラーが発生しました",
                                u8"右記のグラフィックファイルのロードに失敗しました：movie.avi"}) {
        at = log.find(test::Sjis(line), at);
        ASSERT_NE(at, std::string::npos) << reinterpret_cast<const char*>(line);
    }
    EXPECT_EQ(layer::GetGraphCount(), 0);
}

// A file that is there but opens neither as a picture nor as a movie is named on standard
// error with what is wrong; a missing one is only logged.
TEST_F(MovieGraphs, AFileThatOpensAsNeitherIsNamed) {
    Start(Route::kSoftware32);
    const std::vector<std::uint8_t> cut_clip(clip_.begin(), clip_.begin() + 200);
    test::WriteClipFile(tree, "cut.ogv", cut_clip);
    tree.write("movie.avi", "RIFF....AVI LIST");
    tree.write("cut.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16));
    const struct {
        const char* file;
        const char* line;
    } cases[] = {
        {"cut.ogv", "cut.ogv: a damaged or unsupported Ogg Theora movie\n"},
        {"movie.avi", "movie.avi: not a PNG, JPEG, BMP, TGA or DDS image\n"},
        {"cut.png", "cut.png: a damaged or unsupported PNG image\n"},
        {"missing.ogv", ""},
    };
    for (const auto& [file, line] : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(layer::OpenGraphFile(file, 1, 0, 0), -1) << file;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), line) << file;
    }
    EXPECT_EQ(layer::GetGraphCount(), 0);
}

TEST_F(MovieGraphs, AMovieWhoseGraphCannotBeMadeIsClosed) {
    Start(Route::kSoftware32);
    // A display side without its display object makes no surfaces.
    layer::direct_draw.flags.direct_draw_less = 0;
    EXPECT_EQ(layer::OpenGraphFile("movie.ogv", 1, 0, 0), -1);
    layer::direct_draw.flags.direct_draw_less = 1;
    EXPECT_EQ(layer::Movies().count(), 0);
    EXPECT_NE(
        ReadLog().find(test::Sjis(
            u8"右記のグラフィックファイルの格納用グラフィック領域の作成に失敗しました：movie.ogv")),
        std::string::npos);
}

}  // namespace
