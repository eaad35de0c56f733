#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace game {

// Where a scrambled file keeps its seeds and check bytes: the body after `headerLength`
// header bytes is scrambled as a whole.
struct DataFileFrame {
    int headerLength;
    std::array<int, 3> seedPositions;
    std::array<int, 3> checkPositions;
};

// "BasicData\CommonEvent.dat", the databases and the map files.
inline constexpr DataFileFrame kDataFileFrame{10, {0, 3, 9}, {2, 6, 8}};
inline constexpr DataFileFrame kMapFileFrame{20, {0, 3, 9}, {2, 6, 8}};
inline constexpr DataFileFrame kSaveFileFrame{20, {0, 3, 9}, {2, 6, 8}};
inline constexpr DataFileFrame kGameDatFrame{10, {0, 8, 6}, {2, 3, 4}};

enum class CheckMode { kNone, kStore, kVerify };

using ScrambleSeeds = std::array<std::uint8_t, 3>;
using CheckBytes = std::array<std::uint8_t, 3>;

// Scrambles or descrambles bytes [start, end) of data in three passes of strides 1, 2 and 5,
// one per given seed; the XOR is its own inverse. With some seeds given and all of them 0
// nothing happens. kStore puts the 8-bit sum of the plain range into checks[0] before
// scrambling; kVerify compares the sum of the descrambled range with checks[0] and returns
// false on a difference. Only checks[0] is ever used.
bool DescrambleDataFile(std::span<std::uint8_t> data, std::size_t start, std::size_t end,
                        std::span<const std::uint8_t> seeds, CheckMode checkMode,
                        CheckBytes& checks);

ScrambleSeeds ReadFrameSeeds(std::span<const std::uint8_t> file, const DataFileFrame& frame);
CheckBytes ReadFrameChecks(std::span<const std::uint8_t> file, const DataFileFrame& frame);
bool HasSeeds(const ScrambleSeeds& seeds);

// Seeds for a file written now, drawn from the calendar time, each (draw >> 4) & 0xFF, drawn
// once more when all three come out 0; and the generator's state after those draws.
struct ScrambleHeader {
    ScrambleSeeds seeds;
    std::uint32_t generatorState;
};
ScrambleHeader ChooseScrambleHeader(std::uint32_t timeSeconds);

// Finishes a file whose body stands behind `frame.headerLength` bytes: stores the check of
// the plain body, scrambles it, and writes the header from the filler (zeros when the filler
// is short), the seeds and the check bytes. All-zero seeds leave the body plain.
void SealDataFile(std::vector<std::uint8_t>& file, const DataFileFrame& frame,
                  const ScrambleSeeds& seeds, std::span<const std::uint8_t> filler = {});
// The same as the game writes its files: the filler is one further draw of the scrambler's
// generator per header byte, (draw >> 8) & 0xFF, going on after the scrambling passes, or
// from `header.generatorState` when the seeds leave the body plain.
void SealDataFile(std::vector<std::uint8_t>& file, const DataFileFrame& frame,
                  const ScrambleHeader& header);

// A file read back: a copy with the body behind the header descrambled, and the seeds and
// check bytes its header held.
struct OpenedDataFile {
    std::vector<std::uint8_t> image;
    ScrambleSeeds seeds;
    CheckBytes checks;
};
OpenedDataFile OpenDataFile(std::span<const std::uint8_t> file, const DataFileFrame& frame);
// Whether the plain body as read, bytes [frame.headerLength, end) of `image`, sums to the
// check the opened file's header held; always true for a file stored plain (all-zero seeds).
bool DataFileBodyIntact(std::span<const std::uint8_t> image, const DataFileFrame& frame,
                        const OpenedDataFile& opened, std::size_t end);

}  // namespace game
