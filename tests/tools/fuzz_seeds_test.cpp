// The seeds of the data-file fuzz targets are written by our own writers. This test checks
// that the committed seeds are what the writers make today; QVARN_UPDATE_SEEDS=1 rewrites
// them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/core/common_event.h"
#include "game/core/game_info.h"
#include "game/core/game_ini.h"
#include "game/core/game_random.h"
#include "game/save/save_state.h"
#include "tests/fuzz/save_fuzz_game.h"
#include "tools/lib/command_list_builder.h"
#include "tools/lib/common_event_writer.h"
#include "tools/lib/database_writer.h"
#include "tools/lib/game_dat_writer.h"
#include "tools/lib/movie_clip_writer.h"
#include "tools/lib/mpeg_frames.h"
#include "tools/lib/ogg_writer.h"
#include "tools/lib/save_file_writer.h"
#include "tools/lib/smf_writer.h"
#include "tools/lib/sound_tones.h"
#include "tools/lib/theora_clip_writer.h"
#include "tools/lib/wav_writer.h"

namespace tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Seed {
    std::string target;
    std::string name;
    Bytes bytes;
};

game::CommonEvent SeedEvent(int number) {
    game::CommonEvent event;
    event.number = number;
    event.name = "seed";
    game::MoveRoute route;
    route.steps.push_back({3, {1, 2}, "go"});
    event.commands =
        CommandListBuilder().Add(101, {1}, {"\x95\x5C"}).AddRoute(201, {0}, route, 1).Build();
    event.selfVariableNames[0] = "self";
    return event;
}

game::DataBase SeedBase() {
    game::DataBase db;
    db.types.resize(2);
    db.typeDescs.resize(2);
    db.types[0].contentCodes = {1000, 2000};
    db.types[0].records = {{{5}, {"a"}}, {{6}, {"b"}}};
    db.types[1].nameSource = 2;
    db.typeDescs[0].contentNames = {"n", "s"};
    db.typeDescs[0].dataNames = {"x", "y"};
    db.typeDescs[0].contentDefaults = {3, 0};
    return db;
}

Bytes DataBasePair(const DataBaseFileOptions& options) {
    const Bytes dat = WriteDataBaseDat(SeedBase(), options);
    const Bytes project = WriteDataBaseProject(SeedBase(), options);
    Bytes pair;
    pair.reserve(4 + dat.size() + project.size());
    for (int i = 0; i < 4; ++i)
        pair.push_back(static_cast<std::uint8_t>(dat.size() >> (8 * i)));
    pair.insert(pair.end(), dat.begin(), dat.end());
    pair.insert(pair.end(), project.begin(), project.end());
    return pair;
}

// Saves of the fuzz game in several versions, plain and scrambled, one with recorded keys, and
// the damaged forms a load refuses: a flipped check byte, 200 bytes after the body, a file cut
// in half and another game's title.
std::vector<Seed> SaveFileSeeds() {
    game::SaveState state;
    state.variableStore.variableSets[0] = {1, -2, 3};
    state.variableStore.stringVariables = {"\x95\x5C"};
    state.mainInterpreter.PlaySeconds = 61;
    game::Picture picture(3);
    picture.IsStringPicture = 1;
    picture.Text.SourceText = "pic";
    state.pictureList.Pictures = {picture};
    state.changeableDataBase = fuzz::SaveFuzzDataBase();
    const std::vector<std::string> titles = game::TheGameInfo.gameStrings;
    game::TheGameInfo.gameStrings = {fuzz::kSaveFuzzTitle};
    // The variables' block saves the game random generator's state.
    game::GameRandomControl(static_cast<int>(game::RandomMode::kSet), 12345);
    const Bytes good = WriteSaveFileImage(state);
    Bytes checkFlipped = good;
    checkFlipped[2] ^= 1;
    Bytes trailing = good;
    trailing.insert(trailing.end(), 200, 0x55);
    std::vector<Seed> seeds = {
        {"save_file", "v111_scrambled.sav", good},
        {"save_file", "v111_plain.sav", WriteSaveFileImage(state, {111, {0, 0, 0}})},
        {"save_file", "v104_scrambled.sav", WriteSaveFileImage(state, {104, {0x21, 0x05, 0x40}})},
        {"save_file", "v96_plain.sav", WriteSaveFileImage(state, {96, {0, 0, 0}})},
        {"save_file", "replay.sav",
         PutReplayIntoSave(good, RecorderFromKeyScript("30 16\n250 0\n", 7))},
        {"save_file", "check_byte.sav", checkFlipped},
        {"save_file", "trailing_200.sav", trailing},
        {"save_file", "half.sav", Bytes(good.begin(), good.begin() + long(good.size() / 2))},
    };
    game::TheGameInfo.gameStrings = {"another game"};
    seeds.push_back({"save_file", "foreign_title.sav", WriteSaveFileImage(state)});
    game::TheGameInfo.gameStrings = titles;
    return seeds;
}

