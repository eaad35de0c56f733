#pragma once

// Graph operations besides those of graphics_services.h.

#include "layer/core/rect.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/picture_source.h"

namespace layer {

// A new record with its flags from the new-graph defaults and no surfaces yet; the end of the
// process when the table is full or memory runs out.
int AllocGraphRecord(int width, int height, int want_texture, GraphRecord** out, int alpha_channel,
                     int palette);
// A record with its tiles; -1 (and no record) when the tiles cannot be made.
int CreateGraphSurfaces(int width, int height, int want_texture, int alpha_channel, int palette);
// An empty graph fit for the image: its size, whether it has alpha, whether it is a palette
// picture. -1 for an alpha image of another size.
int CreateGraphForImage(const GraphImage* image, const GraphImage* alpha, int want_texture);
// Copies the rectangle of the picture to (x, y) of the graph and notes where it came from.
int WriteImageToGraph(const PictureSource& picture, const char* name, const Rect& source_rect,
                      int x, int y, int graph, int load_option);
// Copies the picture from (source_x, source_y) into every tile of the graph.
int RewriteGraphImage(const PictureSource& picture, const char* name, int source_x, int source_y,
                      int graph, int load_option);
// Notes the picture's file: `name`, or with none the other graph's file, or "".
int SetGraphSourceName(int graph, const char* name, int other_graph);
int FillGraphColour(int graph, int red, int green, int blue, int alpha);

}  // namespace layer
