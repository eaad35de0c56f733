#pragma once

// The 3D side as the graphics code calls it. Without a 3D interface object every operation
// returns -1 or does nothing, so callers may call them unconditionally.

#include "layer/core/rect.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/picture_source.h"

namespace layer {

// 1 while the 3D interface object exists.
int HasDirect3DObject();
int EndScene3D();
int FlushVertexBatch();
int SetBlendTexture3D(int graph, int parameter1, int parameter2);
int SelectDrawTarget3D(int target);
int NotifyDrawStateChange3D();
int DeleteAllSurfaces3D();
// The texture tiles of texture graphs.
int BuildGraphTextures(GraphRecord* graph);
int DeriveGraphTextures(GraphRecord* graph, int x, int y, int width, int height,
                        const GraphRecord* source);
int DeleteGraphTextures(GraphRecord* graph);
int FillGraphTextures(GraphRecord* graph, int red, int green, int blue, int alpha);
int WriteImageRectToGraphTiles(const PictureSource& picture, const Rect& source_rect, int x, int y,
                               GraphRecord* graph);
int WriteImageToGraphTiles(const PictureSource& picture, int x, int y, GraphRecord* graph);
// The draw target on a texture graph's first tile.
int SetDrawTargetTexture2D(GraphRecord* graph);

}  // namespace layer
