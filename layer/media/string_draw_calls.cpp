// The layer's text calls: a string with a font handle or the standard font, plain or
// stretched, and text widths.
#include <algorithm>

#include "layer/core/layer_log.h"
#include "layer/core/message_pump.h"
#include "layer/graphics/direct3d_context.h"
#include "layer/graphics/draw_calls.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/mask_screen.h"
#include "layer/media/font_record.h"
#include "layer/media/font_table.h"
#include "layer/media/font_texts.h"
#include "layer/media/glyph_cache.h"
#include "layer/media/media_services.h"
#include "layer/media/string_layout.h"
#include "layer/media/string_route.h"
#include "layer/media/text_draw_services.h"

namespace layer {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

Rect CurrentDrawArea() {
    Rect area;
    GetDrawClipRect(&area);
    return area;
}

// The draw area and bright colour a call changes, put back on every way out.
class SavedDrawState {
  public:
    SavedDrawState() : area_(CurrentDrawArea()), bright_(draw_settings.bright_colour) {}
    ~SavedDrawState() {
        SetDrawClipRect(area_.left, area_.top, area_.right, area_.bottom);
        SetBright(bright_);
    }
    SavedDrawState(const SavedDrawState&) = delete;
    SavedDrawState& operator=(const SavedDrawState&) = delete;

    const Rect& area() const { return area_; }

