#pragma once

namespace game {

// The layer's draw entries that the picture drawing calls. They go through this table so
// that tests can log the geometry and the passes; the default entries are the layer's own.
struct PictureLayerCalls {
    int (*ChangeBlendMode)(int mode, int parameter);
    int (*ChangeBrightRgb)(int red, int green, int blue);
    int (*PaintGraphStretched)(int x1, int y1, int x2, int y2, int graph, int transparent);
    int (*PaintGraphRotated)(int x, int y, double scale, double angle, int graph, int transparent,
                             int turn);
};

// The layer's entries.
PictureLayerCalls LayerPictureCalls();

extern PictureLayerCalls ThePictureLayerCalls;

}  // namespace game
