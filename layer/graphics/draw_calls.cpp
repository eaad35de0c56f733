// The draw calls of whole graphs: plain, stretched, mirrored, rotated and onto four corners.
// Texture graphs go to the texture bodies, others to the 2D routes.
#include "layer/graphics/draw_calls.h"

#include <algorithm>
#include <cmath>

#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_routes_2d.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/movie_handles.h"
#include "layer/softrender/draw_state.h"

namespace layer {
namespace {

constexpr int kRotatedMargin = 5;
constexpr int kLargestCornerEdge = 0xFFFFFF;

bool IsTextured(const GraphRecord& graph) {
    return graph.Key.TextureFlag != 0;
}

bool InvertedPass(const GraphRecord& graph) {
    return IsTextured(graph) && draw_settings.blend_mode == BlendSubtractive;
}

// A graph bound to a movie shows the frame due now.
void SyncBoundMovie(const GraphRecord& graph) {
    if (graph.Movie != -1) {
        SyncMovieFrame(graph.Movie, 0);
    }
}

// The graph to draw, or null when the handle or the blend image refuses it.
GraphRecord* DrawableGraph(int handle) {
    GraphRecord* graph = GetGraphRecord(handle);
    return graph != nullptr && !BlendImageMisfits(*graph) ? graph : nullptr;
}

// The box around the graph's corners turned about its centre, widened for the renderer's
// rounding.
Rect RotatedBounds(float x, float y, double scale, double angle, const GraphRecord& graph) {
    const double left = graph.Width / -2;
    const double top = graph.Height / -2;
    const double xs[2] = {left * scale, (left + graph.Width) * scale};
    const double ys[2] = {top * scale, (top + graph.Height) * scale};
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    double min_x = 0;
    double min_y = 0;
    double max_x = 0;
    double max_y = 0;
    bool first = true;
    for (double px : xs) {
        for (double py : ys) {
            const double rx = cosine * px - sine * py;
            const double ry = sine * px + cosine * py;
            min_x = first ? rx : std::min(min_x, rx);
            min_y = first ? ry : std::min(min_y, ry);
            max_x = first ? rx : std::max(max_x, rx);
            max_y = first ? ry : std::max(max_y, ry);
            first = false;
        }
    }
    return {
        static_cast<int>(x + min_x - kRotatedMargin), static_cast<int>(y + min_y - kRotatedMargin),
        static_cast<int>(x + max_x + kRotatedMargin), static_cast<int>(y + max_y + kRotatedMargin)};
}

}  // namespace

bool BlendImageMisfits(const GraphRecord& graph) {
    if (draw_settings.blend_image == -1) {
        return false;
    }
    const GraphRecord* blend = GetGraphRecord(draw_settings.blend_image);
    return blend == nullptr || blend->Width < graph.Width || blend->Height < graph.Height;
}

int PutGraph(int x, int y, int handle, int transparent) {
    if (draw_settings.area_empty != 0) {
        return 0;
    }
    GraphRecord* graph = DrawableGraph(handle);
    if (graph == nullptr) {
        return -1;
    }
    WaitIfInactive();
    const Rect rect{x, y, x + graph->Width, y + graph->Height};
    SyncBoundMovie(*graph);
    if (IsOverlayMovie(graph->Movie)) {
        DrawMovieToWindow(x, y, 1, graph->Movie, 1);
        return -1;
    }
    return RunFramedDraw(rect, InvertedPass(*graph), [&] {
        return IsTextured(*graph) ? DrawGraphTextured(x, y, graph, transparent)
                                  : DrawGraph2D(x, y, graph, transparent);
    });
}

int PutGraphStretched(int x1, int y1, int x2, int y2, int handle, int transparent) {
    if (draw_settings.area_empty != 0) {
        return 0;
    }
    GraphRecord* graph = DrawableGraph(handle);
    if (graph == nullptr) {
        return -1;
    }
    WaitIfInactive();
    const Rect rect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    SyncBoundMovie(*graph);
    if (IsOverlayMovie(graph->Movie)) {
        DrawMovieToWindow(x1, y1, (x2 - x1) / graph->Width, graph->Movie, 1);
        return -1;
    }
    return RunFramedDraw(rect, InvertedPass(*graph), [&] {
        return IsTextured(*graph) ? DrawGraphStretchedTextured(x1, y1, x2, y2, graph, transparent)
                                  : DrawGraphStretched2D(x1, y1, x2, y2, graph, transparent, -1);
    });
}

int PutGraphMirrored(int x, int y, int handle, int transparent) {
    const GraphRecord* graph = GetGraphRecord(handle);
    if (graph == nullptr) {
        return draw_settings.area_empty != 0 ? 0 : -1;
    }
    return PutGraphStretched(x + graph->Width, y, x, y + graph->Height, handle, transparent);
}

int PutGraphRotated(int x, int y, double scale, double angle, int graph, int transparent,
                    int turn) {
    return PutGraphRotatedF(static_cast<float>(x), static_cast<float>(y), scale, angle, graph,
                            transparent, turn);
}

int PutGraphRotatedF(float x, float y, double scale, double angle, int handle, int transparent,
                     int turn) {
    if (draw_settings.area_empty != 0) {
        return 0;
    }
    GraphRecord* graph = DrawableGraph(handle);
    if (graph == nullptr) {
        return -1;
    }
    const Rect rect = RotatedBounds(x, y, scale, angle, *graph);
    WaitIfInactive();
    SyncBoundMovie(*graph);
    return RunFramedDraw(rect, InvertedPass(*graph), [&] {
        return IsTextured(*graph)
                   ? DrawGraphRotatedTextured(x, y, scale, angle, graph, transparent, turn)
                   : DrawGraphRotated2D(x, y, scale, angle, graph, transparent, turn);
    });
}

int PutGraphCorners(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                    int handle, int transparent) {
    if (draw_settings.area_empty != 0) {
        return 0;
    }
    GraphRecord* graph = DrawableGraph(handle);
    if (graph == nullptr) {
        return -1;
    }
    const float corners[8] = {x1, y1, x2, y2, x3, y3, x4, y4};
    const Rect rect{std::min(static_cast<int>(std::min({x1, x2, x3, x4})), kLargestCornerEdge),
                    std::min(static_cast<int>(std::min({y1, y2, y3, y4})), kLargestCornerEdge),
                    std::max(static_cast<int>(std::max({x1, x2, x3, x4})), 0),
                    std::max(static_cast<int>(std::max({y1, y2, y3, y4})), 0)};
    WaitIfInactive();
    SyncBoundMovie(*graph);
    return RunFramedDraw(rect, InvertedPass(*graph), [&] {
        return IsTextured(*graph) ? DrawGraphCornersTextured(corners, graph, transparent)
                                  : DrawQuadFloat2D(corners, graph, transparent);
    });
}

}  // namespace layer
