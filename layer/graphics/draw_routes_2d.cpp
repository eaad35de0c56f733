// The 2D draw routes. In software drawing the renderer draws straight into the software draw
// image; over display surfaces it draws into the images PrepareDraw2D lays over them, or a
// plain copy is one direct blit. The draw settings are captured once per draw.
#include "layer/graphics/draw_routes_2d.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "layer/core/core_settings.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/draw_work_2d.h"
#include "layer/graphics/front_screen.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"
#include "layer/media/pixel_value.h"
#include "layer/softrender/blit_plain.h"
#include "layer/softrender/blit_scaled.h"
#include "layer/softrender/box_fill.h"
#include "layer/softrender/quad_draw.h"
#include "layer/softrender/rotated_blit.h"
#include "layer/softrender/triangle_raster.h"

namespace layer {
namespace {

constexpr std::uint32_t kClearDepth = 0xFFFF;

// The picture a tile shows to a software draw: the surface data's image, or a view of the part
// the tile covers.
class TileImage {
  public:
    explicit TileImage(const Surface2D& tile) {
        SurfaceData* data = GetSurfaceData(tile.SurfaceDataHandle);
        if (data == nullptr || TestMemImgValid(&data->Image) == 0) {
            return;
        }
        if (tile.SourceX == 0 && tile.SourceY == 0 && tile.Width == data->Image.Width &&
            tile.Height == data->Image.Height) {
            image_ = &data->Image;
            return;
        }
        ShareMemImgRect(&view_, &data->Image, tile.SourceX, tile.SourceY, tile.Width, tile.Height);
        if (TestMemImgValid(&view_) != 0) {
            image_ = &view_;
        }
    }
    ~TileImage() {
        if (image_ == &view_) {
            ReleaseMemImg(&view_);
        }
    }
    TileImage(const TileImage&) = delete;
    TileImage& operator=(const TileImage&) = delete;

    const MEMIMG* image() const { return image_; }

  private:
    MEMIMG view_;
    const MEMIMG* image_ = nullptr;
};

MEMIMG* SoftwareDestination() {
    MEMIMG* image = direct_draw.draw_image;
    return image != nullptr && TestMemImgValid(image) != 0 ? image : nullptr;
}

const Surface2D* FirstTile(const GraphRecord* graph) {
    return graph->TileCount > 0 ? GetSurface2D(graph->Tiles[0]) : nullptr;
}

// What a renderer call needs: where to draw, what from, and the captured settings. `origin`
// is subtracted from every target coordinate.
struct RenderCall {
    MEMIMG* destination;
    const MEMIMG* source;
    const MEMIMG* blend_image;
    SoftDrawState state;
    int origin_x;
    int origin_y;
};

// Runs one draw on either side. `destination` is the affected rectangle in target
// coordinates; a source is drawn whole.
template <typename Render>
int RunRoute(const Surface2D* source, const Rect& destination, int direct_allowed,
             const Rect* source_rect, int raw_colour, std::uint32_t* colour, int transparent,
             Render render) {
    if (IsSoftwareScreenDrawing() != 0) {
        MEMIMG* target = SoftwareDestination();
        if (target == nullptr) {
            return 0;
        }
        if (source == nullptr) {
            ++draws_made_2d;
            render(RenderCall{target, nullptr, nullptr, CaptureSoftDrawState(0, 0), 0, 0});
            return 0;
        }
        const TileImage image(*source);
        if (image.image() != nullptr) {
            ++draws_made_2d;
            render(RenderCall{target, image.image(), GetBlendImageMemImg(),
                              CaptureSoftDrawState(0, 0), 0, 0});
        }
        return 0;
    }
    EndScene3D();
    FlushVertexBatch();
    if (PrepareDraw2D(source, direct_allowed, source_rect, destination, raw_colour, colour,
                      nullptr) < 0) {
        return -1;
    }
    const DrawWork2D& work = draw_work_2d;
    ++draws_made_2d;
    if (work.direct_blit != 0) {
        return RunDirectBlit2D(transparent);
    }
    render(RenderCall{work.destination_image, work.source_image, GetBlendImageMemImg(),
                      CaptureSoftDrawState(work.origin_x, work.origin_y), work.origin_x,
                      work.origin_y});
    return FinishDraw2D();
}

Rect Ordered(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

// One past the coordinate, held at the largest int.
int OnePast(int value) {
    return value < std::numeric_limits<int>::max() ? value + 1 : value;
}

// The rectangle covering the points, one past the largest.
Rect Covering(const MemImgPoint* points, int count) {
    Rect rect{points[0].x, points[0].y, OnePast(points[0].x), OnePast(points[0].y)};
    for (int i = 1; i < count; ++i) {
        rect.left = std::min(rect.left, points[i].x);
        rect.top = std::min(rect.top, points[i].y);
        rect.right = std::max(rect.right, OnePast(points[i].x));
        rect.bottom = std::max(rect.bottom, OnePast(points[i].y));
    }
    return rect;
}

std::uint32_t PackedBackground(const MEMIMG& image) {
    return PackColor(*image.Body->Format, core_settings.background_red,
                     core_settings.background_green, core_settings.background_blue, 255);
}

}  // namespace

std::uint64_t draws_made_2d = 0;

int DrawSurface2D(int x, int y, int surface, int transparent) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    const Surface2D* tile = GetSurface2D(surface);
    if (tile == nullptr) {
        return -1;
    }
    Rect clipped{x, y, x + tile->Width, y + tile->Height};
    if (IsSoftwareScreenDrawing() == 0) {
        ClipRect(&clipped, draw_settings.draw_area);
        if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) {
            return 0;
        }
    }
    const Rect source_rect{clipped.left - x, clipped.top - y, clipped.right - x,
                           clipped.bottom - y};
    return RunRoute(tile, clipped, 1, &source_rect, 0, nullptr, transparent,
                    [&](const RenderCall& call) {
                        RenderMemImg(call.destination, call.source, x - call.origin_x,
                                     y - call.origin_y, transparent, call.blend_image, call.state);
                    });
}

