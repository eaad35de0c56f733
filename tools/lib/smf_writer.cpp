#include "tools/lib/smf_writer.h"

#include <algorithm>

namespace tools {
namespace {

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) {
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    }
    out.push_back(groups[0]);
}

std::vector<std::uint8_t> TrackChunk(MidiTrack track) {
    std::stable_sort(track.begin(), track.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
    std::vector<std::uint8_t> body;
    std::uint32_t last = 0;
    for (const MidiEvent& event : track) {
        PutVariableLength(body, event.tick - last);
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
        last = event.tick;
    }
    PutVariableLength(body, 0);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> chunk{'M', 'T', 'r', 'k'};
    PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

}  // namespace

MidiEvent NoteOn(std::uint32_t tick, int channel, int key, int velocity) {
    return {tick,
            {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key),
             static_cast<std::uint8_t>(velocity)}};
}

MidiEvent NoteOff(std::uint32_t tick, int channel, int key) {
    return {tick, {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 64}};
}

MidiEvent ProgramChange(std::uint32_t tick, int channel, int program) {
    return {tick, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(program)}};
}

MidiEvent TempoChange(std::uint32_t tick, std::uint32_t microseconds) {
    MidiEvent event{tick, {0xFF, 0x51, 0x03}};
    PutBigEndian(event.bytes, microseconds, 3);
    return event;
}

std::vector<std::uint8_t> WriteSmf(int type, int division, const std::vector<MidiTrack>& tracks) {
    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6};
    PutBigEndian(file, static_cast<std::uint32_t>(type), 2);
    PutBigEndian(file, static_cast<std::uint32_t>(tracks.size()), 2);
    PutBigEndian(file, static_cast<std::uint32_t>(division), 2);
    for (const MidiTrack& track : tracks) {
        const std::vector<std::uint8_t> chunk = TrackChunk(track);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

}  // namespace tools
