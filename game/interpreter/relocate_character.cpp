// The placement command: a character put on the map, or a transfer of the hero requested.
#include <algorithm>

#include "game/core/database.h"
#include "game/core/screen_state.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/input_and_value_commands.h"
#include "game/map/map_character.h"
#include "game/map/map_state.h"
#include "game/map/party.h"

namespace game {
namespace {

constexpr std::int32_t kHero = -1;
constexpr std::int32_t kRunningEvent = -2;
constexpr std::int32_t kLocationRow = -10001;
constexpr std::int32_t kCurrentMap = -1;
// Read subjects from here down name no character.
constexpr std::int32_t kNoSubject = -1000;
constexpr std::int32_t kHalfTiles = 0x01;
// System database type of the location rows: contents 0 to 2 the map, x and y.
constexpr int kLocationType = 7;

std::int32_t Doubled(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(2 * value, INT32_MIN, INT32_MAX));
}

bool TransferCanStart() {
    const ScreenState& screen = TheScreenState;
    return screen.TransferPending == 0 && screen.windowBusy == 0 && screen.TransitionRunning == 0;
}

void RequestTransfer(std::int32_t map, std::int32_t x, std::int32_t y) {
    ScreenState& screen = TheScreenState;
    screen.TransferPending = 1;
    screen.transferMap = map;
    screen.transferX = x;
    screen.transferY = y;
    screen.transferDirection = TheParty.direction;
}

void TransferHero(EventInterpreter& interpreter, const EventCommand& line) {
    const std::int32_t map = Arg(line, 4) == kCurrentMap
                                 ? TheMapState.mapNumber
                                 : interpreter.ReadInterpreterValue(Arg(line, 4));
    std::int32_t x = interpreter.ReadInterpreterValue(Arg(line, 2));
    std::int32_t y = interpreter.ReadInterpreterValue(Arg(line, 3));
    if ((Arg(line, 5) & kHalfTiles) == 0) {
        x = Doubled(x);
        y = Doubled(y);
    }
    RequestTransfer(map, x, y);
}

// Each content may itself hold a variable ID.
void TransferToLocation(EventInterpreter& interpreter, const EventCommand& line) {
    const std::int32_t row = interpreter.ReadInterpreterValue(Arg(line, 2));
    auto content = [&](int index) {
        return interpreter.ReadInterpreterValue(SysDataBase.ReadDBValue(kLocationType, row, index));
    };
    const std::int32_t map = content(0);
    const std::int32_t x = content(1);
    const std::int32_t y = content(2);
    RequestTransfer(map, Doubled(x), Doubled(y));
}

}  // namespace

std::uint8_t RelocateCharacter(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t subject = Arg(line, 1);
    if (subject == kHero || subject == kLocationRow) {
        if (!TransferCanStart())
            return 0;
        if (subject == kHero)
            TransferHero(interpreter, line);
        else
            TransferToLocation(interpreter, line);
    } else {
        // The running event is reference -1 to the resolver, whose -2 is the hero.
        const std::int32_t reference =
            subject == kRunningEvent ? -1 : interpreter.ReadInterpreterValue(subject);
        if (reference <= kNoSubject)
            return 1;
        MapCharacter* character = CharacterOfReference(interpreter, reference);
        if (character == nullptr)
            return 1;
        const std::int32_t x = interpreter.ReadInterpreterValue(Arg(line, 2));
        const std::int32_t y = interpreter.ReadInterpreterValue(Arg(line, 3));
        PlaceCharacter(*character, x, y, Arg(line, 5) & kHalfTiles);
    }
    interpreter.waitFrames = 1;
    return 1;
}

}  // namespace game
