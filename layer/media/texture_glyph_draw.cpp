#include "layer/media/texture_glyph_draw.h"

#include "layer/graphics/draw_calls.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/font_texture_cache.h"

namespace layer {
namespace {

void SetBright(std::uint32_t rgb) {
    SetBrightRgb(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                 static_cast<int>(rgb & 0xFF));
}

// Narrows the draw area to the rectangle inside it for one draw.
class NarrowedArea {
  public:
    explicit NarrowedArea(Rect rect) {
        GetDrawClipRect(&saved_);
        ClipRect(&rect, saved_);
        SetDrawClipRect(rect.left, rect.top, rect.right, rect.bottom);
    }
    ~NarrowedArea() { SetDrawClipRect(saved_.left, saved_.top, saved_.right, saved_.bottom); }
    NarrowedArea(const NarrowedArea&) = delete;
    NarrowedArea& operator=(const NarrowedArea&) = delete;

  private:
    Rect saved_{};
};

int Truncated(double value) {
    return static_cast<int>(value);
}

constexpr float kPixelCentre = 0.5f;

// The cell of one texture (the body texture or the edge texture) at the pen.
void DrawCell(int graph, const TextCacheEntry& entry, const CellCorner& cell,
              const TextureGlyphPen& pen, int line_height) {
    const int width = entry.box_width;
    const int height = entry.box_height;
    if (pen.vertical == 0 && !pen.scaled) {
        PutGraphPart(pen.x + Truncated(pen.pen) + entry.origin_x, pen.y + entry.top, cell.x, cell.y,
                     width, height, graph, 1, 0);
    } else if (pen.vertical == 0) {
        const int left = pen.x + Truncated(pen.scale_x * entry.origin_x + pen.pen);
        const int top = pen.y + Truncated(pen.scale_y * entry.top);
        PutGraphPartStretched(left, top, left + Truncated(pen.scale_x * width),
                              top + Truncated(pen.scale_y * height), cell.x, cell.y, width, height,
                              graph, 1);
    } else if (!pen.scaled) {
        // The whole texture turned a quarter clockwise so that the cell's corner lands on
        // (R, T): the glyph's columns run down, its rows leftward.
        const float r = static_cast<float>(pen.x + line_height - entry.top);
        const float t = static_cast<float>(pen.y + Truncated(pen.pen) + entry.origin_x);
        const NarrowedArea area({static_cast<int>(r) - height - 1, static_cast<int>(t),
                                 static_cast<int>(r) + 1, static_cast<int>(t) + width});
        int texture_width = 0;
        int texture_height = 0;
        GetGraphDimensions(graph, &texture_width, &texture_height);
        const float w = static_cast<float>(texture_width);
        const float h = static_cast<float>(texture_height);
        const float cx = static_cast<float>(cell.x);
        const float cy = static_cast<float>(cell.y);
        PutGraphCorners(r + cy - kPixelCentre, t - cx - kPixelCentre, r + cy - kPixelCentre,
                        t - cx + w - kPixelCentre, r + cy - h - kPixelCentre,
                        t - cx + w - kPixelCentre, r + cy - h - kPixelCentre, t - cx - kPixelCentre,
                        graph, 1);
    } else {
        const int r = pen.x + Truncated(pen.scale_x * (line_height - entry.top));
        const int t = pen.y + Truncated(pen.scale_y * entry.origin_x + pen.pen);
        const int l = r - Truncated(pen.scale_x * height);
        const int b = t + Truncated(pen.scale_y * width);
        const NarrowedArea area({l - 1, t, r + 1, b});
        const int part = DeriveSubGraph(cell.x, cell.y, width, height, graph);
        const auto at = [](int value) { return static_cast<float>(value) - kPixelCentre; };
        PutGraphCorners(at(r), at(t), at(r), at(b), at(l), at(b), at(l), at(t), part, 1);
        DisposeGraph(part, 0);
    }
}

}  // namespace

void DrawTextureGlyph(const FontRecord& record, const TextCacheEntry& entry,
                      const TextureGlyphPen& pen, std::uint32_t body_rgb, std::uint32_t edge_rgb) {
    int blend_graph = -1;
    int blend_parameter1 = 0;
    int blend_parameter2 = 0;
    GetBlendImage(&blend_graph, &blend_parameter1, &blend_parameter2);
    SetBlendImage(-1, 0, 0);
    const std::uint32_t bright = draw_settings.bright_colour;
    const CellCorner cell = CellCornerOf(record, entry.cell_index);
    if ((record.type & kFontTypeEdge) != 0) {
        SetBright(edge_rgb);
        DrawCell(record.edge_texture_graph, entry, cell, pen, record.line_height);
    }
    SetBright(body_rgb);
    DrawCell(record.texture_graph, entry, cell, pen, record.line_height);
    SetBlendImage(blend_graph, blend_parameter1, blend_parameter2);
    SetBright(bright);
}

}  // namespace layer
