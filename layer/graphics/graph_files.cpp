// Graphs from image files (with their "_a" alpha companions).
#include "layer/core/file_operation_table.h"
#include "layer/core/layer_log.h"
#include "layer/core/message_pump.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_texts.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loading.h"
#include "layer/media/image_pixels.h"
#include "layer/media/movie_handles.h"

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
    if (OpenMovie(path, &width, &height, movie_option) < 0) {
        return WriteLogFormat(kGraphFileLoadFailedFormat, path);
    }
    return -1;
}

}  // namespace layer
