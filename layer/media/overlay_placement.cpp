#include "layer/media/overlay_placement.h"

#include <algorithm>

namespace layer {
namespace {

Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const Rect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

int RoundDown(int value, int step) {
    return step > 1 ? value - value % step : value;
}

// Rounds the left edge down to the boundary and trims the width to a multiple of the size.
void Align(Rect* rect, int boundary, int size) {
    rect->left = RoundDown(rect->left, boundary);
    rect->right = rect->left + RoundDown(rect->right - rect->left, size);
}

}  // namespace

OverlayShape PlaceOverlay(int x, int y, int scale, int width, int height, const OverlayView& view) {
    OverlayShape shape;
    if (scale <= 0) {
        return shape;
    }
    Rect destination{x, y, x + scale * width, y + scale * height};
    if (view.window_mode) {
        if (view.clip != WindowClip::kSimple) {
            return shape;
        }
        destination = Intersect(destination, view.clip_box);
    }
    const Rect whole{x + view.client.left, y + view.client.top,
                     x + view.client.left + scale * width, y + view.client.top + scale * height};
    destination =
        Intersect({destination.left + view.client.left, destination.top + view.client.top,
                   destination.right + view.client.left, destination.bottom + view.client.top},
                  view.client);
    if (IsEmpty(destination)) {
        return shape;
    }
    shape.source = {(destination.left - whole.left) / scale, (destination.top - whole.top) / scale,
                    width - (whole.right - destination.right) / scale,
                    height - (whole.bottom - destination.bottom) / scale};
    Align(&shape.source, view.source_boundary, view.source_size);
    Align(&destination, view.destination_boundary, view.destination_size);
    shape.destination = destination;
    shape.visible = shape.source.right > shape.source.left && destination.right > destination.left;
    return shape;
}

}  // namespace layer
