// The sound command: an entry of one of the three sound lists, or a file named by a text,
// played, loaded ahead or released.
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/input_and_value_commands.h"
#include "game/interpreter/message_text.h"
#include "game/map/map_state.h"
#include "game/presentation/sound_manager.h"

namespace game {
namespace {

constexpr int kPlay = 0;
constexpr int kLoad = 1;
constexpr int kRelease = 2;
constexpr int kBackgroundSound = 1;
constexpr int kSoundEffect = 2;
constexpr int kNumberInOptions = 0;
constexpr int kNumberFromValue = 1;
constexpr int kNumberFromFileName = 2;
constexpr std::int32_t kStop = -1;
// The number of no sound: nothing is played or loaded.
constexpr std::int32_t kNoSound = -2;
// RegisterSoundFile's answer for a file that already plays: only its volume changed.
constexpr std::int32_t kAlreadyPlaying = -10;

// The text names the file, its references substituted on the map now loaded after a leading
// "@" line; the arguments give fade, volume, tempo and a fourth value.
std::int32_t RegisterNamedSound(EventInterpreter& interpreter, const EventCommand& line, int kind) {
    MessageTextOptions options;
    options.substitutionsOnly = true;
    options.atLine = true;
    const std::string name = RevertControlCodes(
        ExpandMessageText(Str(line, 0), interpreter.eventNumber, interpreter.commonNumber,
                          TheMapState.mapNumber, options));
    const std::int32_t fade = interpreter.ReadInterpreterValue(Arg(line, 2));
    const std::int32_t fourth =
        kind <= kBackgroundSound ? interpreter.ReadInterpreterValue(Arg(line, 7)) : 0;
    const std::int32_t volume = interpreter.ReadInterpreterValue(Arg(line, 5));
    const std::int32_t tempo = interpreter.ReadInterpreterValue(Arg(line, 6));
    return TheSoundManager.RegisterSoundFile(name, kind, fade, fourth, volume, tempo);
}

}  // namespace

std::uint8_t PlaySoundCommand(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t options = Arg(line, 1);
    const int operation = options & 0x0F;
    const int kind = (options >> 4) & 0x0F;
    const int source = (options >> 24) & 0x0F;
    if (kind > kSoundEffect || source > kNumberFromFileName)
        return 1;
    std::int32_t number = 0;
    if (source == kNumberInOptions) {
        number = (options >> 8) & 0xFFFF;
    } else if (source == kNumberFromValue) {
        number = interpreter.ReadInterpreterValue(Arg(line, 3));
        if (operation == kRelease && number == kStop)
            return 1;
    } else {
        number = RegisterNamedSound(interpreter, line, kind);
        if (number == kAlreadyPlaying)
            return 1;
    }
    const std::int32_t startMs = interpreter.ReadInterpreterValue(Arg(line, 4));
    if (operation == kPlay && number != kNoSound) {
        const std::int32_t fade = interpreter.ReadInterpreterValue(Arg(line, 2));
        TheSoundManager.PlaySoundByNumber(kind, number, fade, startMs);
    } else if (operation == kLoad && number != kNoSound) {
        TheSoundManager.LoadSoundByNumber(kind, number);
    } else if (operation == kRelease) {
        TheSoundManager.ReleaseSoundByNumber(kind, number);
    }
    return 1;
}

}  // namespace game
