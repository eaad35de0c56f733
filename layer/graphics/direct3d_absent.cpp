// The 3D side in the state of this wave: there is no 3D interface object, so no graph is
// texture-based and every 3D operation refuses or does nothing.
#include "layer/core/layer_log.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_system_texts.h"

namespace layer {

int HasDirect3DObject() {
    return 0;
}

// The display object has no 3D interface to give.
int StartDirect3D() {
    WriteLog(kDirect3DStartText);
    WriteLog(kFetchDirect3DText);
    if (direct_draw.object == nullptr ||
        platform::QueryDirect3D(direct_draw.object->display) != platform::kDisplayOk) {
        return WriteLog(kDirect3DFailedText);
    }
    return -1;
}

int IsDirect3DWanted() {
    return 0;
}

int ClearDirect3DWanted() {
    return 0;
}

int QueryDirect3DObject() {
    return -1;
}

int RecreateDevice3D() {
    return -1;
}

int EndScene3D() {
    return -1;
}

int FlushVertexBatch() {
    return -1;
}

int SetBlendTexture3D(int, int, int) {
    return -1;
}

int SelectDrawTarget3D(int) {
    return 0;
}

int NotifyDrawStateChange3D() {
    return 0;
}

int DeleteAllSurfaces3D() {
    return -1;
}

int BuildGraphTextures(GraphRecord*) {
    return -1;
}

int DeriveGraphTextures(GraphRecord*, int, int, int, int, const GraphRecord*) {
    return -1;
}

int DeleteGraphTextures(GraphRecord*) {
    return -1;
}

int FillGraphTextures(GraphRecord*, int, int, int, int) {
    return -1;
}

int WriteImageRectToGraphTiles(const PictureSource&, const Rect&, int, int, GraphRecord*) {
    return -1;
}

int WriteImageToGraphTiles(const PictureSource&, int, int, GraphRecord*) {
    return -1;
}

int SetDrawTargetTexture2D(GraphRecord*) {
    return -1;
}

int ReleaseDirect3DObject() {
    return -1;
}

int RestoreSurfaces3D() {
    return -1;
}

int DrawGraphTextured(int, int, GraphRecord*, int) {
    return -1;
}

int DrawGraphStretchedTextured(int, int, int, int, GraphRecord*, int) {
    return -1;
}

int DrawGraphRotatedTextured(float, float, double, double, GraphRecord*, int, int) {
    return -1;
}

int DrawGraphCornersTextured(const float*, GraphRecord*, int) {
    return -1;
}

int FillBoxTextured(int, int, int, int, std::uint32_t) {
    return -1;
}

int OutlineBoxTextured(int, int, int, int, std::uint32_t) {
    return -1;
}

int ClearTargetTexture() {
    return -1;
}

int CaptureScreenTextured(int, int, int, int, GraphRecord*, int) {
    return -1;
}

}  // namespace layer
