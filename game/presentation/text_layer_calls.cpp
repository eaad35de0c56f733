#include "game/presentation/text_layer_calls.h"

#include "layer/core/layer_api.h"

namespace game {

TextLayerCalls LayerTextCalls() {
    return {layer::SetStandardFontType,
            layer::SetStandardFontThickness,
            layer::SetStandardFontFace,
            layer::OpenFontHandle,
            layer::ResetFonts,
            layer::GetInstalledFontNames,
            layer::MeasureTextWidthWithFont,
            layer::PrintTextWithFont,
            layer::PrintTextScaledWithFont,
            layer::MakeScreenColor,
            layer::PaintGraphStretched,
            layer::PaintGraphPart,
            layer::GetGraphExtent,
            layer::CreateSubGraph,
            layer::RemoveGraph,
            layer::ChangeBlendMode};
}

TextLayerCalls TheTextLayerCalls = LayerTextCalls();

}  // namespace game
