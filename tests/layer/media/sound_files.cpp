#include "tests/layer/media/sound_files.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "layer/core/stream_functions.h"
#include "layer/core/tracked_memory.h"
#include "tests/support/temp_tree.h"
#include "tools/lib/wav_writer.h"

namespace test {
namespace {

SoundBytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return SoundBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

std::vector<std::int16_t> DecodedSound::Samples() const {
    std::vector<std::int16_t> samples(pcm.size() / 2);
    std::memcpy(samples.data(), pcm.data(), samples.size() * 2);
    return samples;
}

DecodedSound DecodeWhole(const SoundBytes& image) {
    DecodedSound decoded;
    OpenDecoder open(image);
    decoded.result = open.result();
    if (decoded.result != 0) {
        return decoded;
    }
    std::uint8_t* pcm = nullptr;
    int size = 0;
    decoded.result = layer::DecodeWholePcm(&open.decoder(), &decoded.format, &pcm, &size);
    if (decoded.result == 0) {
        decoded.pcm.assign(pcm, pcm + size);
        layer::FreeTracked(pcm);
    }
    return decoded;
}

OpenDecoder::OpenDecoder(const SoundBytes& image) : image_(image) {
    stream_ = layer::OpenMemoryStream(image_.data(), static_cast<std::int64_t>(image_.size()));
    result_ = layer::OpenPcmDecoder(layer::BoundStream{*layer::GetMemoryStreamFunctions(), stream_},
                                    &decoder_);
}

OpenDecoder::~OpenDecoder() {
    layer::ClosePcmDecoder(&decoder_);
    layer::CloseMemoryStream(stream_);
}

std::vector<std::uint8_t> OpenDecoder::Read(int count) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    const int read = layer::ReadPcmDecoder(&decoder_, bytes.data(), count);
    bytes.resize(static_cast<std::size_t>(std::max(read, 0)));
    return bytes;
}

std::vector<std::int16_t> DecodeWithSox(const SoundBytes& file, const std::string& type) {
    const TempTree tree;
    const std::filesystem::path in =
        tree.write("in." + type, std::string(file.begin(), file.end()));
    const std::filesystem::path out = tree.path("out.raw");
    if (!Run("sox " + in.string() + " -t raw -e signed-integer -b 16 " + out.string())) {
        return {};
    }
    const SoundBytes raw = ReadFileBytes(out);
    std::vector<std::int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    return samples;
}

SoundBytes EncodeWithLame(const tools::PcmSound& sound, int kilobits) {
    const TempTree tree;
    const SoundBytes wav = tools::WriteWav(sound);
    const std::filesystem::path in = tree.write("in.wav", std::string(wav.begin(), wav.end()));
    const std::filesystem::path out = tree.path("out.mp3");
    if (!Run("lame --quiet --cbr -b " + std::to_string(kilobits) + " " + in.string() + " " +
             out.string())) {
        return {};
    }
    return ReadFileBytes(out);
}

double RmsDifference(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b) {
    const std::size_t count = std::min(a.size(), b.size());
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double difference = static_cast<double>(a[i]) - b[i];
        sum += difference * difference;
    }
    return count == 0 ? 0 : std::sqrt(sum / static_cast<double>(count));
}

}  // namespace test
