#include "game/core/game_folder.h"

#include "game/core/shift_jis_byte_kind.h"

namespace game {

std::string GameFolder;

std::string GetExeDirectory() {
    if (GameFolder.empty())
        return GameFolder;
    // A final 0x5C may be the second byte of a two-byte character, not a separator.
    const char last = GameFolder.back();
    if ((last == '\\' || last == '/') &&
        GetShiftJisByteKind(GameFolder, GameFolder.size() - 1) != kTrailByte)
        return GameFolder;
    return GameFolder + "\\";
}

}  // namespace game
