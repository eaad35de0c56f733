#include <gtest/gtest.h>

#include "layer/media/pcm_converter.h"
#include "layer/media/pcm_decoder.h"
#include "tests/layer/media/sound_files.h"
#include "tests/support/case_name.h"
#include "tools/lib/ogg_writer.h"
#include "tools/lib/wav_writer.h"

namespace test {
namespace {

using tools::WavCoding;

struct CodingCase {
    const char* name;
    int channels;
    int rate;
    tools::WavOptions options;
    // Largest root-mean-square difference from the tone (0: exact).
    double tolerance;
};

const CodingCase kCodingCases[] = {
    {"Pcm16Mono", 1, 44100, {WavCoding::kPcm16}, 0},
    {"Pcm16StereoLongFormat", 2, 22050, {WavCoding::kPcm16, true}, 0},
    {"Pcm8Mono", 1, 11025, {WavCoding::kPcm8}, 0},
    {"Pcm8StereoLongFormat", 2, 8000, {WavCoding::kPcm8, true}, 0},
    {"ImaAdpcmMono", 1, 22050, {WavCoding::kImaAdpcm, false, 512}, 600},
    {"ImaAdpcmStereo", 2, 44100, {WavCoding::kImaAdpcm, false, 2048}, 600},
    {"MsAdpcmMono", 1, 22050, {WavCoding::kMsAdpcm, false, 512}, 600},
    {"MsAdpcmStereo", 2, 44100, {WavCoding::kMsAdpcm, false, 1024}, 600},
    {"ALawMono", 1, 8000, {WavCoding::kALaw}, 200},
    {"MuLawStereo", 2, 8000, {WavCoding::kMuLaw}, 200},
};

class PcmCodings : public testing::TestWithParam<CodingCase> {};

TEST_P(PcmCodings, DecodeToTheirTones) {
    const CodingCase& c = GetParam();
    const tools::PcmSound tone = tools::SineTone(c.channels, c.rate, 440, 0.5, 0.5);
    const DecodedSound decoded = DecodeWhole(tools::WriteWav(tone, c.options));
    ASSERT_EQ(decoded.result, 0);
    const bool eight_bit = c.options.coding == WavCoding::kPcm8;
    EXPECT_EQ(decoded.format.format_tag, 1);
    EXPECT_EQ(decoded.format.channels, c.channels);
    EXPECT_EQ(decoded.format.samples_per_second, static_cast<std::uint32_t>(c.rate));
    EXPECT_EQ(decoded.format.bits_per_sample, eight_bit ? 8 : 16);
    EXPECT_EQ(decoded.format.extra_size, 0);
    std::vector<std::int16_t> samples = decoded.Samples();
    if (eight_bit) {
        // The writer keeps the high byte of each sample.
        samples.clear();
        std::vector<std::int16_t> expected;
        for (std::size_t i = 0; i < decoded.pcm.size(); ++i) {
            samples.push_back(static_cast<std::int16_t>((decoded.pcm[i] - 128) * 256));
            expected.push_back(static_cast<std::int16_t>((tone.samples[i] >> 8) * 256));
        }
        EXPECT_EQ(samples, expected);
        return;
    }
    ASSERT_GE(samples.size(), tone.samples.size());
    EXPECT_LE(RmsDifference(samples, tone.samples), c.tolerance);
    if (c.tolerance == 0) {
        EXPECT_EQ(samples, tone.samples);
    }
}

INSTANTIATE_TEST_SUITE_P(Tones, PcmCodings, testing::ValuesIn(kCodingCases),
                         [](const auto& info) { return std::string(info.param.name); });

class CompressedCodings : public testing::TestWithParam<CodingCase> {};

// Our decoders give what sox gives for the same files, sample for sample.
TEST_P(CompressedCodings, DecodeAsSoxDoes) {
    const CodingCase& c = GetParam();
    const tools::PcmSound tone = tools::SineTone(c.channels, c.rate, 523, 0.3, 0.7);
    const SoundBytes file = tools::WriteWav(tone, c.options);
    const std::vector<std::int16_t> sox = DecodeWithSox(file, "wav");
    ASSERT_FALSE(sox.empty());
    const std::vector<std::int16_t> ours = DecodeWhole(file).Samples();
    ASSERT_GE(ours.size(), sox.size());
    EXPECT_EQ(std::vector<std::int16_t>(ours.begin(), ours.begin() + static_cast<long>(sox.size())),
              sox);
}

INSTANTIATE_TEST_SUITE_P(Sox, CompressedCodings,
                         testing::ValuesIn(kCodingCases + 4, std::end(kCodingCases)),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PcmDecoder, OggVorbisDecodesToItsLengthAndPitch) {
    for (const int channels : {1, 2}) {
        const tools::PcmSound tone = tools::SineTone(channels, 32000, 500, 1.0, 0.5);
        const DecodedSound decoded = DecodeWhole(tools::WriteOggVorbis(tone));
        ASSERT_EQ(decoded.result, 0);
        EXPECT_EQ(decoded.format.channels, channels);
        EXPECT_EQ(decoded.format.samples_per_second, 32000u);
        EXPECT_EQ(decoded.pcm.size(), tone.samples.size() * 2);
        EXPECT_LT(RmsDifference(decoded.Samples(), tone.samples), 600);
    }
}

TEST(PcmDecoder, Mp3FromLameDecodesToTheScannedLength) {
    for (const int channels : {1, 2}) {
        const tools::PcmSound tone = tools::SineTone(channels, 44100, 600, 1.0, 0.5);
        const SoundBytes mp3 = EncodeWithLame(tone, 128);
        ASSERT_FALSE(mp3.empty());
        OpenDecoder open(mp3);
        ASSERT_EQ(open.result(), 0);
        const int length = layer::GetPcmDecoderLength(&open.decoder());
        EXPECT_EQ(length % (1152 * 2 * channels), 0) << "whole frames";
        EXPECT_GE(length, static_cast<int>(tone.samples.size()) * 2);
        const DecodedSound decoded = DecodeWhole(mp3);
        ASSERT_EQ(decoded.result, 0);
        EXPECT_EQ(static_cast<int>(decoded.pcm.size()), length);
        const std::vector<std::int16_t> samples = decoded.Samples();
        EXPECT_NEAR(tools::MeasurePitch(samples, channels, 44100, 44100 / 4, 44100 / 2), 600, 5);
    }
}

TEST(PcmDecoder, APcmFileIsTakenByThePcmReader) {
    OpenDecoder open(tools::WriteWav(tools::SineTone(1, 8000, 400, 0.1, 0.5)));
    ASSERT_EQ(open.result(), 0);
    EXPECT_EQ(open.decoder().kind, layer::kPcmDecoderPcm);
}

TEST(PcmDecoder, AnOddListChunkBeforeTheDataIsSkippedRoundedUp) {
    const tools::PcmSound tone = tools::SineTone(1, 8000, 400, 0.1, 0.5);
    tools::WavOptions options;
    options.list_chunk_size = 7;
    EXPECT_EQ(DecodeWhole(tools::WriteWav(tone, options)).Samples(), tone.samples);
}

TEST(PcmDecoder, RefusesWhatNoBufferCanPlayOrNoReaderKnows) {
    const std::vector<std::uint8_t> data(64, 0);
    // 18-byte chunks: a 16-byte PCM chunk takes its bits from the block align.
    const auto format = [](int tag, int channels, int rate, int align, int bits) {
        std::vector<std::uint8_t> chunk;
        tools::PutU16(chunk, static_cast<unsigned>(tag));
        tools::PutU16(chunk, static_cast<unsigned>(channels));
        tools::PutU32(chunk, static_cast<std::uint32_t>(rate));
        tools::PutU32(chunk, static_cast<std::uint32_t>(rate * align));
        tools::PutU16(chunk, static_cast<unsigned>(align));
        tools::PutU16(chunk, static_cast<unsigned>(bits));
        tools::PutU16(chunk, 0);
        return chunk;
    };
    const std::pair<const char*, std::vector<std::uint8_t>> refused[] = {
        {"three channels", format(1, 3, 8000, 6, 16)},
        {"24 bits", format(1, 1, 8000, 3, 24)},
        {"rate 0", format(1, 1, 0, 2, 16)},
        {"block align not channels x bits / 8", format(1, 2, 8000, 2, 16)},
        {"unknown tag", format(0x1234, 1, 8000, 2, 16)},
        {"IMA ADPCM of one channel byte too few", format(0x11, 1, 8000, 4, 4)},
        {"MS ADPCM without coefficients", format(2, 1, 8000, 256, 4)},
    };
    for (const auto& [name, chunk] : refused) {
        EXPECT_EQ(DecodeWhole(tools::WriteRawWav(chunk, data)).result, -1) << name;
    }
    SoundBytes moved = tools::WriteWav(tools::SineTone(1, 8000, 400, 0.1, 0.5));
    // "fmt " after another chunk: neither WAV reader takes it, nor the others.
    std::swap_ranges(moved.begin() + 12, moved.begin() + 16, moved.begin() + 36);
    EXPECT_EQ(DecodeWhole(moved).result, -1);
}

TEST(PcmDecoder, DataSizesBeyondTheFileAreCutToIt) {
    const tools::PcmSound tone = tools::SineTone(2, 8000, 400, 0.1, 0.5);
    SoundBytes file = tools::WriteWav(tone);
    file[40] = file[41] = file[42] = 0xFF;
    file[43] = 0x7F;
    EXPECT_EQ(DecodeWhole(file).Samples(), tone.samples);
    file[43] = 0xFF;
    EXPECT_EQ(DecodeWhole(file).result, -1) << "a size over 2^31 - 1";
}

TEST(PcmDecoder, SeeksOfAFewBytesAreSkippedAndReadsStopAtTheEnd) {
    const tools::PcmSound tone = tools::SineTone(2, 8000, 400, 0.01, 0.5);
    OpenDecoder open(tools::WriteWav(tone));
    layer::PcmDecoder& decoder = open.decoder();
    open.Read(40);
    for (const auto& [sample, position] :
         {std::pair{10, 40}, std::pair{11, 40}, std::pair{14, 56}, std::pair{0, 0}}) {
        layer::SeekPcmDecoder(&decoder, sample);
        EXPECT_EQ(decoder.position, position) << sample;
    }
    const int total = static_cast<int>(tone.samples.size()) * 2;
    EXPECT_EQ(static_cast<int>(open.Read(total + 100).size()), total);
    EXPECT_TRUE(open.Read(10).empty());
    EXPECT_TRUE(open.Read(10).empty()) << "until a seek";
    layer::SeekPcmDecoder(&decoder, 20);
    EXPECT_EQ(open.Read(4).size(), 4u);
}

TEST(PcmDecoder, ABackwardAdpcmSeekGivesWhatAFreshDecodeGives) {
    const tools::PcmSound tone = tools::SineTone(2, 44100, 330, 3.0, 0.6);
    for (const WavCoding coding : {WavCoding::kImaAdpcm, WavCoding::kMsAdpcm}) {
        const SoundBytes file = tools::WriteWav(tone, {coding, false, 1024});
        const std::vector<std::uint8_t> fresh = DecodeWhole(file).pcm;
        const int loop_sample = 44100;
        for (const int spare_target : {0, loop_sample * 4}) {
            OpenDecoder open(file);
            open.decoder().spare_target = spare_target;
            open.Read(44100 * 4 * 2 + 123 * 4);
            layer::SeekPcmDecoder(&open.decoder(), loop_sample);
            const std::vector<std::uint8_t> again = open.Read(20000);
            EXPECT_TRUE(std::equal(again.begin(), again.end(), fresh.begin() + loop_sample * 4))
                << static_cast<int>(coding) << " spare target " << spare_target;
        }
    }
}

TEST(PcmDecoder, AdpcmBlocksLongerThanAConversionStillConvert) {
    const tools::PcmSound tone = tools::SineTone(1, 8000, 400, 1.0, 0.5);
    const DecodedSound decoded =
        DecodeWhole(tools::WriteWav(tone, {WavCoding::kImaAdpcm, false, 4096}));
    ASSERT_EQ(decoded.result, 0);
    EXPECT_LE(RmsDifference(decoded.Samples(), tone.samples), 600);
}

}  // namespace
}  // namespace test
