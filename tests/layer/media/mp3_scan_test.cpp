#include <gtest/gtest.h>

#include "layer/media/pcm_decoder.h"
#include "tests/layer/media/sound_files.h"
#include "tools/lib/mpeg_frames.h"

namespace test {
namespace {

// MPEG-1 Layer III, 128 kbit/s, 44,100 Hz, stereo: 144 × 128000 / 44100 = 417 bytes.
constexpr std::uint32_t kLayer3 = 0xFFFB9000;
constexpr int kLayer3Length = 417;

TEST(MpegFrameHeader, FieldsFollowTheStandardsTables) {
    struct Case {
        std::uint32_t header;
        int layer, bit_rate, frequency, channels, length, samples;
    };
    const Case cases[] = {
        {kLayer3, 3, 128000, 44100, 2, 417, 1152},
        {0xFFFB9200, 3, 128000, 44100, 2, 418, 1152},  // padded
        {0xFFF380C0, 3, 64000, 22050, 1, 208, 576},    // MPEG-2, single channel
        {0xFFFD1400, 2, 32000, 48000, 2, 96, 1152},    // MPEG-1 Layer II
        {0xFFFF1000, 1, 32000, 44100, 2, 32, 384},     // Layer I: (12 × 32000 / 44100) × 4
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bytes = tools::MpegFrame(c.header, 4);
        layer::MpegFrameHeader header;
        ASSERT_EQ(layer::ParseMpegFrameHeader(bytes.data(), &header), 0) << std::hex << c.header;
        EXPECT_EQ(header.layer, c.layer);
        EXPECT_EQ(header.bit_rate, c.bit_rate);
        EXPECT_EQ(header.sampling_frequency, c.frequency);
        EXPECT_EQ(header.channels, c.channels);
        EXPECT_EQ(header.frame_length, c.length) << std::hex << c.header;
        EXPECT_EQ(header.samples_per_frame, c.samples);
    }
    const std::pair<std::uint32_t, int> refused[] = {
        {0xFFF99000, -1},  // reserved layer
        {0xFFFBF000, -1},  // bit-rate index 15
        {0xFFFB9C00, -1},  // sampling-frequency index 3
        {0xFFFB0000, -1},  // free format: no length to scan by
        {0xFFE39000, -2},  // MPEG-2.5 is no sync
    };
    for (const auto& [value, result] : refused) {
        const std::vector<std::uint8_t> bytes = tools::MpegFrame(value, 4);
        layer::MpegFrameHeader header;
        EXPECT_EQ(layer::ParseMpegFrameHeader(bytes.data(), &header), result) << std::hex << value;
    }
}

SoundBytes Frames(int count) {
    SoundBytes frames;
    for (int i = 0; i < count; ++i) {
        tools::Append(frames, tools::MpegFrame(kLayer3, kLayer3Length));
    }
    return frames;
}

TEST(Mp3Scan, TheScanStartsAfterATagWithItsFooter) {
    SoundBytes file = tools::Id3v2Tag(4, 0x10, 30);
    // A stray sync that does not parse, where the footer stands: only skipping it keeps the
    // file.
    file[file.size() - 4] = 0xFF;
    file[file.size() - 3] = 0xF0;
    const int tag = static_cast<int>(file.size());
    EXPECT_EQ(tag, 10 + 30 + 10);
    tools::Append(file, Frames(3));
    OpenDecoder open(file);
    ASSERT_EQ(open.result(), 0);
    EXPECT_EQ(open.decoder().data_offset, tag);
    EXPECT_EQ(open.decoder().total_samples, 3 * 1152);
    EXPECT_EQ(layer::GetPcmDecoderLength(&open.decoder()), 3 * 1152 * 4);
}

TEST(Mp3Scan, TheLastFrameEndsWhereATrailingTagBegins) {
    SoundBytes file = Frames(2);
    tools::Append(file, SoundBytes(200, 0));
    file[2 * kLayer3Length] = 0xFF;
    file[2 * kLayer3Length + 1] = 0xFB;
    file[2 * kLayer3Length + 2] = 0x90;
    tools::Append(file, tools::Id3v1Tag());
    OpenDecoder open(file);
    ASSERT_EQ(open.result(), 0);
    EXPECT_EQ(open.decoder().data_size, 2 * kLayer3Length + 200);
    EXPECT_EQ(open.decoder().total_samples, 3 * 1152);
}

TEST(Mp3Scan, JunkBeforeTheFirstFrameIsPassedOverButAStrayHeaderRefuses) {
    SoundBytes junk(50, 0x11);
    junk[10] = 0xFF;
    junk[11] = 0x12;  // no sync: both bytes are passed over
    tools::Append(junk, Frames(2));
    OpenDecoder open(junk);
    ASSERT_EQ(open.result(), 0);
    EXPECT_EQ(open.decoder().data_offset, 50);

    SoundBytes stray = tools::MpegFrame(0xFFFBF000, 4);
    tools::Append(stray, Frames(2));
    EXPECT_EQ(OpenDecoder(stray).result(), -1);

    SoundBytes free_format = tools::MpegFrame(0xFFFB0000, 100);
    EXPECT_EQ(OpenDecoder(free_format).result(), -1);
    EXPECT_EQ(OpenDecoder(SoundBytes(300, 0x20)).result(), -1) << "no frame at all";
}

}  // namespace
}  // namespace test
