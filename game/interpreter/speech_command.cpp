// The speech command: a text spoken by the outside speech library and played as a sound
// effect.
#include "game/core/error_box.h"
#include "game/core/processing_point.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/input_and_value_commands.h"
#include "game/interpreter/message_text.h"
#include "game/interpreter/speech_command_texts.h"
#include "game/map/map_state.h"
#include "game/presentation/sound_manager.h"
#include "game/presentation/speech.h"

namespace game {
namespace {

constexpr int kSoundEffect = 2;
// SynthesizeSpeech's answer when nothing was made.
constexpr std::int32_t kNothingMade = -10;

}  // namespace

std::uint8_t PlaySpeech(EventInterpreter& interpreter) {
    if (!CanSynthesizeSpeech()) {
        ShowErrorBox(kSpeechCommandFailed, kSpeechLibraryMissing, GetProcessingPointText());
        return 1;
    }
    const EventCommand& line = interpreter.CurrentLine();
    // Only the references are substituted: escapes reach the speech library as written.
    MessageTextOptions options;
    options.substitutionsOnly = true;
    options.atLine = true;
    const std::string text =
        ExpandMessageText(Str(line, 0), interpreter.eventNumber, interpreter.commonNumber,
                          TheMapState.mapNumber, options);
    const std::int32_t volume = interpreter.ReadInterpreterValue(Arg(line, 1));
    const std::int32_t speed = interpreter.ReadInterpreterValue(Arg(line, 2));
    const std::int32_t frequency = interpreter.ReadInterpreterValue(Arg(line, 3));
    const std::int32_t entry = TheSoundManager.SynthesizeSpeech(text, speed, volume, frequency);
    if (entry == kNothingMade)
        return 1;
    TheSoundManager.PlaySoundByNumber(kSoundEffect, entry,
                                      interpreter.ReadInterpreterValue(Arg(line, 4)), 0);
    return 1;
}

}  // namespace game
