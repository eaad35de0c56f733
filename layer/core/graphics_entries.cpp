// The entries on the screen, graphs and drawing: most pass their arguments on unchanged.
#include "layer/core/layer_api.h"
#include "layer/graphics/frame_dump.h"
#include "layer/graphics/graphics_services.h"

namespace layer {
namespace {

constexpr int kPngType = 2;
constexpr int kJpegQuality = 80;
constexpr int kUnusedJpegOption = 0;

}  // namespace

int SelectSoftwareRendering(int flag) {
    return SetSoftwareRendering(flag);
}

int AllowDirectDraw(int flag) {
    SetDirectDrawLess(flag == 0 ? 1 : 0);
    if (flag == 0) {
        SetSoftwareRendering(0);
        SetTextureDrawing(0);
        SetGraphsInVideoMemory(0);
    }
    return 0;
}

int ShowFrame() {
    NoteFramePresented();
    return PresentFrame();
}

int RefreshWindow() {
    return PresentBackScreen(nullptr);
}

int SetScreenMode(int width, int height, int colour_bits, int refresh_rate) {
    return RequestScreenMode(width, height, colour_bits, refresh_rate);
}

int StoreScreenAsPng(int x1, int y1, int x2, int y2, const char* file_name, int compression) {
    return SaveScreenArea(x1, y1, x2, y2, file_name, kPngType, kJpegQuality, kUnusedJpegOption,
                          compression);
}

int CreateBlankGraph(int width, int height, int flag) {
    return NewGraph(width, height, flag);
}

int RemoveGraph(int graph, int log_flag) {
    return DisposeGraph(graph, log_flag);
}

int RemoveAllGraphs(int log_flag) {
    return DisposeAllGraphs(log_flag);
}

int ReloadAllGraphs() {
    return RestoreAllGraphs();
}

int WipeDrawTarget() {
    return EraseDrawTarget();
}

int PaintGraph(int x, int y, int graph, int transparent) {
    return PutGraph(x, y, graph, transparent);
}

int PaintGraphStretched(int x1, int y1, int x2, int y2, int graph, int transparent) {
    return PutGraphStretched(x1, y1, x2, y2, graph, transparent);
}

int PaintGraphRotated(int x, int y, double scale, double angle, int graph, int transparent,
                      int turn) {
    return PutGraphRotated(x, y, scale, angle, graph, transparent, turn);
}

int PaintGraphPart(int x, int y, int source_x, int source_y, int width, int height, int graph,
                   int transparent, int mirror) {
    return PutGraphPart(x, y, source_x, source_y, width, height, graph, transparent, mirror);
}

// The blend picture is in force for this one draw only.
int DrawBlendGraph(int x, int y, int graph, int transparent, int blend_graph, int border_parameter,
                   int border_range) {
    int saved_graph = -1;
    int saved_parameter = 0;
    int saved_range = 0;
    GetBlendImage(&saved_graph, &saved_parameter, &saved_range);
    SetBlendImage(blend_graph, border_parameter, border_range);
    PutGraph(x, y, graph, transparent);
    SetBlendImage(saved_graph, saved_parameter, saved_range);
    return 0;
}

int PaintRectangle(int x1, int y1, int x2, int y2, int colour, int fill) {
    return PutBox(x1, y1, x2, y2, colour, fill);
}

int SetDrawSampling(int mode) {
    return SetTextureFilterMode(mode);
}

int ChangeBlendMode(int mode, int parameter) {
    return SetBlendMode(mode, parameter);
}

int ChangeBrightRgb(int red, int green, int blue) {
    return SetBrightRgb(red, green, blue);
}

int ChangeDrawTarget(int target) {
    return SelectDrawTarget(target);
}

int EnableTextureDrawing(int flag) {
    return SetTextureDrawing(flag);
}

int InstallGraphRestoreHandler(GraphRestoreHandler handler) {
    return SetGraphRestoreHandler(handler);
}

int CaptureScreenToGraph(int x1, int y1, int x2, int y2, int graph, int flag) {
    return CopyScreenToGraph(x1, y1, x2, y2, graph, flag);
}

int GetGraphExtent(int graph, int* width, int* height) {
    return GetGraphDimensions(graph, width, height);
}

int UsesTextureDrawing() {
    return IsTextureDrawingActive();
}

int CreateSubGraph(int x, int y, int width, int height, int source_graph) {
    return DeriveSubGraph(x, y, width, height, source_graph);
}

// Graphs loaded here carry mode word 1 for as long as they live.
int LoadGraphFileFlagged(const char* path) {
    const int saved_mode = GetNewGraphModeWord();
    SetNewGraphModeWord(1);
    const int graph = OpenGraphFile(path, 1, 0, 0);
    SetNewGraphModeWord(saved_mode);
    return graph;
}

int GraphFromMemoryImage(const void* image, int image_size, const void* alpha_image, int alpha_size,
                         int option1, int option2) {
    return CreateGraphFromMemory(image, image_size, alpha_image, alpha_size, option1, option2);
}

int ChooseTransparentColour(int red, int green, int blue) {
    return SetTransparentColour(red, green, blue);
}

int MakeRgbPixelFormat(DdPixelFormat* format, int bit_count, std::uint32_t red_mask,
                       std::uint32_t green_mask, std::uint32_t blue_mask,
                       std::uint32_t alpha_mask) {
    return FillRgbPixelFormat(format, bit_count, red_mask, green_mask, blue_mask, alpha_mask);
}

int MakeScreenColor(int red, int green, int blue) {
    return RgbToPixel(red, green, blue);
}

}  // namespace layer
