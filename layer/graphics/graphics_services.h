#pragma once

// What the layer core, its entry functions and its window code ask of the graphics side:
// the screen and its devices, the draw target and draw settings, presenting, and graphs.
// Draw targets are -2 (the back screen), -4 (the front screen) or a graph handle.

#include <cstdint>

#include "layer/core/layer_api.h"
#include "layer/core/rect.h"
#include "platform/dd_pixel_format.h"

namespace platform {
struct Window;
}

namespace layer {

struct DirectDrawObject;

constexpr int kDrawTargetBack = -2;
constexpr int kDrawTargetFront = -4;

// Screen, devices and their lifetime.
int InitGraphicsSystem(platform::Window* window);
int EndGraphicsSystem();
// 1 once graphics management (graph table, draw settings, fonts) has started.
int IsGraphicsStarted();
int IsDirect3DDisabled();
int SetSoftwareRendering(int flag);
// The switch that keeps DirectDraw from being used at all (set by AllowDirectDraw with 0).
int SetDirectDrawLess(int flag);
int SetGraphsInVideoMemory(int flag);
int SetTextureDrawing(int flag);
// The switch as set (IsTextureDrawingActive tells whether drawing uses textures now).
int GetTextureDrawing();
int IsTextureDrawingActive();
int SetSeparateFrontSurface(int flag);
int GetScreenColourBits();
int RequestScreenMode(int width, int height, int bits, int refresh);
int ApplyScreenMode(int width, int height, int bits, int force, int refresh);
int QueryScreenMode(int* width, int* height, int* bits);
int GetScreenResolution(int* width, int* height);
int DetectScreenPixelFormat();
DirectDrawObject* GetDirectDrawObject();
int IsDirectDrawMode();
int IsDisplayModeChanged();
int ReleaseDirectDrawObject();
int ReleaseDirect3DObject();
int RestoreSurfaces2D();
int RestoreSurfaces3D();
int RestoreLostScreenSurfaces();
int RecreateGraphicsAfterLoss();
int GetGdiSurfaceMode();
int SetGdiSurfaceMode(int mode);
int SetScreenOffsetRect(const Rect& rect);
int IsMaskDrawingOn();
int SetMaskDrawing(int flag);
int SetVsyncWait(int flag);
int GetVsyncWait();
// The screen's pixel format, the refresh rate of the last mode change and the number of
// live graphs are the entry functions GetPrimaryPixelFormat, GetDisplayRefreshRate and
// GetGraphCount of layer_api.h.

// Draw target and draw settings.
int SelectDrawTarget(int target);
int GetDrawTarget();
int GetDrawClipRect(Rect* rect);
int SetDrawClipRect(int x1, int y1, int x2, int y2);
int SetBlendMode(int mode, int parameter);
int SetBlendImage(int graph, int parameter1, int parameter2);
int GetBlendImage(int* graph, int* parameter1, int* parameter2);
int SetBrightRgb(int red, int green, int blue);
int SetTextureFilterMode(int mode);
int GetTextureFilterMode();
int SetTransparentColour(int red, int green, int blue);
// New graphs may be draw targets while the option is 1.
int SetNewGraphDrawValidOption(int flag);
// The new-graph mode word copied into each graph made while it is set.
int GetNewGraphModeWord();
int SetNewGraphModeWord(int mode);
int RgbToPixel(int red, int green, int blue);
int FillRgbPixelFormat(DdPixelFormat* format, int bit_count, std::uint32_t red_mask,
                       std::uint32_t green_mask, std::uint32_t blue_mask, std::uint32_t alpha_mask);

// Presenting.
int EraseDrawTarget();
int PresentFrame();
// A rectangle in window client coordinates, or null for the whole screen.
int PresentBackScreen(const Rect* rect);
// type: 0 BMP, 1 JPEG, 2 PNG.
int SaveScreenArea(int x1, int y1, int x2, int y2, const char* file_name, int type,
                   int jpeg_quality, int jpeg_option, int png_compression);
// Null installs the built-in reload of lost graphs.
int SetGraphRestoreHandler(GraphRestoreHandler handler);
int HasGraphRestoreHandler();

// Graphs.
int NewGraph(int width, int height, int no_texture);
int DisposeGraph(int graph, int log_flag);
int DisposeAllGraphs(int log_flag);
int RestoreAllGraphs();
int IsGraphHandleLive(int value);
// One past the highest occupied slot of the graph table, and the handle in a slot (-1 free).
int GetGraphSlotEnd();
int GetGraphHandleInSlot(int slot);
int GetGraphDimensions(int graph, int* width, int* height);
int OpenGraphFile(const char* path, int want_texture, int mirror, int movie_option);
int BuildGraphFromImage(GraphImage* image, GraphImage* alpha_image, int want_texture, int mirror,
                        int mirror_for_transfer);
int GraphFromImageRecord(GraphImage* image);
int CreateGraphFromMemory(const void* image, int image_size, const void* alpha_image,
                          int alpha_size, int want_texture, int mirror);
int DeriveSubGraph(int x, int y, int width, int height, int source_graph);
int RestoreGraphSurfaces(int graph);
int CopyScreenToGraph(int x1, int y1, int x2, int y2, int graph, int flag);
int PutGraph(int x, int y, int graph, int transparent);
int PutGraphStretched(int x1, int y1, int x2, int y2, int graph, int transparent);
int PutGraphRotated(int x, int y, double scale, double angle, int graph, int transparent, int turn);
int PutGraphPart(int x, int y, int source_x, int source_y, int width, int height, int graph,
                 int transparent, int mirror);
int PutBox(int x1, int y1, int x2, int y2, int colour, int fill);

}  // namespace layer
