#include "layer/core/rect.h"

#include <utility>

namespace layer {

namespace {

std::int32_t ClampEdge(std::int32_t edge, std::int32_t low, std::int32_t high) {
    if (edge > high) {
        return high;
    }
    if (edge < low) {
        return low;
    }
    return edge;
}

}  // namespace

int ClipRect(Rect* rect, const Rect& bounds) {
    if (rect->right < rect->left) {
        rect->right = rect->left;
    }
    if (rect->bottom < rect->top) {
        rect->bottom = rect->top;
    }
    rect->bottom = ClampEdge(rect->bottom, bounds.top, bounds.bottom);
    rect->top = ClampEdge(rect->top, bounds.top, bounds.bottom);
    rect->right = ClampEdge(rect->right, bounds.left, bounds.right);
    rect->left = ClampEdge(rect->left, bounds.left, bounds.right);
    return 0;
}

int OrderRectCorners(Rect* rect) {
    if (rect->left > rect->right) {
        std::swap(rect->left, rect->right);
    }
    if (rect->top > rect->bottom) {
        std::swap(rect->top, rect->bottom);
    }
    return 0;
}

int MeasureRect(const Rect& rect, std::int32_t* width, std::int32_t* height) {
    if (width != nullptr) {
        *width = rect.right - rect.left;
    }
    if (height != nullptr) {
        *height = rect.bottom - rect.top;
    }
    return 0;
}

}  // namespace layer
