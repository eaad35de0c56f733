#include "game/core/processing_point.h"

#include "game/core/format_text.h"
#include "game/core/processing_point_texts.h"

namespace game {
namespace {}  // namespace

ProcessingPoint TheProcessingPoint;

std::string GetProcessingPointText() {
    return FormatText(kPointFormat, TheProcessingPoint.mapEvent, TheProcessingPoint.commonEvent,
                      TheProcessingPoint.line);
}

}  // namespace game
