#pragma once

// Draw calls besides those of graphics_services.h, and the steps every draw call shares
// around its back end: the mask, the front screen's read-back and its presentation.

#include <cstdint>

#include "layer/core/layer_api.h"
#include "layer/core/message_pump.h"
#include "layer/core/rect.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/front_screen.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/mask_screen.h"

namespace layer {

int PutGraphMirrored(int x, int y, int graph, int transparent);
int PutGraphRotatedF(float x, float y, double scale, double angle, int graph, int transparent,
                     int turn);
// Corners top-left, top-right, bottom-right, bottom-left.
int PutGraphCorners(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                    int graph, int transparent);
int PutGraphPartStretched(int x1, int y1, int x2, int y2, int source_x, int source_y,
                          int source_width, int source_height, int graph, int transparent);
int PutFilledBox(int x1, int y1, int x2, int y2, int colour);
int PutBoxOutline(int x1, int y1, int x2, int y2, int colour);
// The two halves of subtraction on the texture path: invert, add, invert.
int BeginInvertedBlendPass(const Rect& rect);
int EndInvertedBlendPass(const Rect& rect);

// 1 when a blend image is set and it is not a live graph at least as large as the graph.
bool BlendImageMisfits(const GraphRecord& graph);

inline void WaitIfInactive() {
    if (IsWindowActive() == 0) {
        WaitWhileInactive();
    }
}

// Software drawing onto the front screen shows each draw at once.
inline bool DrawsOnSoftwareFront() {
    return IsSoftwareScreenDrawing() != 0 && draw_settings.draw_target == kDrawTargetFront;
}

// Runs a draw's back end between the mask and front-screen steps; `inverted` wraps it in the
// texture path's subtraction passes.
template <typename Body>
int RunFramedDraw(const Rect& rect, bool inverted, Body body) {
    const bool masked = IsMaskActive() != 0;
    const bool front = DrawsOnSoftwareFront();
    if (masked) {
        BeginMaskedRect(rect.left, rect.top, rect.right, rect.bottom);
    }
    if (front && direct_draw.capture_needed != 0) {
        CaptureScreenToSoftImage();
    }
    int result = 0;
    if (inverted) {
        BeginInvertedBlendPass(rect);
        result = body();
        EndInvertedBlendPass(rect);
    } else {
        result = body();
    }
    if (masked) {
        EndMaskedRect(rect.left, rect.top, rect.right, rect.bottom);
    }
    if (front) {
        PresentScreenRect(rect);
    }
    return result;
}

}  // namespace layer
