#pragma once

// Writing pictures into the 2D surfaces of graphs.

#include "layer/core/rect.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/picture_source.h"

namespace layer {

struct MovieRecord;

// Writes the source rectangle of the picture to (x, y) of the 2D surface. `option` 1 turns
// the transparent colour into alpha 0 on software pictures.
int WriteImageToSurface2D(const PictureSource& picture, const Rect& source_rect, int x, int y,
                          int surface, int option);
// The surface receives the picture from (x, y) on, as much as fits the surface.
int WriteImageToSurface2DAt(const PictureSource& picture, int x, int y, int surface);
// Every tile receives the picture placed at (x + its offset, y + its offset).
int WriteImageToGraphTiles2D(const PictureSource& picture, int x, int y, GraphRecord* graph);
// The source rectangle placed at (x, y) of the graph, split over the tiles it overlaps.
int WriteImageToGraphSurfaces2D(const PictureSource& picture, const Rect& source_rect, int x, int y,
                                GraphRecord* graph);
// Moves the movie's current frame into the graph's first 2D surface when it is not there yet.
// -1 when the graph has no live 2D surface in system memory.
int WriteMovieFrameToGraph2D(MovieRecord* movie, GraphRecord* graph);

}  // namespace layer
