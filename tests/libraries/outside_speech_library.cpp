// A stand-in outside speech library for tests: a text becomes a WAV image of a 400 Hz tone,
// 8,000 samples a second, 100 ms a byte; an empty text fails. Each call is noted in a log.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string call_log;
constexpr int kRate = 8000;
constexpr int kSamplesPerByte = 800;

void Put(unsigned char* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

}  // namespace

extern "C" {

const char* TestSpeechCallLog() {
    return call_log.c_str();
}
void TestSpeechClearLog() {
    call_log.clear();
}

unsigned char* AquesTalk_Synthe(const char* text, int speed, int* size) {
    call_log += "Synthe(" + std::string(text) + "," + std::to_string(speed) + ");";
    const int samples = kSamplesPerByte * static_cast<int>(std::strlen(text));
    if (samples == 0) {
        return nullptr;
    }
    *size = 44 + 2 * samples;
    auto* image = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(*size)));
    std::memcpy(image, "RIFF", 4);
    Put(image + 4, static_cast<std::uint32_t>(*size - 8), 4);
    std::memcpy(image + 8, "WAVEfmt ", 8);
    Put(image + 16, 16, 4);
    Put(image + 20, 1, 2);
    Put(image + 22, 1, 2);
    Put(image + 24, kRate, 4);
    Put(image + 28, kRate * 2, 4);
    Put(image + 32, 2, 2);
    Put(image + 34, 16, 2);
    std::memcpy(image + 36, "data", 4);
    Put(image + 40, static_cast<std::uint32_t>(2 * samples), 4);
    for (int i = 0; i < samples; ++i) {
        const double value = std::sin(2 * 3.14159265358979 * 400 * i / kRate) * 12000;
        Put(image + 44 + 2 * i, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
    }
    return image;
}

void AquesTalk_FreeWave(unsigned char* wave) {
    call_log += "FreeWave;";
    std::free(wave);
}
}
