#pragma once

#include <cstdint>
#include <vector>

#include "game/core/input_mapping.h"

namespace game {

class SaveBuffer;

// The run-length record of the eight held key flags of every frame, headed by the game
// random generator's seed. Entries 1 to 249 are runs of the key byte in Values held that
// many frames (0 a run playback used up); 250 and up are markers with a value: 250 the seed
// the record started from, 251 a seed playback must find, the others passed over.
class ReplayRecorder {
  public:
    static constexpr std::uint8_t kLongestRun = 240;
    static constexpr std::uint8_t kSeedMarker = 250;
    static constexpr std::uint8_t kSeedCheckMarker = 251;

    // Holds one entry: the game random generator's current seed.
    ReplayRecorder();

    // Stores the pending run, if any, and clears it.
    void FlushReplayRun();
    void PushReplaySeed(std::int32_t seed);
    // Records one frame.
    void RecordReplayKeys(const ReplayKeys& keys);
    // Plays one frame, passing the markers and used-up runs before it; at the end of the
    // record reports it, sets ReplayFinished and gives no keys. Uses the record up.
    ReplayKeys PlayReplayKeys();

    // The replay part of a save: the saves written here carry none (one byte 0).
    bool WriteReplayPart(SaveBuffer& save) const;
    // Reads a replay part; a part that carries none leaves the recorder as it is.
    bool ReadReplayPart(SaveBuffer& save);

    std::uint8_t CurrentKeys = 0;
    std::int32_t RunLength = 0;
    std::vector<std::uint8_t> Entries;
    std::vector<std::int32_t> Values;
    std::uint32_t ReadIndex = 0;
    std::uint32_t FramesPlayed = 0;

  private:
    void StoreEntry(std::uint8_t entry, std::int32_t value);
};

extern ReplayRecorder TheReplayRecorder;

// Set while a recorded game is played back instead of the devices, and when its record ended.
extern std::uint8_t ReplayActive;
extern std::uint8_t ReplayFinished;

// The key byte of a frame's flags: up in bit 0 to the fourth pad button in bit 7.
std::uint8_t PackReplayKeys(const ReplayKeys& keys);

}  // namespace game
