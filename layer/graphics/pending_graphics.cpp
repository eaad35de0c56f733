// The graphics side as it stands until its own code arrives: the software route with nothing
// started. Settings are kept and read back, draws and presents do nothing and succeed. Each
// definition leaves this file when its real one arrives.
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/graphics_services.h"
#include "platform/message_queue.h"

namespace layer {
namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// The settings that can be read back.
struct PendingGraphicsState {
    int gdi_surface_mode = 0;
    bool restore_handler_installed = false;
};

PendingGraphicsState state;

}  // namespace

int InitGraphicsSystem(platform::Window*) {
    return 0;
}
int EndGraphicsSystem() {
    return 0;
}
int SetSoftwareRendering(int) {
    return 0;
}

int SetDirectDrawLess(int) {
    return 0;
}

int SetSeparateFrontSurface(int) {
    return 0;
}

int RequestScreenMode(int, int, int bits, int) {
    if (bits == -1) {
        return 0;
    }
    if (bits != 8 && bits != 16 && bits != 32) {
        return -1;
    }
    direct_draw.requested_bits = bits;
    return 0;
}

// The display never changes here, but the window code waits for the notice of a change.
int ApplyScreenMode(int, int, int, int, int) {
    platform::Message message;
    message.kind = platform::MessageKind::kDisplayChange;
    message.depth = GetScreenColourBits();
    message.width = kScreenWidth;
    message.height = kScreenHeight;
    platform::PostWindowMessage(message);
    return 0;
}

int DetectScreenPixelFormat() {
    return 0;
}
int ReleaseDirectDrawObject() {
    return 0;
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

int RestoreAllGraphs() {
    return 0;
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
