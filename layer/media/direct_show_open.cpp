// Opening a movie through the multimedia streams, with the temporary copy of a file that the
// streams cannot read where it lies (inside a resource archive).
#include <cstdio>
#include <string>
#include <vector>

#include "layer/core/file_operation_table.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/temporary_file.h"
#include "layer/core/time_routines.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/screen_colours.h"
#include "layer/media/image_creation.h"
#include "layer/media/movie_handles.h"
#include "layer/media/movie_texts.h"
#include "layer/softrender/memimg_surface_format.h"
#include "platform/file_system.h"
#include "platform/game_path.h"

namespace layer {
namespace {

constexpr std::size_t kCopyChunk = 1'048'576;
constexpr int kSoftwareColourType16 = 0;
constexpr int kSoftwareColourType32 = 1;

std::int64_t StreamClockNow() {
    return static_cast<std::int64_t>(ReadMicrosecondClock(0));
}

// The mode the display allows: no overlay format turns an overlay into 24-bit RGB, and a
// 32-bit screen takes 24-bit RGB frames in its own format.
int ChooseMode(int requested) {
    int mode = requested;
    if (mode == kMovieModeOverlay && GetOverlayPixelFormat() == nullptr) {
        mode = kMovieModeRgb24;
    }
    if (mode == kMovieModeRgb24 && GetScreenColourBits() == 32) {
        mode = kMovieModeScreen;
    }
    return mode;
}

platform::SampleFormat SampleFormatOf(const DdPixelFormat& format) {
    return {static_cast<int>(format.rgb_bit_count), format.red_mask, format.green_mask,
            format.blue_mask};
}

// The sample surface's layout for a mode: 24-bit RGB, or the format frames are drawn in (the
// software renderer's when the layer draws in software on a screen that is not 8-bit, else
// the screen's). The overlay mode never reaches here: the display offers no overlay format.
platform::SampleFormat SurfaceFormatForMode(int mode) {
    if (mode == kMovieModeRgb24) {
        return {24, 0xFF0000, 0xFF00, 0xFF};
    }
    const int bits = GetScreenColourBits();
    const DdPixelFormat* primary = GetPrimaryPixelFormat();
    if ((direct_draw.flags.software_drawing != 0 && bits != 8) || primary == nullptr) {
        return SampleFormatOf(*GetMemImgSurfaceFormat(
            bits == 16 ? kSoftwareColourType16 : kSoftwareColourType32, 0, 0));
    }
    return SampleFormatOf(*primary);
}

// Copies the file, read through the layer's file functions, into a new temporary file: its
// game path, or empty (with nothing left behind) when the copy cannot be made.
std::string CopyToTemporaryFile(const char* path) {
    const FileHandle source = DispatchFileOpen(path, 0, 1, 0);
    if (source == 0) {
        return {};
    }
    std::string copy_path;
    std::optional<platform::File> copy = CreateTemporaryFile(&copy_path);
    if (!copy) {
        DispatchFileClose(source);
        return {};
    }
    std::vector<char> chunk(kCopyChunk);
    for (;;) {
        const int read = DispatchFileRead(chunk.data(), 1, static_cast<int>(kCopyChunk), source);
        if (read <= 0 || copy->Write(chunk.data(), static_cast<std::size_t>(read)) != read) {
            break;
        }
    }
    DispatchFileClose(source);
    copy->Close();
    return copy_path;
}

bool OpenByGamePath(platform::MediaStreamGraph* graph, const std::string& path) {
    const std::optional<std::string> disk_path = platform::ResolveGamePath(path);
    return disk_path && graph->OpenFile(*disk_path);
}

// Opens the stored path, or else a temporary copy of it (made once); false after logging.
bool OpenMovieFile(MovieStreams* streams, const char* path) {
    streams->path = path;
    if (OpenByGamePath(streams->graph.get(), streams->path)) {
        return true;
    }
    if (streams->temporary_copy == 0) {
        const std::string copy = CopyToTemporaryFile(path);
        if (!copy.empty()) {
            streams->path = copy;
            streams->temporary_copy = 1;
            if (OpenByGamePath(streams->graph.get(), copy)) {
                return true;
            }
            platform::RemoveFile(copy);
            streams->temporary_copy = 0;
        }
    }
    WriteLogFormat(kMovieFileNotOpenedFormat, path);
    return false;
}

// The sample on a surface of the mode's format; when the stream cannot decode into that, a
// sample with a surface of its own, in mode 0.
bool CreateSample(MovieStreams* streams, int mode) {
    const platform::SampleFormat format = SurfaceFormatForMode(mode);
    streams->mode = mode;
    streams->sample = streams->graph->CreateSample(&format);
    if (streams->sample == nullptr) {
        streams->mode = kMovieModeScreen;
        streams->sample = streams->graph->CreateSample(nullptr);
    }
    if (streams->sample == nullptr) {
        WriteLogFormat("%s", kStreamSampleFailedText);
        return false;
    }
    return true;
}

// The frame copy in the sample surface's format, zeroed.
bool CreateFrameCopy(MovieStreams* streams) {
    const platform::SampleFormat& sample = streams->sample->format();
    DdPixelFormat surface;
    surface.size = sizeof(DdPixelFormat);
    surface.flags = kDdPixelFormatRgb;
    surface.rgb_bit_count = static_cast<std::uint32_t>(sample.bits_per_pixel);
    surface.red_mask = sample.red_mask;
    surface.green_mask = sample.green_mask;
    surface.blue_mask = sample.blue_mask;
    GraphImage& frame = streams->frame_copy;
    if (CreateXrgb32Image(streams->sample->width(), streams->sample->height(), &frame) < 0) {
        return false;
    }
    ConvertSurfacePixelFormat(surface, &frame.format);
    frame.pitch = (frame.format.bytes_per_pixel * frame.width + 3) / 4 * 4;
    std::fill_n(frame.pixels, static_cast<std::size_t>(frame.pitch) * frame.height, 0);
    return true;
}

bool OpenStreams(MovieRecord* movie, const char* path, int mode) {
    MovieStreams& streams = movie->Streams;
    streams.graph = platform::MediaStreamGraph::Create(StreamClockNow);
    if (!OpenMovieFile(&streams, path)) {
        return false;
    }
    streams.stop_position = streams.graph->GetStopPosition();
    const platform::VideoFormat format = streams.graph->GetFormat();
    if (format.width == 0 || format.height == 0) {
        WriteLogFormat("%s", kNotAMovieText);
        return false;
    }
    if (!CreateSample(&streams, mode) || !CreateFrameCopy(&streams)) {
        return false;
    }
    streams.sample_rect[0] = 0;
    streams.sample_rect[1] = 0;
    streams.sample_rect[2] = streams.sample->width();
    streams.sample_rect[3] = streams.sample->height();
    streams.update_pending = 0;
    streams.last_update_count = -1;
    streams.open_time = StreamClockNow();
    streams.time_per_frame = format.time_per_frame;
    OpenMovieSound(movie);
    return true;
}

}  // namespace

void ReleaseMovieStreams(MovieRecord* movie) {
    MovieStreams& streams = movie->Streams;
    ReleaseMovieSound(movie);
    FreeGraphImage(&streams.frame_copy);
    streams.sample.reset();
    streams.graph.reset();
}

int OpenDirectShowMovie(MovieRecord* movie, const char* path, int* width, int* height, int mode) {
    MovieStreams& streams = movie->Streams;
    FreeGraphImage(&streams.frame_copy);
    streams.overlay = OverlayPlacement{};
    movie->FrameReady = 0;
    if (!OpenStreams(movie, path, ChooseMode(mode))) {
        ReleaseMovieStreams(movie);
        if (streams.temporary_copy != 0) {
            platform::RemoveFile(streams.path);
            streams.temporary_copy = 0;
        }
        return -1;
    }
    const int frame_width = streams.sample_rect[2] - streams.sample_rect[0];
    if (width != nullptr) {
        *width = movie->AlphaBeside != 0 ? frame_width / 2 : frame_width;
    }
    if (height != nullptr) {
        *height = streams.sample_rect[3] - streams.sample_rect[1];
    }
    return 0;
}

}  // namespace layer
