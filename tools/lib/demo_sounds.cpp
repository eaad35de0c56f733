#include "tools/lib/demo_sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <utility>

#include "tools/lib/ogg_writer.h"
#include "tools/lib/smf_writer.h"
#include "tools/lib/sound_tones.h"
#include "tools/lib/wav_writer.h"

namespace tools {
namespace {

constexpr int kRate = 22050;
constexpr double kFullScale = 32767.0;
constexpr std::int32_t kNumberContent = 1000;
constexpr std::int32_t kTextContent = 2000;

constexpr char kTuneFile[] = "Tune.ogg";
constexpr char kLoopTuneFile[] = "Loop.mid";
constexpr char kRainFile[] = "Rain.wav";
constexpr char kDecideFile[] = "Decide.wav";
constexpr char kCursorFile[] = "Cursor.wav";
constexpr char kStepFile[] = "Step.wav";

// A sound file on disk, and as the sound lists name it.
DemoFile SoundFile(const char* name, std::vector<std::uint8_t> bytes) {
    return {"Data/Sound/" + std::string(name), std::move(bytes)};
}
std::string ListedName(const char* name) {
    return "Sound\\" + std::string(name);
}

void Append(PcmSound& sound, const PcmSound& part) {
    sound.samples.insert(sound.samples.end(), part.samples.begin(), part.samples.end());
}

// Eight notes of a major scale, a quarter second each, softened at both ends of each note.
PcmSound Tune() {
    constexpr int kSteps[] = {0, 2, 4, 5, 7, 5, 4, 2};
    PcmSound tune{1, kRate, {}};
    for (int step : kSteps) {
        PcmSound note = SineTone(1, kRate, 440.0 * std::pow(2.0, step / 12.0), 0.25, 0.3);
        const std::size_t frames = note.samples.size();
        for (std::size_t i = 0; i < frames; ++i) {
            const double edge = std::min(i, frames - 1 - i) / (0.02 * kRate);
            note.samples[i] = static_cast<std::int16_t>(note.samples[i] * std::min(edge, 1.0));
        }
        Append(tune, note);
    }
    return tune;
}

// Two seconds of soft noise whose level swells, from a fixed seed.
PcmSound Rain() {
    PcmSound rain{1, kRate, {}};
    std::uint32_t state = 12345;
    const int frames = 2 * kRate;
    for (int i = 0; i < frames; ++i) {
        state = state * 1664525u + 1013904223u;
        const double noise = static_cast<int>(state >> 16) / 32768.0 - 1.0;
        const double swell = 0.08 + 0.04 * std::sin(2 * std::numbers::pi * i / frames);
        rain.samples.push_back(static_cast<std::int16_t>(noise * swell * kFullScale));
    }
    return rain;
}

std::vector<std::uint8_t> LoopTune() {
    constexpr int kDivision = 96;
    constexpr int kKeys[] = {60, 64, 67, 72, 67, 64};
    MidiTrack track = {ProgramChange(0, 0, 0)};
    for (std::size_t n = 0; n < std::size(kKeys); ++n) {
        const auto tick = static_cast<std::uint32_t>(n * kDivision);
        track.push_back(NoteOn(tick, 0, kKeys[n], 90));
        track.push_back(NoteOff(tick + kDivision - 8, 0, kKeys[n]));
    }
    return WriteSmf(0, kDivision, {track});
}

game::DataBaseRecord Entry(const char* file, int volume, int tempo, int fourth) {
    return {{volume, tempo, fourth}, {ListedName(file)}};
}

}  // namespace

std::vector<DemoFile> DemoSoundFiles() {
    WavOptions rain;
    rain.coding = WavCoding::kImaAdpcm;
    rain.block_align = 512;
    WavOptions cursor;
    cursor.coding = WavCoding::kMuLaw;
    return {
        SoundFile(kTuneFile, WriteOggVorbis(Tune())),
        SoundFile(kLoopTuneFile, LoopTune()),
        SoundFile(kRainFile, WriteWav(Rain(), rain)),
        SoundFile(kDecideFile, WriteWav(SineTone(1, kRate, 880, 0.12, 0.4))),
        SoundFile(kCursorFile, WriteWav(SineTone(1, kRate, 660, 0.05, 0.3), cursor)),
        SoundFile(kStepFile, WriteWav(SineTone(1, kRate, 220, 0.06, 0.3))),
        {"Data/" + std::string(kDemoChimeFile), WriteWav(SineTone(1, kRate, 1320, 0.4, 0.3))},
    };
}

void AddDemoSoundLists(game::DataBase& db) {
    const std::vector<std::vector<game::DataBaseRecord>> lists = {
        {Entry(kTuneFile, 80, 0, kDemoTuneLoopMs), Entry(kLoopTuneFile, 0, 0, 0)},
        {Entry(kRainFile, 60, 0, 0)},
        {Entry(kDecideFile, 0, 0, 0), Entry(kCursorFile, 70, 0, 0), Entry(kStepFile, 60, 0, 0)},
    };
    for (std::size_t kind = 0; kind < lists.size(); ++kind) {
        game::DataBaseType& type = db.types[kind + 1];
        type.contentCodes = {kTextContent, kNumberContent, kNumberContent + 1, kNumberContent + 2};
        type.records.assign(lists[kind].begin(), lists[kind].end());
        game::DataBaseTypeDesc& desc = db.typeDescs[kind + 1];
        desc.dataNames.assign(lists[kind].size(), std::string());
        desc.contentNames.assign(4, std::string());
        desc.contentDefaults.assign(4, 0);
    }
}

}  // namespace tools
