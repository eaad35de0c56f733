// The graphics side as it stands until its own code arrives: the software route with nothing
// started. Settings are kept and read back, graphs cannot be made, draws and presents do
// nothing and succeed. Each definition leaves this file when its real one arrives.
#include "layer/core/core_settings.h"
#include "layer/graphics/graphics_services.h"
#include "platform/message_queue.h"

namespace layer {
namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// The settings that can be read back.
struct PendingGraphicsState {
    int requested_bits = 0;
    int gdi_surface_mode = 0;
    int vsync_wait = 0;
    int draw_target = kDrawTargetFront;
    Rect draw_area{0, 0, kScreenWidth, kScreenHeight};
    int blend_image = -1;
    int blend_image_parameter1 = 0;
    int blend_image_parameter2 = 0;
    int filter_mode = 0;
    int mode_word = 0;
    bool restore_handler_installed = false;
    DdPixelFormat primary_format;
};

PendingGraphicsState state;

int ScreenBits() {
    return state.requested_bits == 0 ? 16 : state.requested_bits;
}

// A graph handle names nothing yet: only the two screens have a size.
bool IsScreenTarget(int target) {
    return target == kDrawTargetBack || target == kDrawTargetFront;
}

}  // namespace

int InitGraphicsSystem(platform::Window*) {
    return 0;
}
int EndGraphicsSystem() {
    return 0;
}
int IsGraphicsStarted() {
    return 0;
}
int IsDirect3DDisabled() {
    return 1;
}

int SetSoftwareRendering(int) {
    return 0;
}

int SetDirectDrawLess(int) {
    return 0;
}

int SetGraphsInVideoMemory(int) {
    return 0;
}

int SetTextureDrawing(int) {
    return 0;
}

int IsTextureDrawingActive() {
    return 0;
}

int SetSeparateFrontSurface(int) {
    return 0;
}

int GetScreenColourBits() {
    return ScreenBits();
}

int RequestScreenMode(int, int, int bits, int) {
    if (bits == -1) {
        return 0;
    }
    if (bits != 8 && bits != 16 && bits != 32) {
        return -1;
    }
    state.requested_bits = bits;
    return 0;
}

// The display never changes here, but the window code waits for the notice of a change.
int ApplyScreenMode(int, int, int, int, int) {
    platform::Message message;
    message.kind = platform::MessageKind::kDisplayChange;
    message.depth = ScreenBits();
    message.width = kScreenWidth;
    message.height = kScreenHeight;
    platform::PostWindowMessage(message);
    return 0;
}

int QueryScreenMode(int* width, int* height, int* bits) {
    if (width != nullptr) {
        *width = kScreenWidth;
    }
    if (height != nullptr) {
        *height = kScreenHeight;
    }
    if (bits != nullptr) {
        *bits = ScreenBits();
    }
    return 0;
}

int GetScreenResolution(int* width, int* height) {
    return QueryScreenMode(width, height, nullptr);
}

int DetectScreenPixelFormat() {
    return 0;
}
DirectDrawObject* GetDirectDrawObject() {
    return nullptr;
}
int IsDirectDrawMode() {
    return 0;
}
int IsDisplayModeChanged() {
    return 0;
}
int ReleaseDirectDrawObject() {
    return 0;
}
int ReleaseDirect3DObject() {
    return -1;
}
int RestoreSurfaces2D() {
    return 0;
}
int RestoreSurfaces3D() {
    return -1;
}
int RestoreLostScreenSurfaces() {
    return 0;
}
int RecreateGraphicsAfterLoss() {
    return 0;
}
int GetGdiSurfaceMode() {
    return state.gdi_surface_mode;
}

int SetGdiSurfaceMode(int mode) {
    state.gdi_surface_mode = mode;
    return 0;
}

int SetScreenOffsetRect(const Rect&) {
    return 0;
}

int IsMaskDrawingOn() {
    return 0;
}
int SetMaskDrawing(int) {
    return -1;
}

int SetVsyncWait(int flag) {
    state.vsync_wait = flag != 0 ? 1 : 0;
    return 0;
}

int GetVsyncWait() {
    return state.vsync_wait;
}

const DdPixelFormat* GetPrimaryPixelFormat() {
    return &state.primary_format;
}
int GetDisplayRefreshRate() {
    return -1;
}
int GetGraphCount() {
    return 0;
}

