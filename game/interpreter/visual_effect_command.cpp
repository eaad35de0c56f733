// The visual-effect command: timed effects on pictures, on a character, and the view's zoom.
// Each argument is read once, in the order the game reads them.
#include <algorithm>

#include "game/interpreter/command_args.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/party_and_view_commands.h"
#include "game/map/map_state.h"
#include "game/map/state_setters.h"
#include "game/map/view_motion.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/picture_update.h"

namespace game {
namespace {

constexpr int kPictures = 0;
constexpr int kCharacter = 1;
constexpr int kMapView = 2;
constexpr int kFlash = 0;
constexpr int kShake = 1;
constexpr int kZoom = 0;

std::int32_t ReadArgument(EventInterpreter& interpreter, const EventCommand& line,
                          std::size_t index) {
    return interpreter.ReadInterpreterValue(Arg(line, index));
}

// A colour channel of -100 to 100 packed as 0 to 200.
std::int32_t FlashChannel(std::int32_t value) {
    return std::clamp(value, -100, 100) + 100;
}

void PictureEffect(EventInterpreter& interpreter, const EventCommand& line, int kind) {
    auto read = [&](std::size_t index) { return ReadArgument(interpreter, line, index); };
    const std::int32_t first = read(3);
    const std::int32_t last = read(4);
    const std::int32_t duration = read(2);
    const std::int32_t c = read(7);
    const std::int32_t b = read(6);
    const std::int32_t a = read(5);
    ApplyPictureEffect(ThePictureList, first, last, kind, a, b, c, duration);
}

void CharacterEffect(EventInterpreter& interpreter, const EventCommand& line, int kind) {
    auto read = [&](std::size_t index) { return ReadArgument(interpreter, line, index); };
    MapCharacter* character = ResolveCharacterRef(interpreter, Arg(line, 3));
    if (character == nullptr)
        return;
    if (kind == kFlash) {
        const std::int32_t r = read(5);
        const std::int32_t g = read(6);
        const std::int32_t b = read(7);
        const std::int32_t colour =
            FlashChannel(r) * 65536 + FlashChannel(g) * 256 + FlashChannel(b);
        SetCharacterFlash(*character, colour, read(2));
    } else if (kind == kShake) {
        const std::int32_t duration = read(2);
        const std::int32_t swings = read(7);
        const std::int32_t y = read(6);
        const std::int32_t x = read(5);
        SetCharacterShake(*character, x, y, swings, duration);
    }
}

void ViewZoom(EventInterpreter& interpreter, const EventCommand& line) {
    auto read = [&](std::size_t index) { return ReadArgument(interpreter, line, index); };
    const std::int32_t frames = read(2);
    const std::int32_t percent = read(7);
    const std::int32_t centreY = read(6);
    const std::int32_t centreX = read(5);
    StartViewZoom(TheMapState, centreX, centreY, percent, frames);
}

}  // namespace

std::uint8_t ApplyVisualEffect(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t options = Arg(line, 1);
    const int mode = options & 0x0F;
    const int kind = (options >> 4) & 0x0F;
    if (mode == kPictures)
        PictureEffect(interpreter, line, kind);
    else if (mode == kCharacter)
        CharacterEffect(interpreter, line, kind);
    else if (mode == kMapView && kind == kZoom)
        ViewZoom(interpreter, line);
    return 1;
}

}  // namespace game
