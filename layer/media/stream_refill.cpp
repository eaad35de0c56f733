#include <algorithm>
#include <cstring>

#include "layer/media/stream_sound.h"

namespace layer {
namespace {

// W before the first fill.
constexpr int kFirstFillMark = -800;
constexpr int kRingSeconds = 6;
constexpr int kAheadSeconds = 4;
// Written ahead of the cursor, in 1/128 s, that a pass tops the ring up to.
constexpr int kTopUpTo = 384;

int AverageBytes(const SoundRecord* record) {
    return static_cast<int>(record->format.average_bytes_per_second);
}

int RingSize(const SoundRecord* record) {
    return kRingSeconds * AverageBytes(record);
}

// An eighth of a second in whole blocks.
int EighthSecond(const SoundRecord* record) {
    const int block = record->format.block_align;
    return AverageBytes(record) / 8 / block * block;
}

int Wrap(std::int64_t offset, int ring) {
    const std::int64_t wrapped = offset % ring;
    return static_cast<int>(wrapped < 0 ? wrapped + ring : wrapped);
}

// P lies in [low, high] in ring order.
bool InRingRange(std::uint32_t cursor, int low, int high) {
    const auto p = static_cast<std::int64_t>(cursor);
    return low <= high ? low <= p && p <= high : p >= low || p <= high;
}

// The cursor moved from `from` to `to` past `mark`.
bool PassedInRing(std::uint32_t mark, std::uint32_t from, std::uint32_t to) {
    return from < to ? from < mark && mark <= to : mark > from || mark <= to;
}

std::uint32_t RingDistance(std::uint32_t from, std::uint32_t to, int ring) {
    return to >= from ? to - from : static_cast<std::uint32_t>(ring) - from + to;
}

// The ring offset of the next byte a lock would write.
std::uint32_t NextRingOffset(const SoundRecord* record, const StreamLock& lock) {
    if (lock.written[1] > 0) {
        return static_cast<std::uint32_t>(lock.written[1]);
    }
    return static_cast<std::uint32_t>(Wrap(lock.offset + lock.written[0], RingSize(record)));
}

std::uint8_t* AreaAt(StreamLock* lock, int area) {
    return static_cast<std::uint8_t*>(area == 0 ? lock->areas.first : lock->areas.second) +
           lock->written[area];
}

// The data has ended: silence follows, and the refill stops the ring once the cursor passed E.
void EndStreamData(SoundRecord* record, StreamLock* lock, std::uint32_t cursor) {
    record->end_of_data = 1;
    record->end_offset = NextRingOffset(record, *lock);
    record->end_cursor = cursor;
    FillStreamSilence(record, lock, EighthSecond(record));
}

// Notes a jump back; a full list keeps the newest in its last place.
void AddPendingJump(SoundRecord* record, std::uint32_t offset, int target) {
    const int at = std::min(record->jump_count, kMaxPendingJumps - 1);
    record->jumps[at] = {offset, target};
    record->jump_count = at + 1;
}

// How many source moves without a byte make a whole pass through the sources.
int MovesPerPass(const SoundRecord* record) {
    int moves = 1;
    for (int i = 0; i < record->source_count; ++i) {
        const int repeat = record->sources[i].repeat_count;
        moves += repeat < 0 ? 1 : repeat + 1;
    }
    return moves;
}

bool LockRing(PlaybackBuffer* buffer, int offset, int count, StreamLock* lock) {
    *lock = StreamLock{};
    lock->offset = offset;
    if (count <= 0 || LockPlaybackBuffer(*buffer, offset, count, &lock->areas) != 0) {
        return false;
    }
    lock->free[0] = static_cast<int>(lock->areas.first_size);
    lock->free[1] = static_cast<int>(lock->areas.second_size);
    return true;
}

// Writes `count` bytes of the sources at `offset`, moving on through them as they end.
void WriteStream(SoundRecord* record, PlaybackBuffer* buffer, int offset, int count,
                 std::uint32_t cursor) {
    StreamLock lock;
    if (!LockRing(buffer, offset, count, &lock)) {
        return;
    }
    const int moves_per_pass = MovesPerPass(record);
    int empty_moves = 0;
    while (lock.free[0] + lock.free[1] > 0 && record->end_of_data == 0) {
        StreamSource& source = record->sources[record->current_source];
        const int got = FillFromStreamSource(&lock, &source.decoder, lock.free[0] + lock.free[1]);
        if (got > 0) {
            record->byte_position += got;
            empty_moves = 0;
            continue;
        }
        // A whole pass through the sources gave nothing: the data has ended.
        if (++empty_moves > moves_per_pass) {
            record->end_passed = 1;
            EndStreamData(record, &lock, cursor);
            break;
        }
        if (NextStreamSource(record, &lock, cursor) == -1) {
            break;
        }
    }
    UnlockPlaybackBuffer(*buffer, lock.areas);
}

void WriteSilence(SoundRecord* record, PlaybackBuffer* buffer, int offset, int count) {
    StreamLock lock;
    if (LockRing(buffer, offset, count, &lock)) {
        FillStreamSilence(record, &lock, count);
        UnlockPlaybackBuffer(*buffer, lock.areas);
    }
}

void AdvanceWrite(SoundRecord* record, int count) {
    const int ring = RingSize(record);
    record->write_offset = Wrap(static_cast<std::int64_t>(record->write_offset) + count, ring);
    record->low_water =
        Wrap(static_cast<std::int64_t>(record->write_offset) - kAheadSeconds * AverageBytes(record),
             ring);
}

SoundRecord* PrimedStream(int handle, PlaybackBuffer** buffer) {
    SoundRecord* record = FindSound(handle);
    if (record == nullptr || record->stream_flag != 1 || record->primed == 0 ||
        ClaimSharedBuffer(handle, record, buffer, 0) != 0) {
        return nullptr;
    }
    return record;
}

}  // namespace

int PrimeStreamSound(int handle) {
    SoundRecord* record = FindSound(handle);
    PlaybackBuffer* buffer = nullptr;
    int playing = 0;
    if (record == nullptr || record->stream_flag != 1 || record->source_count == 0 ||
        ClaimSharedBuffer(handle, record, &buffer, 0) != 0 ||
        GetPlaybackBufferStatus(*buffer, &playing) != 0 || playing != 0 || record->primed != 0) {
        return 0;
    }
    SetPlaybackBufferPosition(*buffer, 0);
    record->write_offset = kFirstFillMark;
    record->low_water = -1;
    record->last_cursor = 0;
    record->end_of_data = 0;
    SeekPcmDecoder(&record->sources[record->current_source].decoder,
                   record->byte_position / record->format.block_align);
    record->primed = 1;
    RefillStreamSound(handle);
    return 0;
}

void RefillStreamSound(int handle) {
    PlaybackBuffer* buffer = nullptr;
    SoundRecord* record = PrimedStream(handle, &buffer);
    if (record == nullptr) {
        return;
    }
    TrackStreamPlayPosition(handle, -1);
    const int average = AverageBytes(record);
    const int block = record->format.block_align;
    std::uint32_t cursor = 0;
    int playing = 0;
    if (GetPlaybackBufferCursor(*buffer, &cursor) != 0 ||
        GetPlaybackBufferStatus(*buffer, &playing) != 0) {
        return;
    }
    if (record->end_of_data != 0) {
        const std::uint32_t end = record->end_offset;
        const std::uint32_t then = record->end_cursor;
        if (end < cursor && (then < end || (then > cursor && then > end))) {
            StopPlaybackBuffer(*buffer);
            record->end_of_data = 0;
            return;
        }
        if (InRingRange(cursor, record->low_water, record->write_offset)) {
            WriteSilence(record, buffer, record->write_offset, EighthSecond(record));
            AdvanceWrite(record, EighthSecond(record));
        }
        return;
    }
    if (playing == 0) {
        if (record->write_offset == kFirstFillMark) {
            WriteStream(record, buffer, 0, kAheadSeconds * average / block * block, cursor);
            record->write_offset = kAheadSeconds * average;
            record->low_water = 0;
        }
        return;
    }
    if (!InRingRange(cursor, record->low_water, record->write_offset)) {
        return;
    }
    const std::int64_t ahead =
        RingDistance(cursor, static_cast<std::uint32_t>(record->write_offset), RingSize(record));
    const std::int64_t eighths = ahead * 128 / average;
    const int count = eighths >= kTopUpTo
                          ? EighthSecond(record)
                          : static_cast<int>((kTopUpTo - eighths) * average / 128 / block * block);
    if (count > 0) {
        WriteStream(record, buffer, record->write_offset, count, cursor);
        AdvanceWrite(record, count);
    }
}

int NextStreamSource(SoundRecord* record, StreamLock* lock, std::uint32_t cursor) {
    StreamSource* source = &record->sources[record->current_source];
    const int block = record->format.block_align;
    ++record->repeat_counter;
    if (source->repeat_count == -1) {
        record->byte_position = block * source->loop_sample;
        AddPendingJump(record, NextRingOffset(record, *lock), record->byte_position);
        SeekPcmDecoder(&source->decoder, source->loop_sample);
        return 0;
    }
    if (record->repeat_counter <= static_cast<std::uint8_t>(source->repeat_count)) {
        record->byte_position = 0;
        SeekPcmDecoder(&source->decoder, 0);
        return 0;
    }
    record->repeat_counter = 0;
    if (record->current_source + 1 < record->source_count) {
        ++record->current_source;
        record->byte_position = 0;
        SeekPcmDecoder(&record->sources[record->current_source].decoder, 0);
        return 0;
    }
    record->end_passed = 1;
    if (record->play_type == kPlayLoop) {
        record->current_source = 0;
        AddPendingJump(record, NextRingOffset(record, *lock), 0);
        record->byte_position = 0;
        SeekPcmDecoder(&record->sources[0].decoder, 0);
        return 0;
    }
    EndStreamData(record, lock, cursor);
    return -1;
}

void FillStreamSilence(const SoundRecord* record, StreamLock* lock, int count) {
    const int value = record->format.bits_per_sample == 8 ? 128 : 0;
    for (int area = 0; area < 2 && count > 0; ++area) {
        const int bytes = std::min(count, lock->free[area]);
        std::memset(AreaAt(lock, area), value, static_cast<std::size_t>(bytes));
        lock->written[area] += bytes;
        lock->free[area] -= bytes;
        count -= bytes;
    }
}

int FillFromStreamSource(StreamLock* lock, PcmDecoder* decoder, int count) {
    int total = 0;
    for (int area = 0; area < 2; ++area) {
        while (lock->free[area] > 0 && count > 0) {
            const int read =
                ReadPcmDecoder(decoder, AreaAt(lock, area), std::min(count, lock->free[area]));
            if (read <= 0) {
                return total;
            }
            lock->written[area] += read;
            lock->free[area] -= read;
            count -= read;
            total += read;
        }
    }
    return total;
}

void TrackStreamPlayPosition(int handle, std::int64_t cursor) {
    PlaybackBuffer* buffer = nullptr;
    SoundRecord* record = PrimedStream(handle, &buffer);
    std::uint32_t now = 0;
    if (record == nullptr) {
        return;
    }
    if (cursor >= 0) {
        now = static_cast<std::uint32_t>(cursor);
    } else if (GetPlaybackBufferCursor(*buffer, &now) != 0) {
        return;
    }
    const std::uint32_t before = record->last_cursor;
    if (now == before) {
        return;
    }
    const int ring = RingSize(record);
    int passed = 0;
    while (passed < record->jump_count && PassedInRing(record->jumps[passed].offset, before, now)) {
        ++passed;
    }
    if (passed > 0) {
        const PendingJump& last = record->jumps[passed - 1];
        record->played =
            static_cast<std::uint32_t>(last.target) + RingDistance(last.offset, now, ring);
        std::copy(record->jumps + passed, record->jumps + record->jump_count, record->jumps);
        record->jump_count -= passed;
    } else {
        record->played += RingDistance(before, now, ring);
    }
    record->last_cursor = now;
}

}  // namespace layer