    static void SetBright(std::uint32_t colour) {
        SetBrightRgb(static_cast<int>(colour >> 16 & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                     static_cast<int>(colour & 0xFF));
    }

  private:
    Rect area_;
    std::uint32_t bright_;
};

void SetArea(const Rect& area) {
    SetDrawClipRect(area.left, area.top, area.right, area.bottom);
}

// The work image's transparent colour: 0 with an alpha channel, else moved past the text's
// colours (and kept so by the image).
std::uint32_t ChooseTransparentColour(MEMIMG& image, int colour, int edge_colour) {
    if (image.Body->AlphaFlag != 0) {
        return 0;
    }
    std::uint32_t& transparent = image.Body->TransColor;
    while (transparent == static_cast<std::uint32_t>(colour) ||
           transparent == static_cast<std::uint32_t>(edge_colour)) {
        ++transparent;
    }
    return transparent;
}

struct StringRequest {
    int x;
    int y;
    double scale_x;
    double scale_y;
    const char* text;
    int colour;
    int handle;
    int edge_colour;
    int vertical;
};

int ScreenWidth() {
    int width = 0;
    GetScreenResolution(&width, nullptr);
    return width;
}

int ScreenHeight() {
    int height = 0;
    GetScreenResolution(nullptr, &height);
    return height;
}

// Draws the string unscaled at (0, 0) into the font's work image, inside `work`; the image,
// or null on failure.
MEMIMG* DrawIntoWorkSurface(const StringRequest& request, const FontRecord& record,
                            const Rect& work, const Rect& filled) {
    RestoreFontCacheSurfaces(request.handle);
    MEMIMG* image = text_draw_services.surface_image(record.work_surface);
    if (image == nullptr) {
        return nullptr;
    }
    SetArea(work);
    const std::uint32_t transparent =
        ChooseTransparentColour(*image, request.colour, request.edge_colour);
    FillMemImgRaw(image, &filled, transparent);
    if (DrawStringThroughCache(1, 0, 0, 0, 1.0, 1.0, request.text, request.colour, image, &work, 1,
                               request.handle, request.edge_colour, -1, request.vertical,
                               nullptr) == -1) {
        return nullptr;
    }
    return image;
}

Rect ScreenClipped(Rect rect) {
    ClipRect(&rect, Rect{0, 0, ScreenWidth(), ScreenHeight()});
    return rect;
}

Rect AreaClipped(Rect rect, const Rect& area) {
    ClipRect(&rect, area);
    return rect;
}

// Texture-cache drawing: quads through the 3D side onto the draw target.
int RenderTextureString(const StringRequest& request, int scaled) {
    if (direct3d.TargetUnusable != 0) {
        return -1;
    }
    RestoreFontCacheSurfaces(request.handle);
    const Rect area = CurrentDrawArea();
    DrawStringThroughCache(1, request.x, request.y, scaled, request.scale_x, request.scale_y,
                           request.text, request.colour, nullptr, &area, 1, request.handle,
                           request.edge_colour, -1, request.vertical, nullptr);
    return 0;
}

int RenderFontString2D(const StringRequest& request);
int RenderFontStringScaled2D(const StringRequest& request);

bool HasTextureCache(int handle) {
    const FontRecord* record = GetFontRecord(handle);
    return record != nullptr && record->texture_cache != 0;
}

int RenderFontString3D(const StringRequest& request) {
    if (!HasTextureCache(request.handle)) {
        return RenderFontString2D(request);
    }
    return RenderTextureString(request, 0);
}

int RenderFontStringScaled3D(const StringRequest& request) {
    if (!HasTextureCache(request.handle)) {
        return RenderFontStringScaled2D(request);
    }
    return RenderTextureString(request, 1);
}

int RenderFontString2D(const StringRequest& request) {
    if (GraphicsNotReady() != 0) {
        return -1;
    }
    if (HasTextureCache(request.handle)) {
        return RenderFontString3D(request);
    }
    FontRecord* record = GetFontRecord(request.handle);
    int extent[2] = {0, 0};
    DrawStringThroughCache(0, 0, 0, 0, 1.0, 1.0, request.text, request.colour, nullptr, nullptr, 1,
                           request.handle, request.edge_colour, -1, request.vertical, extent);
    const int width = extent[0];
    const int height = extent[1];
    const int screen_bits = text_draw_services.screen_bits();
    const StringRoute route =
        ChooseStringRoute(screen_bits, record->type, draw_settings.blend_mode,
                          draw_settings.blend_parameter, text_draw_services.software_drawing());
    if (route == StringRoute::kWorkSurface) {
        SavedDrawState saved;
        const Rect work = ScreenClipped({0, 0, width, height});
        if (DrawIntoWorkSurface(request, *record, work, work) == nullptr) {
            return -1;
        }
        SavedDrawState::SetBright(kWhite);
        SetArea(AreaClipped({request.x, request.y, request.x + width, request.y + height},
                            saved.area()));
        text_draw_services.draw_surface(request.x, request.y, record->work_surface);
        return 0;
    }
    if (route == StringRoute::kSoftwareScreen) {
        MEMIMG* target =
            IsMaskActive() != 0 ? text_draw_services.mask_image() : text_draw_services.back_image();
        const Rect area = CurrentDrawArea();
        return DrawStringThroughCache(1, request.x, request.y, 0, 1.0, 1.0, request.text,
                                      request.colour, target, &area, 1, request.handle,
                                      request.edge_colour, -1, request.vertical, nullptr) == -1
                   ? -1
                   : 0;
    }
    int convert = 0;
    MEMIMG* target = text_draw_services.prepare_draw(
        {request.x, request.y, request.x + width, request.y + height}, &convert);
    if (target == nullptr) {
        return -1;
    }
    const int colour =
        convert != 0 ? text_draw_services.convert_colour(request.colour) : request.colour;
    const int edge_colour =
        convert != 0 ? text_draw_services.convert_colour(request.edge_colour) : request.edge_colour;
    const Rect area = CurrentDrawArea();
    DrawStringThroughCache(1, request.x, request.y, 0, 1.0, 1.0, request.text, colour, target,
                           &area, 1, request.handle, edge_colour, -1, request.vertical, nullptr);
    text_draw_services.finish_draw();
    return 0;
}

int RenderFontStringScaled2D(const StringRequest& request) {
    if (GraphicsNotReady() != 0) {
        return -1;
    }
    if (HasTextureCache(request.handle)) {
        return RenderFontStringScaled3D(request);
    }
    const FontRecord* record = GetFontRecord(request.handle);
    int extent[2] = {0, 0};
    DrawStringThroughCache(0, 0, 0, 0, 1.0, 1.0, request.text, request.colour, nullptr, nullptr, 1,
                           request.handle, request.edge_colour, -1, request.vertical, extent);
    const int width = extent[0];
    const int height = extent[1];
    SavedDrawState saved;
    const Rect work = ScreenClipped({0, 0, width, height});
    if (DrawIntoWorkSurface(request, *record, work, ScreenClipped({0, 0, width + 4, height + 4})) ==
        nullptr) {
        return -1;
    }
    SavedDrawState::SetBright(kWhite);
    const int x = request.x;
    const int y = request.y;
    SetArea(AreaClipped({x, y, x + static_cast<int>(width * request.scale_x) + 3,
                         y + static_cast<int>(height * request.scale_y) + 3},
                        saved.area()));
    text_draw_services.draw_surface_stretched(
        {x, y, x + static_cast<int>(ScreenWidth() * request.scale_x) + 3,
         y + static_cast<int>(ScreenHeight() * request.scale_y) + 3},
        record->work_surface);
    return 0;
}

using Renderer = int (*)(const StringRequest&);

// The steps every string draw shares around its renderer: the 2D one, or the 3D one for a
// texture-cache font.
int DrawThroughRenderer(const StringRequest& request, int line_extent, Renderer render_2d,
                        Renderer render_3d) {
    if (request.text == nullptr || request.text[0] == '\0' || draw_settings.area_empty != 0) {
        return 0;
    }
    if (TestFontHandle(request.handle) == 0) {
        return WriteLog(kBadFontHandleText);
    }
    const bool texture = HasTextureCache(request.handle);
    WaitWhileInactive();
    const int target = GetDrawTarget();
    const bool front_software = target == kDrawTargetFront &&
                                text_draw_services.software_drawing() != 0 &&
                                text_draw_services.screen_bits() > 8;
    const bool masked = IsMaskActive() != 0;
    const Rect area = CurrentDrawArea();
    Rect rect = request.vertical == 0
                    ? Rect{request.x, request.y, area.right, request.y + line_extent}
                    : Rect{request.x, request.y, request.x + line_extent, area.bottom};
    const bool inverted = texture && draw_settings.blend_mode == kBlendSubtractive;
    if ((masked || front_software || inverted) && request.x >= area.right) {
        return 0;
    }
    if (masked) {
        text_draw_services.begin_masked_rect(rect);
    }
    if (front_software && text_draw_services.capture_pending() != 0) {
        text_draw_services.capture_screen();
    }
    if (inverted) {
        BeginInvertedBlendPass(rect);
    }
    const int result = texture ? render_3d(request) : render_2d(request);
    if (inverted) {
        EndInvertedBlendPass(rect);
    }
    if (masked) {
        text_draw_services.end_masked_rect(rect);
    }
    if (front_software) {
        text_draw_services.present_rect(rect);
    }
    return result;
}

}  // namespace

StringRoute ChooseStringRoute(int screen_bits, int type, int blend_mode, int blend_parameter,
                              int software_drawing) {
    const bool plain_blend =
        blend_mode == kBlendNone || (blend_mode == kBlendTranslucent && blend_parameter == 255);
    if (screen_bits > 8 && ((type & kFontTypeAntiAlias) != 0 || !plain_blend)) {
        return StringRoute::kWorkSurface;
    }
    return software_drawing != 0 && screen_bits > 8 ? StringRoute::kSoftwareScreen
                                                    : StringRoute::kPreparedDraw;
}

int DrawFontString(int x, int y, const char* text, int colour, int handle, int edge_colour,
                   int vertical) {
    const StringRequest request{x, y, 1.0, 1.0, text, colour, handle, edge_colour, vertical};
    return DrawThroughRenderer(request, QueryFontSize(handle) + 3, RenderFontString2D,
                               RenderFontString3D);
}

int DrawFontStringScaled(int x, int y, double scale_x, double scale_y, const char* text, int colour,
                         int handle, int edge_colour, int vertical) {
    const StringRequest request{x,      y,      scale_x,     scale_y, text,
                                colour, handle, edge_colour, vertical};
    return DrawThroughRenderer(request, static_cast<int>(scale_y * QueryFontSize(handle)) + 3,
                               RenderFontStringScaled2D, RenderFontStringScaled3D);
}

int DrawStandardFontString(int x, int y, const char* text, int colour, int edge_colour) {
    ApplyStandardFontSettings();
    return DrawFontString(x, y, text, colour, standard_font_settings.handle, edge_colour, 0);
}

int MeasureFontString(const char* text, int length, int handle, int vertical) {
    return DrawStringThroughCache(0, 0, 0, 0, 1.0, 1.0, text, 0, nullptr, nullptr, 1, handle, 0,
                                  length, vertical, nullptr);
}

int MeasureStandardFontString(const char* text, int length, int vertical) {
    ApplyStandardFontSettings();
    return MeasureFontString(text, length, standard_font_settings.handle, vertical);
}

}  // namespace layer
