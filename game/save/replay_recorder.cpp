#include "game/save/replay_recorder.h"

#include <string_view>

#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/game_random.h"
#include "game/core/input_state.h"
#include "game/core/save_buffer.h"
#include "game/save/replay_recorder_texts.h"

namespace game {
namespace {

constexpr std::uint8_t kPresent = 1;
// A seed check this early in the record is never compared.
constexpr std::uint32_t kFirstCheckedIndex = 10;
// Every stored entry takes at least its code and a one-byte value.
constexpr std::size_t kSmallestEntryBytes = 2;

std::int32_t CurrentSeed() {
    return static_cast<std::int32_t>(GameRandomControl(static_cast<int>(RandomMode::kRead)));
}

ReplayKeys UnpackReplayKeys(std::uint8_t key) {
    ReplayKeys keys;
    std::uint8_t* flags[] = {&keys.up,      &keys.down,   &keys.left, &keys.right,
                             &keys.confirm, &keys.cancel, &keys.sub,  &keys.fourth};
    for (int bit = 0; bit < 8; ++bit)
        *flags[bit] = static_cast<std::uint8_t>(key >> bit & 1);
    return keys;
}

// The playback's reports wait on the viewer's own confirm: their wait must not play frames.
// The game's input stays as playback left it.
void ReportDuringPlayback(std::string_view line) {
    const InputState kept = TheInputState;
    ShowErrorBoxPolling(&PollErrorBoxLive, line, "", "");
    TheInputState = kept;
}

}  // namespace

ReplayRecorder TheReplayRecorder;
std::uint8_t ReplayActive = 0;
std::uint8_t ReplayFinished = 0;

std::uint8_t PackReplayKeys(const ReplayKeys& keys) {
    const std::uint8_t flags[] = {keys.up,      keys.down,   keys.left, keys.right,
                                  keys.confirm, keys.cancel, keys.sub,  keys.fourth};
    std::uint8_t key = 0;
    for (int bit = 0; bit < 8; ++bit)
        key = static_cast<std::uint8_t>(key | (flags[bit] != 0) << bit);
    return key;
}

ReplayRecorder::ReplayRecorder() {
    PushReplaySeed(CurrentSeed());
}

void ReplayRecorder::StoreEntry(std::uint8_t entry, std::int32_t value) {
    Entries.push_back(entry);
    Values.push_back(value);
}

void ReplayRecorder::FlushReplayRun() {
    if (RunLength != 0)
        StoreEntry(static_cast<std::uint8_t>(RunLength), CurrentKeys);
    CurrentKeys = 0;
    RunLength = 0;
}

void ReplayRecorder::PushReplaySeed(std::int32_t seed) {
    FlushReplayRun();
    StoreEntry(kSeedMarker, seed);
}

void ReplayRecorder::RecordReplayKeys(const ReplayKeys& keys) {
    const std::uint8_t key = PackReplayKeys(keys);
    if (key == CurrentKeys) {
        if (++RunLength >= kLongestRun) {
            StoreEntry(kLongestRun, CurrentKeys);
            RunLength = 0;
        }
        return;
    }
    if (RunLength != 0)
        StoreEntry(static_cast<std::uint8_t>(RunLength), CurrentKeys);
    CurrentKeys = key;
    RunLength = 1;
}

ReplayKeys ReplayRecorder::PlayReplayKeys() {
    ReplayKeys keys;
    for (;;) {
        if (ReadIndex >= Entries.size()) {
            ReportDuringPlayback(kReplayEnded);
            ReplayFinished = 1;
            break;
        }
        std::uint8_t& entry = Entries[ReadIndex];
        const std::int32_t value = Values[ReadIndex];
        if (entry >= kSeedMarker) {
            if (entry == kSeedCheckMarker && ReadIndex >= kFirstCheckedIndex &&
                CurrentSeed() != value)
                ReportDuringPlayback(FormatText(kSeedMismatchFormat, value, CurrentSeed()));
            ++ReadIndex;
            continue;
        }
        if (entry == 0) {
            ++ReadIndex;
            continue;
        }
        if (value != 0)
            keys = UnpackReplayKeys(static_cast<std::uint8_t>(value));
        --entry;
        break;
    }
    ++FramesPlayed;
    return keys;
}

bool ReplayRecorder::WriteReplayPart(SaveBuffer& save) const {
    save.WriteByte(0);
    return true;
}

bool ReplayRecorder::ReadReplayPart(SaveBuffer& save) {
    std::uint8_t present = 0;
    if (!save.ReadByte(present))
        return false;
    if (present != kPresent)
        return true;
    std::int32_t count = 0;
    if (!save.ReadInt(count))
        return false;
    const auto entries = static_cast<std::uint32_t>(count);
    if (!save.CountFits(entries, kSmallestEntryBytes))
        return false;
    Entries.assign(entries, 0);
    Values.assign(entries, 0);
    for (std::uint32_t i = 0; i < entries; ++i) {
        if (!save.ReadByte(Entries[i]))
            return false;
        if (Entries[i] >= kSeedMarker) {
            if (!save.ReadInt(Values[i]))
                return false;
        } else {
            std::uint8_t key = 0;
            if (!save.ReadByte(key))
                return false;
            Values[i] = key;
        }
    }
    return true;
}

}  // namespace game
