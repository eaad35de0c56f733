// Draws of a part of a graph: the whole graph is placed so that the part lands on the
// destination, with the draw area narrowed to the destination for the one draw.
#include <algorithm>

#include "layer/graphics/draw_calls.h"
#include "layer/graphics/graphics_services.h"

namespace layer {
namespace {

// Narrows the draw area (not its empty flag, the viewport or the matrices) and puts the old
// one back on every way out.
class NarrowedDrawArea {
  public:
    explicit NarrowedDrawArea(Rect rect)
        : area_(draw_settings.draw_area), area_float_(draw_settings.draw_area_float) {
        ClipRect(&rect, area_);
        draw_settings.draw_area = rect;
        draw_settings.draw_area_float = {
            static_cast<float>(rect.left), static_cast<float>(rect.top),
            static_cast<float>(rect.right), static_cast<float>(rect.bottom)};
    }
    ~NarrowedDrawArea() {
        draw_settings.draw_area = area_;
        draw_settings.draw_area_float = area_float_;
    }
    NarrowedDrawArea(const NarrowedDrawArea&) = delete;
    NarrowedDrawArea& operator=(const NarrowedDrawArea&) = delete;

  private:
    Rect area_;
    FloatRect area_float_;
};

}  // namespace

int PutGraphPart(int x, int y, int source_x, int source_y, int width, int height, int graph,
                 int transparent, int mirror) {
    const NarrowedDrawArea narrowed({x, y, x + width, y + height});
    if (mirror == 0) {
        return PutGraph(x - source_x, y - source_y, graph, transparent);
    }
    int graph_width = 0;
    if (GetGraphDimensions(graph, &graph_width, nullptr) < 0) {
        return -1;
    }
    return PutGraphMirrored(x + source_x + width - graph_width, y - source_y, graph, transparent);
}

int PutGraphPartStretched(int x1, int y1, int x2, int y2, int source_x, int source_y,
                          int source_width, int source_height, int graph, int transparent) {
    int graph_width = 0;
    int graph_height = 0;
    if (IsGraphHandleLive(graph) == 0 || source_width == 0 || source_height == 0) {
        return -1;
    }
    GetGraphDimensions(graph, &graph_width, &graph_height);
    const Rect box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    const NarrowedDrawArea narrowed(box);
    const double scale_x = static_cast<double>(box.right - box.left) / source_width;
    const double scale_y = static_cast<double>(box.bottom - box.top) / source_height;
    const int before_x = static_cast<int>(source_x * scale_x);
    const int after_x = static_cast<int>((graph_width - source_x) * scale_x);
    const int before_y = static_cast<int>(source_y * scale_y);
    const int after_y = static_cast<int>((graph_height - source_y) * scale_y);
    const bool reversed_x = x2 < x1;
    const bool reversed_y = y2 < y1;
    const int left = reversed_x ? box.right + before_x : box.left - before_x;
    const int right = reversed_x ? box.right - after_x : box.left + after_x;
    const int top = reversed_y ? box.bottom + before_y : box.top - before_y;
    const int bottom = reversed_y ? box.bottom - after_y : box.top + after_y;
    return PutGraphStretched(left, top, right, bottom, graph, transparent);
}

}  // namespace layer
