#include "game/core/processing_point.h"

#include "game/core/format_text.h"

namespace game {
namespace {

// "処理地点:【マップEv %d コモンEv %d 行%d】  　※もし並列処理のｴﾗｰなら地点不明です"
constexpr char kPointFormat[] =
    "\x8F\x88\x97\x9D\x92n\x93_:\x81y\x83}\x83"
    "b\x83vEv %d \x83R\x83\x82\x83\x93"
    "Ev %d \x8Ds%d\x81z  \x81@\x81\xA6\x82\xE0\x82\xB5\x95\xC0\x97\xF1\x8F\x88\x97\x9D\x82\xCC"
    "\xB4\xD7\xB0\x82\xC8\x82\xE7\x92n\x93_\x95s\x96\xBE\x82\xC5\x82\xB7";

}  // namespace

ProcessingPoint TheProcessingPoint;

std::string GetProcessingPointText() {
    return FormatText(kPointFormat, TheProcessingPoint.mapEvent, TheProcessingPoint.commonEvent,
                      TheProcessingPoint.line);
}

}  // namespace game
