#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace layer {

// Every byte of an archive file is stored XORed with key byte (file position mod 12). The
// constants below are this player's own: the reader and the packer share them, and archives
// made by other packers do not open.
constexpr std::size_t kArchiveKeySize = 12;
using ArchiveKey = std::array<std::uint8_t, kArchiveKeySize>;

// The key string's bytes when there is no key string (before the per-position steps).
constexpr std::uint8_t kArchiveKeyFillByte = 0xA5;
// An archive whose header does not un-key with the derived key is tried once more with every
// key byte set to this (no per-position steps).
constexpr std::uint8_t kArchiveKeyRetryByte = 0x5A;
// The XOR constants of the per-position steps at positions 2, 5, 9, 10 and 11.
constexpr std::uint8_t kArchiveKeyXor2 = 0x3C;
constexpr std::uint8_t kArchiveKeyXor5 = 0x96;
constexpr std::uint8_t kArchiveKeyXor9 = 0x5E;
constexpr std::uint8_t kArchiveKeyXor10 = 0xC3;
constexpr std::uint8_t kArchiveKeyXor11 = 0x71;

// The key of a key string (CP932 bytes, zero-terminated). Null or empty derives like no key
// string; a string longer than 12 bytes gives its first 12, a shorter one repeats.
ArchiveKey DeriveArchiveKey(const char* key_string);
// The fallback key: every byte the retry byte.
ArchiveKey RetryArchiveKey();
// XORs `count` bytes, the first of which lies at `position` in the file, with their key bytes.
void ApplyArchiveKey(std::size_t count, void* buffer, std::int64_t position, const ArchiveKey& key);

}  // namespace layer