int DrawGraph2D(int x, int y, GraphRecord* graph, int transparent) {
    FlushVertexBatch();
    return graph->TileCount > 0 ? DrawSurface2D(x, y, graph->Tiles[0], transparent) : -1;
}

int DrawGraphStretched2D(int x1, int y1, int x2, int y2, GraphRecord* graph, int transparent,
                         int surface) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    const Surface2D* tile = surface >= 0 ? GetSurface2D(surface) : FirstTile(graph);
    if (tile == nullptr) {
        return -1;
    }
    const Rect box = Ordered(x1, y1, x2, y2);
    const bool mirrored = x2 < x1 || y2 < y1;
    if (IsSoftwareScreenDrawing() == 0) {
        const int width = surface >= 0 ? tile->Width : graph->Width;
        const int height = surface >= 0 ? tile->Height : graph->Height;
        if (box.right == box.left || box.bottom == box.top) {
            return -1;
        }
        if (box.right - box.left == width && box.bottom - box.top == height && !mirrored) {
            return surface >= 0 ? DrawSurface2D(box.left, box.top, surface, transparent)
                                : DrawGraph2D(box.left, box.top, graph, transparent);
        }
        Rect clipped = box;
        ClipRect(&clipped, draw_settings.draw_area);
        if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) {
            return -1;
        }
    }
    return RunRoute(tile, box, 0, nullptr, 0, nullptr, transparent, [&](const RenderCall& call) {
        const Rect corners{x1 - call.origin_x, y1 - call.origin_y, x2 - call.origin_x,
                           y2 - call.origin_y};
        RenderMemImgStretched(call.destination, call.source, corners, transparent, call.blend_image,
                              call.state);
    });
}

int DrawGraphRotated2D(double x, double y, double scale, double angle, GraphRecord* graph,
                       int transparent, int turn) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    const Surface2D* tile = FirstTile(graph);
    if (tile == nullptr) {
        return -1;
    }
    const int cx = static_cast<int>(x);
    const int cy = static_cast<int>(y);
    const double half_width = graph->Width * scale / 2;
    const double half_height = graph->Height * scale / 2;
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    // The corners are rounded down, not towards zero: a box that started right of a corner
    // would cut the shape's left column off, and the renderer, truncating towards zero in the
    // box's own coordinates, would then place a turned draw's corners a pixel off.
    MemImgPoint corners[4];
    const double signs[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        const double px = signs[i][0] * half_width;
        const double py = signs[i][1] * half_height;
        corners[i] = {static_cast<std::int32_t>(std::floor(cosine * px - sine * py)) + cx,
                      static_cast<std::int32_t>(std::floor(sine * px + cosine * py)) + cy};
    }
    return RunRoute(tile, Covering(corners, 4), 0, nullptr, 0, nullptr, transparent,
                    [&](const RenderCall& call) {
                        RenderMemImgRotated(call.destination, call.source, cx - call.origin_x,
                                            cy - call.origin_y, static_cast<float>(angle),
                                            static_cast<float>(scale), transparent, turn,
                                            call.blend_image, call.state);
                    });
}

