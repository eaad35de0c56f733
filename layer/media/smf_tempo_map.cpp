#include "layer/media/smf_tempo_map.h"

#include <algorithm>
#include <cstring>

namespace layer {
namespace {

constexpr std::uint32_t kDefaultTempo = 500000;
constexpr int kHeaderBytes = 14;

struct Cursor {
    const std::uint8_t* at;
    const std::uint8_t* end;

    bool Has(std::size_t bytes) const { return static_cast<std::size_t>(end - at) >= bytes; }
    std::uint32_t Big(int bytes) {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            value = value << 8 | *at++;
        }
        return value;
    }
    // A variable-length number of at most 4 bytes; false past the end.
    bool Variable(std::uint32_t* value) {
        *value = 0;
        for (int i = 0; i < 4; ++i) {
            if (!Has(1)) {
                return false;
            }
            const std::uint8_t byte = *at++;
            *value = *value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0) {
                return true;
            }
        }
        return false;
    }
    bool Skip(std::uint32_t bytes) {
        if (!Has(bytes)) {
            return false;
        }
        at += bytes;
        return true;
    }
};

// Data bytes of a channel message by its high nibble.
int ChannelDataBytes(std::uint8_t status) {
    const int kind = status >> 4;
    return kind == 0xC || kind == 0xD ? 1 : 2;
}

void ReadTrack(Cursor track, std::vector<TempoChange>* changes) {
    std::uint32_t tick = 0;
    std::uint8_t running = 0;
    std::uint32_t delta = 0;
    while (track.Variable(&delta) && track.Has(1)) {
        tick += delta;
        std::uint8_t status = *track.at;
        if (status & 0x80) {
            ++track.at;
        } else if (running == 0) {
            return;
        } else {
            status = running;
        }
        std::uint32_t length = 0;
        if (status == 0xFF) {
            if (!track.Has(1)) {
                return;
            }
            const std::uint8_t type = *track.at++;
            if (!track.Variable(&length) || !track.Has(length)) {
                return;
            }
            if (type == 0x51 && length == 3) {
                const std::uint32_t microseconds = Cursor{track.at, track.end}.Big(3);
                if (microseconds > 0) {
                    changes->push_back({tick, microseconds});
                }
            }
            if (type == 0x2F) {
                return;
            }
            track.Skip(length);
        } else if (status == 0xF0 || status == 0xF7) {
            if (!track.Variable(&length) || !track.Skip(length)) {
                return;
            }
        } else if (status >= 0xF0) {
            return;
        } else {
            running = status;
            if (!track.Skip(static_cast<std::uint32_t>(ChannelDataBytes(status)))) {
                return;
            }
        }
    }
}

}  // namespace

bool ParseSmfTempoMap(const std::uint8_t* data, std::size_t size, SmfTempoMap* map) {
    Cursor file{data, data + size};
    if (!file.Has(kHeaderBytes) || std::memcmp(data, "MThd", 4) != 0) {
        return false;
    }
    file.at += 4;
    const std::uint32_t header_length = file.Big(4);
    if (header_length < 6 || !file.Has(header_length)) {
        return false;
    }
    file.Big(2);
    file.Big(2);
    const std::uint32_t division = file.Big(2);
    file.Skip(header_length - 6);
    *map = SmfTempoMap{};
    if ((division & 0x8000) != 0) {
        const int frames = 256 - static_cast<int>(division >> 8);
        map->ticks_per_second = static_cast<double>(frames) * (division & 0xFF);
    } else if (division == 0) {
        return false;
    } else {
        map->division = static_cast<int>(division);
    }
    while (file.Has(8)) {
        const bool is_track = std::memcmp(file.at, "MTrk", 4) == 0;
        file.at += 4;
        const std::uint32_t length = file.Big(4);
        const std::uint32_t present =
            std::min<std::uint32_t>(length, static_cast<std::uint32_t>(file.end - file.at));
        if (is_track) {
            ReadTrack(Cursor{file.at, file.at + present}, &map->changes);
        }
        file.at += present;
    }
    std::stable_sort(map->changes.begin(), map->changes.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    return true;
}

int SmfTickAtMilliseconds(const SmfTempoMap& map, int milliseconds) {
    const double target = std::max(milliseconds, 0) * 1000.0;
    if (map.division == 0) {
        return static_cast<int>(target / 1e6 * map.ticks_per_second);
    }
    double elapsed = 0;
    std::uint32_t tick = 0;
    std::uint32_t tempo = kDefaultTempo;
    for (const TempoChange& change : map.changes) {
        const double span = static_cast<double>(change.tick - tick) * tempo / map.division;
        if (elapsed + span > target) {
            break;
        }
        elapsed += span;
        tick = change.tick;
        tempo = change.microseconds;
    }
    const double ticks = tick + (target - elapsed) * map.division / tempo;
    return static_cast<int>(std::min(ticks, 2147483647.0));
}

}  // namespace layer