int SelectDrawTarget(int target) {
    if (!IsScreenTarget(target)) {
        return -1;
    }
    state.draw_target = target;
    return 0;
}

int GetDrawTarget() {
    return state.draw_target;
}

int GetDrawClipRect(Rect* rect) {
    *rect = state.draw_area;
    return 0;
}

int SetDrawClipRect(int x1, int y1, int x2, int y2) {
    core_settings.requested_draw_area = {x1, y1, x2, y2};
    state.draw_area = {x1, y1, x2, y2};
    return 0;
}

int SetBlendMode(int, int) {
    return 0;
}

int SetBlendImage(int graph, int parameter1, int parameter2) {
    if (graph != -1) {
        return -1;
    }
    state.blend_image = graph;
    state.blend_image_parameter1 = parameter1;
    state.blend_image_parameter2 = parameter2;
    return 0;
}

int GetBlendImage(int* graph, int* parameter1, int* parameter2) {
    *graph = state.blend_image;
    *parameter1 = state.blend_image_parameter1;
    *parameter2 = state.blend_image_parameter2;
    return 0;
}

int SetBrightRgb(int, int, int) {
    return 0;
}

int SetTextureFilterMode(int mode) {
    state.filter_mode = mode;
    return 0;
}

int GetTextureFilterMode() {
    return state.filter_mode;
}

int SetTransparentColour(int, int, int) {
    return 0;
}

int SetNewGraphDrawValidOption(int) {
    return 0;
}

int GetNewGraphModeWord() {
    return state.mode_word;
}

int SetNewGraphModeWord(int mode) {
    state.mode_word = mode;
    return 0;
}

int RgbToPixel(int red, int green, int blue) {
    return (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF);
}

int FillRgbPixelFormat(DdPixelFormat* format, int bit_count, std::uint32_t red_mask,
                       std::uint32_t green_mask, std::uint32_t blue_mask,
                       std::uint32_t alpha_mask) {
    *format = {sizeof(DdPixelFormat),
               kDdPixelFormatRgb,
               0,
               static_cast<std::uint32_t>(bit_count),
               red_mask,
               green_mask,
               blue_mask,
               alpha_mask};
    return 0;
}

int EraseDrawTarget() {
    return 0;
}
int PresentFrame() {
    return 0;
}
int PresentBackScreen(const Rect*) {
    return 0;
}
int SaveScreenArea(int, int, int, int, const char*, int, int, int, int) {
    return -1;
}

int SetGraphRestoreHandler(GraphRestoreHandler) {
    state.restore_handler_installed = true;
    return 0;
}

int HasGraphRestoreHandler() {
    return state.restore_handler_installed ? 1 : 0;
}

int NewGraph(int, int, int) {
    return -1;
}
int DisposeGraph(int, int) {
    return -1;
}
int DisposeAllGraphs(int) {
    return 0;
}
int RestoreAllGraphs() {
    return 0;
}
int IsGraphHandleLive(int) {
    return 0;
}
int GetGraphSlotEnd() {
    return 0;
}
int GetGraphHandleInSlot(int) {
    return -1;
}

int GetGraphDimensions(int graph, int* width, int* height) {
    if (!IsScreenTarget(graph)) {
        return -1;
    }
    return GetScreenResolution(width, height);
}

int OpenGraphFile(const char*, int, int, int) {
    return -1;
}
int BuildGraphFromImage(GraphImage*, GraphImage*, int, int, int) {
    return -1;
}
int GraphFromImageRecord(GraphImage*) {
    return -1;
}
int CreateGraphFromMemory(const void*, int, const void*, int, int, int) {
    return -1;
}
int DeriveSubGraph(int, int, int, int, int) {
    return -1;
}
int RestoreGraphSurfaces(int) {
    return -1;
}
int CopyScreenToGraph(int, int, int, int, int, int) {
    return -1;
}
int PutGraph(int, int, int, int) {
    return 0;
}
int PutGraphStretched(int, int, int, int, int, int) {
    return 0;
}
int PutGraphRotated(int, int, double, double, int, int, int) {
    return 0;
}
int PutGraphPart(int, int, int, int, int, int, int, int, int) {
    return 0;
}
int PutBox(int, int, int, int, int, int) {
    return 0;
}

}  // namespace layer
