#include "layer/core/qva_key.h"

#include <cstring>

namespace layer {
namespace {

std::uint8_t SwapHalves(std::uint8_t b) {
    return static_cast<std::uint8_t>((b << 4) | (b >> 4));
}

using KeyStep = std::uint8_t (*)(std::uint8_t);

// One fixed transformation per key position.
constexpr KeyStep kKeySteps[kArchiveKeySize] = {
    [](std::uint8_t b) -> std::uint8_t { return ~b; },
    [](std::uint8_t b) -> std::uint8_t { return SwapHalves(b); },
    [](std::uint8_t b) -> std::uint8_t { return b ^ kArchiveKeyXor2; },
    [](std::uint8_t b) -> std::uint8_t { return ~SwapHalves(b); },
    [](std::uint8_t b) -> std::uint8_t { return ~b; },
    [](std::uint8_t b) -> std::uint8_t { return b ^ kArchiveKeyXor5; },
    [](std::uint8_t b) -> std::uint8_t { return ~b; },
    [](std::uint8_t b) -> std::uint8_t { return ~static_cast<std::uint8_t>((b >> 3) | (b << 5)); },
    [](std::uint8_t b) -> std::uint8_t { return static_cast<std::uint8_t>((b << 3) | (b >> 5)); },
    [](std::uint8_t b) -> std::uint8_t { return b ^ kArchiveKeyXor9; },
    [](std::uint8_t b) -> std::uint8_t { return SwapHalves(b) ^ kArchiveKeyXor10; },
    [](std::uint8_t b) -> std::uint8_t { return b ^ kArchiveKeyXor11; },
};

}  // namespace

ArchiveKey DeriveArchiveKey(const char* key_string) {
    ArchiveKey key;
    const std::size_t length = key_string != nullptr ? std::strlen(key_string) : 0;
    for (std::size_t i = 0; i < kArchiveKeySize; ++i) {
        const std::uint8_t source =
            length == 0 ? kArchiveKeyFillByte : static_cast<std::uint8_t>(key_string[i % length]);
        key[i] = kKeySteps[i](source);
    }
    return key;
}

ArchiveKey RetryArchiveKey() {
    ArchiveKey key;
    key.fill(kArchiveKeyRetryByte);
    return key;
}

void ApplyArchiveKey(std::size_t count, void* buffer, std::int64_t position,
                     const ArchiveKey& key) {
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::size_t k = static_cast<std::size_t>(position % static_cast<std::int64_t>(kArchiveKeySize));
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] ^= key[k];
        k = k + 1 == kArchiveKeySize ? 0 : k + 1;
    }
}

}  // namespace layer
