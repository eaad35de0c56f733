// Graphs that show a rectangle of another graph and share its pixels.
#include <algorithm>

#include "layer/core/layer_log.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_texts.h"
#include "layer/graphics/surface_2d.h"

namespace layer {

int DeriveSubGraph(int x, int y, int width, int height, int source_graph) {
    const GraphRecord* source = GetGraphRecord(source_graph);
    if (source == nullptr || x < 0 || x >= source->Width || y < 0 || y >= source->Height) {
        return -1;
    }
    width = std::min(width, source->Width - x);
    height = std::min(height, source->Height - y);
    if (width <= 0 || height <= 0) {
        return -1;
    }
    GraphRecord* record = nullptr;
    const int graph = AllocGraphRecord(width, height, source->Key.TextureFlag, &record,
                                       source->Key.AlphaChFlag, source->Key.PaletteFlag);
    record->Movie = source->Movie;
    record->FileName = source->FileName;
    record->FileDir = source->FileDir;
    record->Key = source->Key;
    record->LoadOption = source->LoadOption;
    record->SourceX = x + source->SourceX;
    record->SourceY = y + source->SourceY;
    const int result = record->Key.TextureFlag != 0
                           ? DeriveGraphTextures(record, x, y, width, height, source)
                           : DeriveGraphSurface2D(record, x, y, width, height, source);
    if (result < 0) {
        // The half-made graph shares nothing yet; it leaves the table without touching the
        // source's movie or pixels.
        graphics_core.graphs.Remove(graph);
        return WriteLog(kGraphDeriveFailedText);
    }
    return graph;
}

}  // namespace layer
