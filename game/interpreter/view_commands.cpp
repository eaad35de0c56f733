// The screen shake and the view scroll.
#include <algorithm>

#include "game/core/display_scale.h"
#include "game/core/screen_state.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/party_and_view_commands.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/map/state_setters.h"
#include "game/map/view_motion.h"

namespace game {
namespace {

constexpr int kStopShakes = 2;
constexpr std::int32_t kScrollWait = 0x100;
constexpr std::int32_t kOffsetsInPixels = 0x200;
// The screen in tiles, and the hero's place on it in half tiles less one.
constexpr std::int64_t kScreenTilesX = 20;
constexpr std::int64_t kScreenTilesY = 15;
constexpr std::int64_t kCentreX = 19;
constexpr std::int64_t kCentreY = 14;

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Quarter pixels of an offset in tiles (divisor 1) or pixels (divisor T).
int QuarterPixels(std::int64_t value, std::int64_t divisor) {
    return ClampToInt(value * 2 * TileSize / divisor * 2);
}

// On an axis that does not loop the view stays on the map; the far edge is applied first, so
// a map smaller than the screen scrolls to 0.
std::int64_t KeepOnMap(std::int64_t position, bool loops, std::int64_t mapTiles,
                       std::int64_t screenTiles) {
    if (loops)
        return position;
    position = std::min(position, (mapTiles - screenTiles) * 4 * TileSize);
    return std::max<std::int64_t>(position, 0);
}

void ScrollByOffsets(EventInterpreter& interpreter, const EventCommand& line, int speed) {
    const std::int64_t divisor = (Arg(line, 1) & kOffsetsInPixels) != 0 ? TileSize : 1;
    const std::int32_t y = interpreter.ReadInterpreterValue(Arg(line, 3));
    const std::int32_t x = interpreter.ReadInterpreterValue(Arg(line, 2));
    StartViewScroll(TheMapState, QuarterPixels(x, divisor), QuarterPixels(y, divisor), speed);
}

// Centres the hero on the 20 x 15-tile screen.
void ScrollToHero(int speed) {
    MapState& map = TheMapState;
    const std::int64_t t = TileSize;
    const std::int64_t x = KeepOnMap(2 * t * TheParty.x - 2 * kCentreX * t,
                                     map.loopsHorizontally != 0, GetMapWidth(), kScreenTilesX);
    const std::int64_t y = KeepOnMap(2 * t * TheParty.y - 2 * kCentreY * t,
                                     map.loopsVertically != 0, GetMapHeight(), kScreenTilesY);
    StartViewScroll(map, ClampToInt(x - map.scrollX), ClampToInt(y - map.scrollY), speed);
}

}  // namespace

std::uint8_t StartScreenShake(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t options = Arg(line, 1);
    const int kind = (options >> 8) & 0x0F;
    if (kind == 0 || kind == 1)
        SetViewShake(TheMapState, options & 0x0F, (options >> 4) & 0x0F, kind,
                     interpreter.ReadInterpreterValue(Arg(line, 2)));
    else if (kind == kStopShakes)
        StopMapShakes(TheMapState);
    return 1;
}

std::uint8_t ScrollView(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t options = Arg(line, 1);
    const int mode = options & 0x0F;
    const int speed = (options >> 4) & 0x0F;
    if (mode == 0 || mode == 1) {
        if (mode == 0)
            ScrollByOffsets(interpreter, line, speed);
        else
            ScrollToHero(speed);
        TheScreenState.scrollWait = (options & kScrollWait) != 0 ? 1 : 0;
    } else if (mode == 2 || mode == 3) {
        TheMainInterpreter.ScrollLocked = mode == 2 ? 1 : 0;
    }
    return 1;
}

}  // namespace game
