#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace game {

// The basic information of the game from "Game.dat": flags (tile size, frame-rate divisor,
// movement rules, text and font settings), strings (title, archive key, font names, hero
// graphic) and 16-bit values. Lists only ever grow past their defaults.
class GameInfo {
  public:
    GameInfo();

    std::vector<std::int8_t> gameFlags;
    std::vector<std::uint16_t> gameValues16;
    std::vector<std::string> gameStrings;
};

extern GameInfo TheGameInfo;

// Sizes the lists (18 flags, 8 strings, one 16-bit value) and sets their defaults.
void SetNewGameDefaults(GameInfo& gameInfo);

// Reads a "Game.dat" image into gameInfo; the values read stay even when the file turns
// out damaged. False when it is damaged (a field or table outside the file, a bad count, or
// a wrong end byte). Flag 3 is set to 1 either way.
bool ParseGameInfo(GameInfo& gameInfo, std::span<const std::uint8_t> file);

// Loads the file at path; a damaged file is reported and its values are used. False only
// when the file is missing (after the message box).
bool LoadGameInfo(GameInfo& gameInfo, const std::string& path);

}  // namespace game