int DrawQuadFloat2D(const float* corners, GraphRecord* graph, int transparent) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    const Surface2D* tile = FirstTile(graph);
    if (tile == nullptr) {
        return -1;
    }
    // The renderer takes top-left, top-right, bottom-left, bottom-right.
    const int order[4] = {0, 1, 3, 2};
    MemImgPoint points[4];
    for (int i = 0; i < 4; ++i) {
        points[i] = {static_cast<std::int32_t>(corners[order[i] * 2]),
                     static_cast<std::int32_t>(corners[order[i] * 2 + 1])};
    }
    return RunRoute(tile, Covering(points, 4), 0, nullptr, 0, nullptr, transparent,
                    [&](const RenderCall& call) {
                        MemImgPoint moved[4];
                        for (int i = 0; i < 4; ++i) {
                            moved[i] = {points[i].x - call.origin_x, points[i].y - call.origin_y};
                        }
                        RenderMemImgQuad(call.destination, call.source, moved, transparent,
                                         call.blend_image, call.state);
                    });
}

int DrawQuad2D(const int* corners, GraphRecord* graph, int transparent) {
    if (graph == nullptr) {
        return -1;
    }
    const int w = graph->Width;
    const int h = graph->Height;
    const MemImgVertex vertices[4] = {{corners[0], corners[1], 0, 0},
                                      {corners[2], corners[3], w, 0},
                                      {corners[4], corners[5], 0, h},
                                      {corners[6], corners[7], w, h}};
    const int first = DrawTriangle2D(&vertices[0], graph, transparent, 0);
    const int second = DrawTriangle2D(&vertices[1], graph, transparent, 0);
    return first == 0 || second == 0 ? 0 : -1;
}

int DrawTriangle2D(const MemImgVertex* triangle, GraphRecord* graph, int transparent,
                   std::uint32_t fill_colour) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    const Surface2D* tile = nullptr;
    if (graph != nullptr) {
        tile = FirstTile(graph);
        if (tile == nullptr) {
            return -1;
        }
    }
    const MemImgPoint points[3] = {{triangle[0].x, triangle[0].y},
                                   {triangle[1].x, triangle[1].y},
                                   {triangle[2].x, triangle[2].y}};
    // A fill colour is a screen pixel value, converted with the destination when that is.
    const int raw_colour = tile == nullptr ? 1 : 0;
    std::uint32_t colour = fill_colour;
    return RunRoute(tile, Covering(points, 3), 0, nullptr, raw_colour,
                    raw_colour != 0 ? &colour : nullptr, transparent, [&](const RenderCall& call) {
                        MemImgVertex moved[3];
                        for (int i = 0; i < 3; ++i) {
                            moved[i] = {triangle[i].x - call.origin_x,
                                        triangle[i].y - call.origin_y, triangle[i].u,
                                        triangle[i].v};
                        }
                        RenderMemImgTriangle(call.destination, call.source, moved, transparent,
                                             call.blend_image, colour, call.state);
                    });
}

int DrawBox2D(int x1, int y1, int x2, int y2, std::uint32_t colour) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    return RunRoute(nullptr, Ordered(x1, y1, x2, y2), 0, nullptr, 1, &colour, 0,
                    [&](const RenderCall& call) {
                        const Rect box{x1 - call.origin_x, y1 - call.origin_y, x2 - call.origin_x,
                                       y2 - call.origin_y};
                        RenderMemImgBox(call.destination, &box, colour, call.state);
                    });
}

