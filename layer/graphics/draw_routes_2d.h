#pragma once

// The 2D draw routes: each runs the software renderer on the software screens, or on the
// images PrepareDraw2D lays over display surfaces, or copies with one direct blit. All return
// 0, or -1 when refused.

#include <cstdint>

#include "layer/graphics/graph_record.h"
#include "layer/softrender/line_draw.h"
#include "layer/softrender/triangle_setup.h"

namespace layer {

// The 2D draws handed to the renderer or to a direct blit so far; the frame benchmarks read it
// to tell a frame that drew from one whose draws were all refused.
extern std::uint64_t draws_made_2d;

int DrawSurface2D(int x, int y, int surface, int transparent);
int DrawGraph2D(int x, int y, GraphRecord* graph, int transparent);
// Reversed corners mirror that axis. `surface` -1 draws the graph's first tile.
int DrawGraphStretched2D(int x1, int y1, int x2, int y2, GraphRecord* graph, int transparent,
                         int surface);
int DrawGraphRotated2D(double x, double y, double scale, double angle, GraphRecord* graph,
                       int transparent, int turn);
// Corners top-left, top-right, bottom-right, bottom-left.
int DrawQuadFloat2D(const float* corners, GraphRecord* graph, int transparent);
// The whole graph onto corners top-left, top-right, bottom-left, bottom-right (x, y pairs), as
// two triangles that share the diagonal from top-right to bottom-left.
int DrawQuad2D(const int* corners, GraphRecord* graph, int transparent);
// One triangle textured from the graph's first tile at the vertices' u, v, or without a graph
// filled with `fill_colour`.
int DrawTriangle2D(const MemImgVertex* triangle, GraphRecord* graph, int transparent,
                   std::uint32_t fill_colour);
// Colours are pixel values of the screen's format.
int DrawBox2D(int x1, int y1, int x2, int y2, std::uint32_t colour);
int DrawBoxOutline2D(int x1, int y1, int x2, int y2, std::uint32_t colour);
int DrawLines2D(const MemImgLineRecord* lines, int count);
int ClearDrawScreen2D();

}  // namespace layer
