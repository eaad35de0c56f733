// The graphics services as the core's tests see them: every call recorded, answers from
// test::Graphics().
#include <string>

#include "layer/core/core_settings.h"
#include "layer/graphics/graphics_services.h"
#include "platform/message_queue.h"
#include "tests/layer/core/fake_services.h"

namespace layer {
namespace {

using test::Graphics;

int Note(const std::string& call, int result = 0) {
    test::FakeCalls().push_back(call);
    return result;
}

std::string WithArgument(const char* name, int value) {
    return std::string(name) + "(" + std::to_string(value) + ")";
}

DdPixelFormat primary_format;

}  // namespace

int InitGraphicsSystem(platform::Window*) {
    return Note("InitGraphicsSystem");
}
int EndGraphicsSystem() {
    return Note("EndGraphicsSystem");
}
int IsGraphicsStarted() {
    return 0;
}
int IsDirect3DDisabled() {
    return Note("IsDirect3DDisabled", 1);
}
int SetSoftwareRendering(int flag) {
    return Note(WithArgument("SetSoftwareRendering", flag));
}
int SetDirectDrawLess(int flag) {
    return Note(WithArgument("SetDirectDrawLess", flag));
}
int SetGraphsInVideoMemory(int flag) {
    return Note(WithArgument("SetGraphsInVideoMemory", flag));
}
int SetTextureDrawing(int flag) {
    return Note(WithArgument("SetTextureDrawing", flag));
}
int IsTextureDrawingActive() {
    return 0;
}
int SetSeparateFrontSurface(int flag) {
    return Note(WithArgument("SetSeparateFrontSurface", flag));
}
int GetScreenColourBits() {
    return Graphics().screen_bits;
}
int RequestScreenMode(int, int, int bits, int) {
    return Note(WithArgument("RequestScreenMode", bits));
}
int ApplyScreenMode(int, int, int, int, int) {
    if (Graphics().posts_display_change) {
        platform::Message message;
        message.kind = platform::MessageKind::kDisplayChange;
        message.depth = Graphics().screen_bits;
        message.width = Graphics().screen_width;
        message.height = Graphics().screen_height;
        platform::PostWindowMessage(message);
    }
    return Note("ApplyScreenMode");
}
int QueryScreenMode(int* width, int* height, int* bits) {
    if (width != nullptr) {
        *width = Graphics().screen_width;
    }
    if (height != nullptr) {
        *height = Graphics().screen_height;
    }
    if (bits != nullptr) {
        *bits = Graphics().screen_bits;
    }
    return 0;
}
int GetScreenResolution(int* width, int* height) {
    return QueryScreenMode(width, height, nullptr);
}
int DetectScreenPixelFormat() {
    return Note("DetectScreenPixelFormat");
}
DirectDrawObject* GetDirectDrawObject() {
    return Graphics().direct_draw_object;
}
int IsDirectDrawMode() {
    return Graphics().direct_draw_mode;
}
int IsDisplayModeChanged() {
    return Graphics().display_mode_changed;
}
int ReleaseDirectDrawObject() {
    return Note("ReleaseDirectDrawObject");
}
int ReleaseDirect3DObject() {
    return Note("ReleaseDirect3DObject");
}
int RestoreSurfaces2D() {
    return Note("RestoreSurfaces2D");
}
int RestoreSurfaces3D() {
    return Note("RestoreSurfaces3D");
}
int RestoreLostScreenSurfaces() {
    return Note("RestoreLostScreenSurfaces");
}
int RecreateGraphicsAfterLoss() {
    return Note("RecreateGraphicsAfterLoss");
}
int GetGdiSurfaceMode() {
    return Graphics().gdi_surface_mode;
}
int SetGdiSurfaceMode(int mode) {
    Graphics().gdi_surface_mode = mode;
    return 0;
}
int SetScreenOffsetRect(const Rect& rect) {
    return Note("SetScreenOffsetRect(" + std::to_string(rect.left) + "," +
                std::to_string(rect.top) + ")");
}
int IsMaskDrawingOn() {
    return 0;
}
int SetMaskDrawing(int) {
    return -1;
}
int SetVsyncWait(int flag) {
    Graphics().vsync_wait = flag;
    return Note(WithArgument("SetVsyncWait", flag));
}
int GetVsyncWait() {
    return Graphics().vsync_wait;
}
const DdPixelFormat* GetPrimaryPixelFormat() {
    return &primary_format;
}
int GetDisplayRefreshRate() {
    return -1;
}
int GetGraphCount() {
    return 0;
}

int SelectDrawTarget(int target) {
    Graphics().draw_target = target;
    return Note(WithArgument("SelectDrawTarget", target));
}
int GetDrawTarget() {
    return Graphics().draw_target;
}
int GetDrawClipRect(Rect* rect) {
    *rect = core_settings.requested_draw_area;
    return 0;
}
int SetDrawClipRect(int x1, int y1, int x2, int y2) {
    core_settings.requested_draw_area = {x1, y1, x2, y2};
    return Note("SetDrawClipRect");
}
int SetBlendMode(int mode, int) {
    return Note(WithArgument("SetBlendMode", mode));
}
int SetBlendImage(int graph, int, int) {
    return Note(WithArgument("SetBlendImage", graph));
}
int GetBlendImage(int* graph, int* parameter1, int* parameter2) {
    *graph = -1;
    *parameter1 = 0;
    *parameter2 = 0;
    return 0;
}
int SetBrightRgb(int, int, int) {
    return 0;
}
int SetTextureFilterMode(int) {
    return 0;
}
int GetTextureFilterMode() {
    return 0;
}
int SetTransparentColour(int, int, int) {
    return 0;
}
int SetNewGraphDrawValidOption(int flag) {
    return Note(WithArgument("SetNewGraphDrawValidOption", flag));
}
int GetNewGraphModeWord() {
    return Graphics().mode_word;
}
int SetNewGraphModeWord(int mode) {
    Graphics().mode_word = mode;
    return 0;
}
int RgbToPixel(int red, int green, int blue) {
    return red << 16 | green << 8 | blue;
}
int FillRgbPixelFormat(DdPixelFormat*, int, std::uint32_t, std::uint32_t, std::uint32_t,
                       std::uint32_t) {
    return 0;
}

int EraseDrawTarget() {
    return 0;
}
int PresentFrame() {
    return 0;
}
int PresentBackScreen(const Rect*) {
    return Note("PresentBackScreen");
}
int SaveScreenArea(int, int, int, int, const char*, int, int, int, int) {
    return -1;
}
int SetGraphRestoreHandler(GraphRestoreHandler) {
    Graphics().restore_handler_installed = 1;
    return Note("SetGraphRestoreHandler");
}
int HasGraphRestoreHandler() {
    return Graphics().restore_handler_installed;
}

// Graphs are numbered from 100 so that they never look like draw targets.
int NewGraph(int, int, int) {
    return Note("NewGraph", 100);
}
int DisposeGraph(int graph, int) {
    return Note(WithArgument("DisposeGraph", graph));
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
int GetGraphDimensions(int, int* width, int* height) {
    return GetScreenResolution(width, height);
}
int OpenGraphFile(const char*, int, int, int) {
    return Note("OpenGraphFile(mode " + std::to_string(Graphics().mode_word) + ")", 101);
}
int BuildGraphFromImage(GraphImage*, GraphImage*, int, int, int) {
    return -1;
}
int GraphFromImageRecord(GraphImage*) {
    return Note("GraphFromImageRecord", 102);
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
int PutGraph(int, int, int graph, int) {
    return Note(WithArgument("PutGraph", graph));
}
int PutGraphStretched(int, int, int, int, int graph, int) {
    return Note(WithArgument("PutGraphStretched", graph));
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