int DrawBoxOutline2D(int x1, int y1, int x2, int y2, std::uint32_t colour) {
    const auto value = static_cast<std::int32_t>(colour);
    const std::int32_t parameter = draw_settings.blend_parameter;
    const MemImgLineRecord lines[4] = {
        {x1, y1, x2 - 1, y1, value, parameter},
        {x2 - 1, y1, x2 - 1, y2 - 1, value, parameter},
        {x2 - 1, y2 - 1, x1, y2 - 1, value, parameter},
        {x1, y2 - 1, x1, y1, value, parameter},
    };
    return DrawLines2D(lines, 4);
}

int DrawLines2D(const MemImgLineRecord* lines, int count) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    if (count <= 0) {
        return 0;
    }
    std::vector<MemImgPoint> ends;
    for (int i = 0; i < count; ++i) {
        ends.push_back({lines[i].x1, lines[i].y1});
        ends.push_back({lines[i].x2, lines[i].y2});
    }
    std::uint32_t colour = static_cast<std::uint32_t>(lines[0].colour);
    const std::uint32_t screen_colour = colour;
    return RunRoute(nullptr, Covering(ends.data(), count * 2), 0, nullptr, 1, &colour, 0,
                    [&](const RenderCall& call) {
                        std::vector<MemImgLineRecord> moved(lines, lines + count);
                        for (MemImgLineRecord& line : moved) {
                            line.x1 -= call.origin_x;
                            line.x2 -= call.origin_x;
                            line.y1 -= call.origin_y;
                            line.y2 -= call.origin_y;
                            if (colour != screen_colour) {
                                line.colour = static_cast<std::int32_t>(ConvertPixelValue(
                                    *call.destination->Body->Format, direct_draw.screen_format,
                                    static_cast<std::uint32_t>(line.colour)));
                            }
                        }
                        RenderMemImgLines(call.destination, moved.data(), count, call.state);
                    });
}

int ClearDrawScreen2D() {
    if (IsSoftwareScreenDrawing() != 0) {
        if (MEMIMG* image = SoftwareDestination(); image != nullptr) {
            FillMemImgRaw(image, nullptr, PackedBackground(*image));
        }
        if (MEMIMG* depth = direct_draw.draw_depth_image;
            depth != nullptr && TestMemImgValid(depth) != 0) {
            FillMemImgRaw(depth, nullptr, kClearDepth);
        }
        return 0;
    }
    const int target = draw_settings.draw_target;
    const std::uint32_t background = static_cast<std::uint32_t>(
        RgbToPixel(core_settings.background_red, core_settings.background_green,
                   core_settings.background_blue));
    if (target == kDrawTargetFront || target == kDrawTargetBack) {
        if (direct_draw.draw_surface == nullptr) {
            return 0;
        }
        Rect area;
        if (target == kDrawTargetFront) {
            GetFrontScreenRect(&area);
        } else {
            GetScreenResolution(&area.right, &area.bottom);
        }
        const platform::DisplayRect rect{area.left, area.top, area.right, area.bottom};
        platform::BltSurface(direct_draw.draw_surface, &rect, nullptr, nullptr,
                             platform::kBltColourFill, background);
        if (direct_draw.z_buffer != nullptr) {
            platform::BltSurface(direct_draw.z_buffer, nullptr, nullptr, nullptr,
                                 platform::kBltDepthFill | platform::kBltWait, kClearDepth);
        }
        return 0;
    }
    const GraphRecord* graph = GetGraphRecord(target);
    if (graph == nullptr || graph->Key.TextureFlag != 0) {
        return 0;
    }
    if (MEMIMG* image = SoftwareDestination(); image != nullptr) {
        if (MEMIMG* depth = direct_draw.draw_depth_image; depth != nullptr) {
            FillMemImgRaw(depth, nullptr, kClearDepth);
        }
        RenderMemImgBox(image, nullptr, PackedBackground(*image), CaptureSoftDrawState(0, 0));
        return 0;
    }
    if (direct_draw.draw_surface != nullptr) {
        // Only the graph's own rectangle of a surface it may share with others.
        const platform::DisplayRect rect{direct_draw.draw_offset_x, direct_draw.draw_offset_y,
                                         direct_draw.draw_offset_x + draw_settings.target_width,
                                         direct_draw.draw_offset_y + draw_settings.target_height};
        platform::BltSurface(direct_draw.draw_surface, &rect, nullptr, nullptr,
                             platform::kBltColourFill | platform::kBltWait, background);
    }
    return 0;
}

}  // namespace layer
