// Graphs from image files (with their "_a" alpha companions), and graphs that show movies.
#include "layer/core/file_operation_table.h"
#include "layer/core/layer_log.h"
#include "layer/core/message_pump.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_texts.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loading.h"
#include "layer/media/image_pixels.h"
#include "layer/media/movie_handles.h"
#include "layer/media/undecodable_file.h"

namespace layer {
namespace {

int GraphFromLoadedImage(const char* path, GraphImage* image, GraphImage* alpha, int want_texture,
                         int mirror) {
    if (mirror == 1) {
        MirrorImageRows(image);
        if (alpha != nullptr) {
            MirrorImageRows(alpha);
        }
    }
    const int graph = BuildGraphFromImage(image, alpha, want_texture, mirror, 0);
    if (graph >= 0) {
        SetGraphSourceName(graph, path, -1);
    }
    return graph;
}

int MoveFrameIntoGraph(MovieRecord* movie, void* graph) {
    return WriteMovieFrameToTiles(movie, static_cast<GraphRecord*>(graph));
}

// A graph of the movie's size that receives its frames: 2D surfaces in system memory, or
// unmanaged textures, of the screen's depth.
int GraphForMovie(const char* path, int movie, int width, int height, int want_texture) {
    NewGraphDefaults& defaults = draw_settings.new_graph;
    const NewGraphDefaults kept = defaults;
    defaults.colour_depth = GetScreenColourBits();
    defaults.system_memory = 1;
    defaults.unmanaged = 1;
    const int graph =
        CreateGraphSurfaces(width, height, want_texture, GetMovieRecord(movie)->AlphaBeside, 0);
    defaults.colour_depth = kept.colour_depth;
    defaults.system_memory = kept.system_memory;
    defaults.unmanaged = kept.unmanaged;
    if (graph < 0) {
        // A movie without its graph would decode for nothing until the end.
        DisposeMovie(movie);
        return WriteLogFormat(kMovieGraphFailedFormat, path);
    }
    GraphRecord* record = GetGraphRecord(graph);
    record->Movie = movie;
    SetMovieFrameCallback(movie, MoveFrameIntoGraph, record);
    return graph;
}

}  // namespace

int OpenGraphFile(const char* path, int want_texture, int mirror, int movie_option) {
    if (graphics_core.started == 0) {
        return -1;
    }
    EndScene3D();
    WaitWhileInactive();
    GraphImage image;
    GraphImage alpha;
    const int loaded = LoadImageWithAlpha(path, nullptr, 0, 0, nullptr, 0, 0, &image, &alpha, 0);
    if (loaded >= 0) {
        const int graph = GraphFromLoadedImage(path, &image, loaded == 0 ? &alpha : nullptr,
                                               want_texture, mirror);
        FreeGraphImage(&image);
        FreeGraphImage(&alpha);
        return graph;
    }
    const FileHandle file = DispatchFileOpen(path, 0, 1, 0);
    if (file == 0) {
        return WriteLogFormat(kGraphFileMissingFormat, path);
    }
    DispatchFileClose(file);
    int width = 0;
    int height = 0;
    const int movie = OpenMovie(path, &width, &height, movie_option);
    if (movie < 0) {
        NameUndecodableImageOrMovie(path);
        return WriteLogFormat(kGraphFileLoadFailedFormat, path);
    }
    return GraphForMovie(path, movie, width, height, want_texture);
}

}  // namespace layer
