#include "game/presentation/picture_layer_calls.h"

#include "layer/core/layer_api.h"

namespace game {

PictureLayerCalls LayerPictureCalls() {
    return {layer::ChangeBlendMode, layer::ChangeBrightRgb, layer::PaintGraphStretched,
            layer::PaintGraphRotated};
}

PictureLayerCalls ThePictureLayerCalls = LayerPictureCalls();

}  // namespace game
