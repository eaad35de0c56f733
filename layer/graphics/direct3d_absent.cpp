// The 3D side in the state of this wave: there is no 3D interface object, so no graph is
// texture-based and every 3D operation refuses or does nothing.
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/graphics_services.h"

namespace layer {

int HasDirect3DObject() {
    return 0;
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

}  // namespace layer
