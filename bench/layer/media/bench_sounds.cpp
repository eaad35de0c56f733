// Goals for sound, as "x real time" (seconds of sound made per second of work): mixing 32
// sounds playing at once into 44,100 Hz stereo takes at most 2 % of one core, 50 times real
// time or more; Ogg Vorbis decodes at 100 times real time or more.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "layer/core/stream_functions.h"
#include "layer/core/tracked_memory.h"
#include "layer/media/pcm_decoder.h"
#include "platform/audio/audio_mixer.h"
#include "tools/lib/ogg_writer.h"
#include "tools/lib/sound_tones.h"

namespace {

constexpr int kVoices = 32;
constexpr int kDeviceFrames = 1024;
constexpr double kToneSeconds = 2.0;

// A looping buffer holding a tone of the format, at its own volume and frequency.
void AddVoice(platform::AudioMixer& mixer, int index) {
    const platform::PcmFormat format{1 + index % 2, index % 4 == 3 ? 8 : 16,
                                     index % 3 == 0 ? 44100 : 22050};
    const tools::PcmSound tone =
        tools::SineTone(format.channels, format.rate, 200.0 + 30.0 * index, kToneSeconds, 0.05);
    const auto bytes = static_cast<std::uint32_t>(tone.samples.size()) * format.bits / 8;
    const int buffer = mixer.CreateBuffer(format, bytes);
    platform::AudioLock lock;
    mixer.Lock(buffer, 0, bytes, &lock);
    auto* out = static_cast<std::uint8_t*>(lock.first);
    for (std::size_t i = 0; i < tone.samples.size(); ++i) {
        if (format.bits == 8)
            out[i] = static_cast<std::uint8_t>((tone.samples[i] >> 8) + 128);
        else
            std::memcpy(out + 2 * i, &tone.samples[i], 2);
    }
    mixer.Unlock(buffer, lock);
    mixer.SetVolume(buffer, -100 * (index % 10));
    mixer.SetFrequency(buffer, index % 5 == 0 ? format.rate * 9 / 8 : 0);
    mixer.Play(buffer, true);
}

void MixThirtyTwoSounds(benchmark::State& state) {
    platform::AudioMixer mixer;
    for (int index = 0; index < kVoices; ++index)
        AddVoice(mixer, index);
    std::vector<std::int16_t> out(static_cast<std::size_t>(kDeviceFrames) * platform::kMixChannels);
    for (auto _ : state) {
        mixer.Render(out.data(), kDeviceFrames);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["x real time"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kDeviceFrames / platform::kMixRate,
        benchmark::Counter::kIsRate);
}
BENCHMARK(MixThirtyTwoSounds);

// Ten seconds of a 44,100 Hz stereo tune decoded whole from its Ogg Vorbis image.
void DecodeOggVorbis(benchmark::State& state) {
    constexpr double kSeconds = 10.0;
    tools::PcmSound tune = tools::SineTone(2, 44100, 440.0, kSeconds, 0.3);
    const tools::PcmSound overtone = tools::SineTone(2, 44100, 1320.0, kSeconds, 0.1);
    for (std::size_t i = 0; i < tune.samples.size(); ++i)
        tune.samples[i] = static_cast<std::int16_t>(tune.samples[i] + overtone.samples[i]);
    const std::vector<std::uint8_t> image = tools::WriteOggVorbis(tune);
    for (auto _ : state) {
        const layer::StreamValue stream =
            layer::OpenMemoryStream(image.data(), static_cast<std::int64_t>(image.size()));
        layer::PcmDecoder decoder;
        if (layer::OpenPcmDecoder(layer::BoundStream{*layer::GetMemoryStreamFunctions(), stream},
                                  &decoder) != 0) {
            state.SkipWithError("the Ogg Vorbis image did not open");
            break;
        }
        layer::WaveFormat format;
        std::uint8_t* pcm = nullptr;
        int size = 0;
        layer::DecodeWholePcm(&decoder, &format, &pcm, &size);
        benchmark::DoNotOptimize(pcm);
        layer::FreeTracked(pcm);
        layer::ClosePcmDecoder(&decoder);
        layer::CloseMemoryStream(stream);
    }
    state.counters["x real time"] = benchmark::Counter(
        kSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(DecodeOggVorbis)->Unit(benchmark::kMillisecond);

}  // namespace
