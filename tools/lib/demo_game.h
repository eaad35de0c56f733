#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "game/core/common_event.h"

namespace tools {

// The play counter: V30 of the file "Save\System.sav", counted up at every start of a play.
inline constexpr std::int32_t kDemoPlayCounterVariable = 2000030;
inline constexpr char kDemoPlayCounterFile[] = "Save\\System.sav";

// Writes the demo game into a folder (made when missing): "Game.dat", the three databases
// and "BasicData\CommonEvent.dat" under "Data". Its title runs in common events: a message,
// then the choice "はじめから" / "つづきから" / "おわる", the first two counting a play; the first
// item sets V0 = 1, asks a name into S2 (typed, starting from "ゆうしゃ", Esc keeps it), greets by
// it and calls "ゲーム開始" with two numbers and one text; the second loads save slot 1 (with a
// message when there is none); a parallel clock adds 1 to V1 every frame. Its maps: the tile set,
// the start map (map 0) and a looping map (map 1) with their pictures, and the panorama and fog
// entries of the system database. The title's message has an outline, sizes, colours, icons and a
// reading; the system database names the window pictures (type 10) and 14 text colours (type 12),
// and "BasicData" holds three icons with their list file; a movie clip lies in "Movie". False
// when a file cannot be written. extraCommonEvents follow the demo's own four common events.
bool WriteDemoGame(const std::filesystem::path& folder,
                   const std::vector<game::CommonEvent>& extraCommonEvents = {});

}  // namespace tools
