// Files that exist but do not decode are named on standard error with what is wrong; files
// that decode are not. The bytes come from our own writers, whole or damaged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layer/core/layer_api.h"
#include "tests/layer/media/image_fixtures.h"
#include "tools/lib/mpeg_frames.h"
#include "tools/lib/ogg_writer.h"
#include "tools/lib/smf_writer.h"
#include "tools/lib/sound_tones.h"
#include "tools/lib/wav_writer.h"

namespace {

using test::Bytes;

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes Jpeg() {
    return test::MakeJpeg(8, 8, 1, Bytes(64, 0x80));
}

Bytes Tone() {
    return tools::WriteWav(tools::SineTone(1, 8000, 440, 0.1, 0.5));
}

Bytes Vorbis() {
    return tools::WriteOggVorbis(tools::SineTone(1, 22050, 440, 0.2, 0.5));
}

Bytes Midi() {
    return tools::WriteSmf(0, 96, {{tools::NoteOn(0, 0, 60, 100), tools::NoteOff(96, 0, 60)}});
}

// A two-track type 1 file whose header counts three tracks.
Bytes MidiMissingATrack() {
    Bytes midi = tools::WriteSmf(1, 96, {{tools::NoteOn(0, 0, 60, 100)}, {}});
    midi[11] = 3;
    return midi;
}

// The first event of the track is a data byte with no status before it.
Bytes MidiWithoutAStatus() {
    Bytes midi = Midi();
    midi[23] = 0x3C;
    return midi;
}

struct Case {
    const char* what;
    int kind;
    Bytes bytes;
    // The line printed after "Data\x: "; empty for a file that decodes.
    std::string reason;
};

TEST(UndecodableFiles, AreNamedWithWhatIsWrong) {
    const Bytes png = test::PngOf(test::SamplePicture(4, 4));
    const Bytes bmp = test::MakeBmp(test::BmpLayout(4, 4, 24));
    const Case cases[] = {
        {"whole PNG", layer::kImageFile, png, ""},
        {"whole JPEG", layer::kImageFile, Jpeg(), ""},
        {"empty image", layer::kImageFile, {}, "not a PNG, JPEG, BMP, TGA or DDS image"},
        {"text as image", layer::kImageFile, Text("hello"),
         "not a PNG, JPEG, BMP, TGA or DDS image"},
        {"cut PNG", layer::kImageFile, test::Truncated(png, 40),
         "a damaged or unsupported PNG image"},
        {"cut JPEG", layer::kImageFile, test::Truncated(Jpeg(), 4),
         "a damaged or unsupported JPEG image"},
        {"cut BMP", layer::kImageFile, test::Truncated(bmp, 20),
         "a damaged or unsupported BMP image"},
        {"whole WAV", layer::kSoundFile, Tone(), ""},
        {"whole Ogg", layer::kSoundFile, Vorbis(), ""},
        {"empty sound", layer::kSoundFile, {}, "not a WAV, Ogg Vorbis or MP3 sound"},
        {"image as sound", layer::kSoundFile, png, "not a WAV, Ogg Vorbis or MP3 sound"},
        {"cut WAV", layer::kSoundFile, test::Truncated(Tone(), 30),
         "a damaged or unsupported WAV sound"},
        {"cut Ogg", layer::kSoundFile, test::Truncated(Vorbis(), 100),
         "a damaged or unsupported Ogg Vorbis sound"},
        {"MP3 tag alone", layer::kSoundFile, tools::Id3v2Tag(3, 0, 0),
         "a damaged or unsupported MP3 sound"},
        {"whole MIDI", layer::kMidiFile, Midi(), ""},
        {"empty MIDI", layer::kMidiFile, {}, "not a MIDI file"},
        {"WAV as MIDI", layer::kMidiFile, Tone(), "not a MIDI file"},
        {"cut MIDI", layer::kMidiFile, test::Truncated(Midi(), Midi().size() - 3),
         "a damaged MIDI file"},
        {"MIDI missing a track", layer::kMidiFile, MidiMissingATrack(), "a damaged MIDI file"},
        {"MIDI event without status", layer::kMidiFile, MidiWithoutAStatus(),
         "a damaged MIDI file"},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        const int named = layer::NameUndecodableFile("Data\\x", c.kind, c.bytes.data(),
                                                     static_cast<int>(c.bytes.size()));
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(named, c.reason.empty() ? 0 : 1) << c.what;
        EXPECT_EQ(printed, c.reason.empty() ? "" : "Data\\x: " + c.reason + "\n") << c.what;
    }
}

}  // namespace
