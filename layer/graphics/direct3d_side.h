#pragma once

// The 3D side as the graphics code calls it. Without a 3D interface object every operation
// returns -1 or does nothing, so callers may call them unconditionally. The device-level
// operations are in device_state.h, the tiles in texture_tiles.h.

#include <cstdint>

#include "layer/core/rect.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/picture_source.h"

namespace layer {

struct MovieRecord;

// 1 while the 3D interface object exists.
int HasDirect3DObject();
// The start with a mode change: the object, one device and the texture formats. 0, or -1
// (the mode change then fails).
int StartDirect3D();
// 1 when the start asked for the 3D side; a rebuild after a loss then acquires it again.
int IsDirect3DWanted();
int ClearDirect3DWanted();
// The object asked of the display object again (the device is made again by RecreateDevice3D).
int QueryDirect3DObject();
int EndScene3D();
int FlushVertexBatch();
// The vertex batches sent to a device so far; the frame benchmarks read it, as they read the
// 2D draws, to tell a frame that drew from one whose draws were all refused.
extern std::uint64_t batches_sent_3d;
// The blend image's texture (null: none) with its border and range.
int SetBlendTexture3D(const GraphRecord* graph, int border, int range);
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
// Writes a movie's frame into a texture graph's tiles, each from its source position; with the
// alpha beside the picture the frame's right half is the alpha.
int UpdateMovieFrameTiles(const GraphImage& frame, int alpha_beside, GraphRecord* graph);
// The frame callback of movie graphs: the movie's current frame into the graph when the graph
// has not got it yet; texture graphs through UpdateMovieFrameTiles, others through
// WriteMovieFrameToGraph2D.
int WriteMovieFrameToTiles(MovieRecord* movie, GraphRecord* graph);
// The draw target on a texture graph's first tile.
int SetDrawTargetTexture2D(GraphRecord* graph);

// The texture-path bodies of the draw calls, and the clearing and capture of texture targets.
int DrawGraphTextured(int x, int y, GraphRecord* graph, int transparent);
int DrawGraphStretchedTextured(int x1, int y1, int x2, int y2, GraphRecord* graph, int transparent);
int DrawGraphRotatedTextured(float x, float y, double scale, double angle, GraphRecord* graph,
                             int transparent, int turn);
// Corners top-left, top-right, bottom-right, bottom-left.
int DrawGraphCornersTextured(const float* corners, GraphRecord* graph, int transparent);
int DrawGraphCornersMesh(const int* corners, GraphRecord* graph, int transparent);
int FillBoxTextured(int x1, int y1, int x2, int y2, std::uint32_t colour);
int OutlineBoxTextured(int x1, int y1, int x2, int y2, std::uint32_t colour);
int ClearTargetTexture();
int CaptureScreenTextured(int x1, int y1, int x2, int y2, GraphRecord* graph, int flag);

}  // namespace layer
