// Graphs made from pictures in memory, and pictures written into graphs.
#include "layer/core/file_operation_table.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/picture_writers_2d.h"
#include "layer/graphics/surface_2d.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loading.h"
#include "layer/media/image_pixels.h"

namespace layer {
namespace {

std::string CurrentFolder() {
    std::string folder;
    DispatchGetCurrentDir(&folder);
    return folder;
}

void MirrorBoth(GraphImage* image, GraphImage* alpha) {
    MirrorImageRows(image);
    if (alpha != nullptr) {
        MirrorImageRows(alpha);
    }
}

}  // namespace

int CreateGraphForImage(const GraphImage* image, const GraphImage* alpha, int want_texture) {
    if (alpha != nullptr && (alpha->width != image->width || alpha->height != image->height)) {
        return -1;
    }
    const bool alpha_bits = image->format.alpha_mask != 0;
    const int alpha_channel = alpha_bits || alpha != nullptr ? 1 : 0;
    const int palette =
        image->format.bytes_per_pixel == 1 && !alpha_bits && alpha == nullptr ? 1 : 0;
    return CreateGraphSurfaces(image->width, image->height, want_texture, alpha_channel, palette);
}

int BuildGraphFromImage(GraphImage* image, GraphImage* alpha_image, int want_texture, int mirror,
                        int mirror_for_transfer) {
    SetFormatUnusedBits(&image->format);
    if (alpha_image != nullptr) {
        SetFormatUnusedBits(&alpha_image->format);
    }
    EndScene3D();
    const std::uint32_t transparent = draw_settings.transparent_colour;
    const bool mirrored = mirror == 1 && mirror_for_transfer == 1;
    if (mirrored) {
        MirrorBoth(image, alpha_image);
    }
    int graph = CreateGraphForImage(image, alpha_image, want_texture);
    if (graph >= 0) {
        PictureSource picture;
        picture.colour = image;
        picture.alpha = alpha_image;
        // A graph whose picture could not be written would show garbage: it is given up.
        if (RewriteGraphImage(picture, nullptr, 0, 0, graph, 0) < 0) {
            DisposeGraph(graph, 0);
            graph = -1;
        }
    }
    draw_settings.transparent_colour = transparent;
    if (mirrored) {
        MirrorBoth(image, alpha_image);
    }
    return graph;
}

int GraphFromImageRecord(GraphImage* image) {
    return BuildGraphFromImage(image, nullptr, 1, 0, 1);
}

int CreateGraphFromMemory(const void* image, int image_size, const void* alpha_image,
                          int alpha_size, int want_texture, int mirror) {
    GraphImage colour;
    GraphImage alpha;
    const int loaded = LoadImageWithAlpha(nullptr, image, image_size, 1, alpha_image, alpha_size, 1,
                                          &colour, &alpha, 0);
    if (loaded < 0) {
        return -1;
    }
    GraphImage* alpha_part = loaded == 0 ? &alpha : nullptr;
    if (mirror == 1) {
        MirrorBoth(&colour, alpha_part);
    }
    const int graph = BuildGraphFromImage(&colour, alpha_part, want_texture, mirror, 0);
    FreeGraphImage(&colour);
    FreeGraphImage(&alpha);
    return graph;
}

int WriteImageToGraph(const PictureSource& picture, const char* name, const Rect& source_rect,
                      int x, int y, int graph, int load_option) {
    GraphRecord* record = GetGraphRecord(graph);
    if (record == nullptr) {
        return -1;
    }
    record->FileDir = CurrentFolder();
    record->FileName = name != nullptr ? name : "";
    record->SourceX = source_rect.left;
    record->SourceY = source_rect.top;
    record->LoadOption = load_option;
    if (record->Key.TextureFlag != 0) {
        return WriteImageRectToGraphTiles(picture, source_rect, x, y, record);
    }
    return WriteImageToGraphSurfaces2D(picture, source_rect, x, y, record);
}

int RewriteGraphImage(const PictureSource& picture, const char* name, int source_x, int source_y,
                      int graph, int load_option) {
    GraphRecord* record = GetGraphRecord(graph);
    if (record == nullptr) {
        return -1;
    }
    SetGraphSourceName(graph, name, -1);
    record->LoadOption = load_option;
    record->SourceX = source_x;
    record->SourceY = source_y;
    if (record->Key.TextureFlag != 0) {
        return WriteImageToGraphTiles(picture, source_x, source_y, record);
    }
    return WriteImageToGraphTiles2D(picture, source_x, source_y, record);
}

int SetGraphSourceName(int graph, const char* name, int other_graph) {
    GraphRecord* record = GetGraphRecord(graph);
    if (record == nullptr) {
        return -1;
    }
    record->FileDir.clear();
    if (name != nullptr) {
        record->FileName = name;
    } else if (const GraphRecord* other = GetGraphRecord(other_graph); other != nullptr) {
        record->FileDir = other->FileDir;
        record->FileName = other->FileName;
    } else {
        record->FileName.clear();
    }
    if (record->FileDir.empty()) {
        record->FileDir = CurrentFolder();
    }
    return 0;
}

int FillGraphColour(int graph, int red, int green, int blue, int alpha) {
    GraphRecord* record = GetGraphRecord(graph);
    if (record == nullptr) {
        return -1;
    }
    if (record->Key.TextureFlag != 0) {
        return FillGraphTextures(record, red, green, blue, alpha);
    }
    return FillGraphSurfaces2D(record, red, green, blue, alpha);
}

}  // namespace layer