// Short tones in every coding the PCM decoder reads, header-only MPEG files around the MP3
// scanner's tags, and MIDI files of both types with tempo changes.
std::vector<Seed> SoundSeeds() {
    const PcmSound mono = SineTone(1, 8000, 440, 0.05, 0.5);
    const PcmSound stereo = SineTone(2, 11025, 330, 0.05, 0.5);
    WavOptions pcm8;
    pcm8.coding = WavCoding::kPcm8;
    WavOptions long_format;
    long_format.long_format = true;
    long_format.list_chunk_size = 7;
    WavOptions ima;
    ima.coding = WavCoding::kImaAdpcm;
    ima.block_align = 256;
    WavOptions ms;
    ms.coding = WavCoding::kMsAdpcm;
    ms.block_align = 256;
    WavOptions alaw;
    alaw.coding = WavCoding::kALaw;
    WavOptions mulaw;
    mulaw.coding = WavCoding::kMuLaw;
    constexpr std::uint32_t kLayer3 = 0xFFFB9000;
    constexpr int kLayer3Length = 417;
    Bytes frames;
    for (int frame = 0; frame < 3; ++frame)
        Append(frames, MpegFrame(kLayer3, kLayer3Length));
    Bytes tagged = Id3v2Tag(4, 0x10, 30);
    Append(tagged, frames);
    Append(tagged, Id3v1Tag());
    Bytes mpeg2 = MpegFrame(0xFFF380C0, 208);
    Append(mpeg2, MpegFrame(0xFFF380C0, 208));
    const MidiTrack notes = {ProgramChange(0, 0, 0), NoteOn(0, 0, 60, 90), NoteOff(90, 0, 60),
                             NoteOn(96, 0, 64, 90), NoteOff(186, 0, 64)};
    const MidiTrack tempo = {TempoChange(0, 500000), TempoChange(96, 250000)};
    return {
        {"pcm_decoder", "pcm16_mono.wav", WriteWav(mono)},
        {"pcm_decoder", "pcm8_stereo.wav", WriteWav(stereo, pcm8)},
        {"pcm_decoder", "pcm16_long_format.wav", WriteWav(stereo, long_format)},
        {"pcm_decoder", "ima_adpcm_stereo.wav", WriteWav(stereo, ima)},
        {"pcm_decoder", "ms_adpcm_mono.wav", WriteWav(mono, ms)},
        {"pcm_decoder", "alaw.wav", WriteWav(mono, alaw)},
        {"pcm_decoder", "mulaw.wav", WriteWav(stereo, mulaw)},
        {"pcm_decoder", "tone.ogg", WriteOggVorbis(stereo)},
        {"pcm_decoder", "frames.mp3", tagged},
        {"mp3_scan", "frames.mp3", frames},
        {"mp3_scan", "tagged.mp3", tagged},
        {"mp3_scan", "mpeg2.mp3", mpeg2},
        {"smf_tempo_map", "type0.mid", WriteSmf(0, 96, {notes})},
        {"smf_tempo_map", "type1_tempo.mid", WriteSmf(1, 96, {tempo, notes})},
        {"smf_tempo_map", "time_code.mid", WriteSmf(0, 0xE728, {notes})},
    };
}

std::vector<Seed> Seeds() {
    GameDatContents game_dat;
    game_dat.flags = {32, 8, 8, 1, 60, 1};
    game_dat.strings = {"title", "", "", "font"};
    game_dat.values16 = {1, 2};
    game_dat.key = "secret";
    game_dat.keyShift = 4000;
    const std::vector<game::CommonEvent> events = {SeedEvent(0), SeedEvent(5)};
    const std::string ini = game::FormatGameIni(0, 1, 2);
    std::vector<Seed> seeds = {
        {"game_dat", "plain.dat", WriteGameDat(game_dat, {0, 0, 0})},
        {"game_dat", "scrambled.dat", WriteGameDat(game_dat, {0, 8, 6})},
        {"common_event_data", "layout8e.dat", WriteCommonEventData(events, 0x8E, {0, 0, 0})},
        {"common_event_data", "layout90.dat", WriteCommonEventData(events, 0x90, {0, 0, 0})},
        {"common_event_data", "layout91.dat", WriteCommonEventData(events, 0x91, {2, 3, 4})},
        {"common_file", "layout8f.common", WriteCommonEventFile(events, 0x8F)},
        {"common_file", "layout91.common", WriteCommonEventFile(events, 0x91)},
        {"database_pair", "c0_count_only.bin",
         DataBasePair({0xC0, DBTypeLayout::kCountOnly, {0, 0, 0}})},
        {"database_pair", "c1_minus_one.bin",
         DataBasePair({0xC1, DBTypeLayout::kMinusOne, {0, 0, 0}})},
        {"database_pair", "c1_name_source.bin",
         DataBasePair({0xC1, DBTypeLayout::kWithNameSource, {7, 0, 1}})},
        {"game_ini", "written.ini", Bytes(ini.begin(), ini.end())},
    };
    for (const NamedBytes& clip : MovieClipSeeds()) {
        seeds.push_back({"movie_streams", clip.name, clip.bytes});
    }
    for (const NamedBytes& clip : TheoraClipSeeds()) {
        seeds.push_back({"theora_stream", clip.name, clip.bytes});
    }
    for (Seed& seed : SaveFileSeeds())
        seeds.push_back(std::move(seed));
    for (Seed& seed : SoundSeeds())
        seeds.push_back(std::move(seed));
    return seeds;
}

TEST(FuzzSeeds, AreWhatTheWritersMake) {
    const std::filesystem::path root = std::filesystem::path(QVARN_SOURCE_DIR) / "tests/fuzz/seeds";
    const char* update = std::getenv("QVARN_UPDATE_SEEDS");
    for (const Seed& seed : Seeds()) {
        const std::filesystem::path file = root / seed.target / seed.name;
        if (update != nullptr && std::string(update) == "1") {
            std::filesystem::create_directories(file.parent_path());
            std::ofstream(file, std::ios::binary)
                .write(reinterpret_cast<const char*>(seed.bytes.data()),
                       static_cast<std::streamsize>(seed.bytes.size()));
        }
        std::ifstream in(file, std::ios::binary);
        const Bytes committed((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
        EXPECT_EQ(committed, seed.bytes) << file;
    }
}

}  // namespace
}  // namespace tools
