#include "layer/media/smf_check.h"

#include <cstring>

namespace layer {
namespace {

constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::uint32_t kMinHeaderLength = 6;
constexpr std::uint32_t kMaxFormat = 2;
// The meta event after which a player reads nothing more of the track.
constexpr std::uint8_t kEndOfTrack = 0x2F;

struct Bytes {
    const std::uint8_t* at;
    const std::uint8_t* end;

    std::size_t Left() const { return static_cast<std::size_t>(end - at); }
    bool Take(std::size_t count) {
        if (Left() < count) {
            return false;
        }
        at += count;
        return true;
    }
    std::uint32_t Big(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            value = value << 8 | *at++;
        }
        return value;
    }
    // A variable-length number of at most 4 bytes.
    bool Variable(std::uint32_t* value) {
        *value = 0;
        for (int i = 0; i < 4 && Left() > 0; ++i) {
            const std::uint8_t byte = *at++;
            *value = *value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0) {
                return true;
            }
        }
        return false;
    }
};

std::size_t ChannelDataBytes(std::uint8_t status) {
    const int kind = status >> 4;
    return kind == 0xC || kind == 0xD ? 1 : 2;
}

bool IsWholeTrack(Bytes track) {
    std::uint8_t running = 0;
    while (track.Left() > 0) {
        std::uint32_t delta = 0;
        if (!track.Variable(&delta) || track.Left() == 0) {
            return false;
        }
        std::uint8_t status = *track.at;
        if ((status & 0x80) != 0) {
            ++track.at;
        } else if (running == 0) {
            return false;
        } else {
            status = running;
        }
        std::uint32_t length = 0;
        if (status == 0xFF) {
            if (track.Left() == 0) {
                return false;
            }
            const std::uint8_t type = *track.at++;
            if (!track.Variable(&length) || !track.Take(length)) {
                return false;
            }
            if (type == kEndOfTrack) {
                return true;
            }
        } else if (status == 0xF0 || status == 0xF7) {
            if (!track.Variable(&length) || !track.Take(length)) {
                return false;
            }
        } else if (status > 0xF0) {
            return false;
        } else {
            running = status;
            if (!track.Take(ChannelDataBytes(status))) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

bool IsWholeMidiFile(const std::uint8_t* data, std::size_t size) {
    Bytes file{data, data + size};
    if (size < kChunkHeaderBytes || std::memcmp(data, "MThd", 4) != 0) {
        return false;
    }
    file.at += 4;
    const std::uint32_t header_length = file.Big(4);
    if (header_length < kMinHeaderLength || file.Left() < header_length) {
        return false;
    }
    const std::uint32_t format = file.Big(2);
    std::uint32_t tracks = file.Big(2);
    const std::uint32_t division = file.Big(2);
    file.Take(header_length - kMinHeaderLength);
    if (format > kMaxFormat || tracks == 0 || division == 0) {
        return false;
    }
    while (tracks > 0) {
        if (file.Left() < kChunkHeaderBytes) {
            return false;
        }
        const bool is_track = std::memcmp(file.at, "MTrk", 4) == 0;
        file.at += 4;
        const std::uint32_t length = file.Big(4);
        if (file.Left() < length) {
            return false;
        }
        if (is_track) {
            if (!IsWholeTrack(Bytes{file.at, file.at + length})) {
                return false;
            }
            --tracks;
        }
        file.at += length;
    }
    return true;
}

}  // namespace layer
