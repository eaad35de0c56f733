#include "game/presentation/sound_manager.h"

#include "game/interpreter/main_interpreter.h"

namespace game {

SoundManager TheSoundManager;

int SoundManager::GetOggLengthAdjustment(int kind) const {
    if (kind < 0 || kind > 1)
        return 0;
    const int number =
        kind == 0 ? TheMainInterpreter.CurrentMusicNumber : TheMainInterpreter.CurrentBgsNumber;
    const auto& flags = oggFlags[static_cast<std::size_t>(kind)];
    if (number < 0 || static_cast<std::size_t>(number) >= flags.size())
        return 0;
    return -1000 * flags[static_cast<std::size_t>(number)];
}

int GGSTempoDepth(int) {
    return 0;
}

}  // namespace game
