#include "layer/core/first_draws.h"

#include "layer/graphics/graphics_services.h"
#include "layer/media/graph_image.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_pixels.h"

namespace layer {
namespace {

constexpr int kSide = 256;
constexpr int kSubtractiveBlend = 3;
constexpr int kHalfParameter = 128;

// A graph of a black picture, or -1.
int BlackGraph(GraphImage* image) {
    CreateRgb24Image(kSide, kSide, image);
    FillImageColor(image, 0, 0, 0, 0);
    return GraphFromImageRecord(image);
}

}  // namespace

void DrawFirstFrames() {
    SetNewGraphDrawValidOption(1);
    int graph = NewGraph(kSide, kSide, 0);
    SetNewGraphDrawValidOption(0);
    SelectDrawTarget(graph);
    SelectDrawTarget(kDrawTargetFront);
    DisposeGraph(graph, 0);
    SelectDrawTarget(kDrawTargetBack);

    GraphImage image;
    graph = BlackGraph(&image);
    FreeGraphImage(&image);
    SetBlendMode(kSubtractiveBlend, kHalfParameter);
    PutGraph(0, 0, graph, 1);
    SetBlendMode(0, 0);
    SelectDrawTarget(kDrawTargetFront);
    PutGraph(0, 0, graph, 1);
    DisposeGraph(graph, 0);

    graph = BlackGraph(&image);
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    PutGraphStretched(0, 0, width, height, graph, 0);
    DisposeGraph(graph, 0);
    FreeGraphImage(&image);
}

}  // namespace layer
