#pragma once

// Image files written by our own code at test time: BMP, TGA, BGRA and DDS assembled byte by
// byte, PNG and JPEG through the libraries' writers. The same code writes the fuzz seeds.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace test {

using Bytes = std::vector<std::uint8_t>;

struct Rgba {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;
    bool operator==(const Rgba&) const = default;
};

// A generated picture: rows top to bottom.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
    const Rgba& at(int x, int y) const { return pixels[y * width + x]; }
};

// Distinct opaque colours that survive 5-bit channels unchanged: every component is a
// multiple of 8 widened by bit repetition, so 5-bit reductions give them back exactly.
Picture SamplePicture(int width, int height);

// --- BMP ---
struct BmpSpec {
    int width = 0;
    int height = 0;  // negative: rows stored top to bottom
    int bit_count = 24;
    std::uint32_t compression = 0;
    std::vector<Rgba> palette;  // written as B, G, R, 0
    std::uint32_t colours_used = 0;
    bool write_masks = false;
    std::uint32_t masks[3] = {};
    Bytes data;  // the pixel data as stored
};
BmpSpec BmpLayout(int width, int height, int bit_count, std::uint32_t compression = 0);
Bytes MakeBmp(const BmpSpec& recipe);
// Stored rows (in the given height's order) of indices packed at 1, 2, 4 or 8 bits, padded to
// 4 bytes; `indices` are rows top to bottom.
Bytes PackIndexRows(const std::vector<std::uint8_t>& indices, int width, int height, int bits);
// Stored rows of 16-, 24- or 32-bit little-endian values from rows top to bottom.
Bytes PackValueRows(const std::vector<std::uint32_t>& values, int width, int height, int bytes);

// --- TGA ---
struct TgaSpec {
    int image_type = 2;
    Bytes id;
    int colour_map_type = 0;
    int map_first = 0;
    int map_length = 0;
    int map_entry_bits = 0;
    Bytes colour_map;
    int x_origin = 0;
    int y_origin = 0;
    int width = 0;
    int height = 0;
    int pixel_bits = 24;
    int descriptor = 0x20;
    Bytes data;
    bool footer = false;
    std::uint32_t extension_offset = 0;
};
Bytes MakeTga(const TgaSpec& recipe);
// Run-length packets of `value_bytes`-byte values: runs of equal values as repeat packets,
// everything else as literal packets.
Bytes TgaPackets(const Bytes& values, int value_bytes);

// --- BGRA ---
Bytes MakeBgra8(const Picture& picture);
Bytes MakeBgra16(int width, int height, const std::vector<std::uint16_t>& channels);

// --- DDS ---
struct DdsSpec {
    std::uint32_t flags = 0x1007;
    int width = 0;
    int height = 0;
    std::uint32_t pitch = 0;
    std::uint32_t mip_count = 0;
    std::uint32_t format_flags = 0;
    std::uint32_t four_cc = 0;
    std::uint32_t rgb_bits = 0;
    std::uint32_t masks[4] = {};
    std::uint32_t caps = 0x1000;
    Bytes data;
};
Bytes MakeDds(const DdsSpec& recipe);
std::uint32_t FourCc(const char* letters);
// One DXT colour part: two 5-6-5 end points and sixteen 2-bit indices in pixel order.
Bytes DxtColourBlock(std::uint16_t colour0, std::uint16_t colour1, const std::vector<int>& indices);

// --- PNG (through the library) ---
struct PngSpec {
    int width = 0;
    int height = 0;
    int bit_depth = 8;
    int colour_type = 2;
    bool interlaced = false;
    std::vector<Rgba> palette;
    Bytes transparency;  // tRNS bytes as stored
    Bytes rows;          // packed rows as the format stores them, top to bottom
};
PngSpec PngLayout(int width, int height, int bit_depth, int colour_type, bool interlaced = false);
Bytes MakePng(const PngSpec& recipe);
// An 8-bit RGBA PNG of a picture.
Bytes PngOf(const Picture& picture);

// --- JPEG (through the library) ---
// components 1 (grey), 3 (RGB) or 4 (CMYK); samples rows top to bottom.
Bytes MakeJpeg(int width, int height, int components, const Bytes& samples, int quality = 95);

// --- Damage ---
Bytes Truncated(const Bytes& bytes, std::size_t size);
Bytes BitFlipped(const Bytes& bytes, std::size_t offset, int bit);

// Every fixture kind once, by file name: the fuzz seeds.
std::vector<std::pair<std::string, Bytes>> SeedFiles();
// The seeds with their truncated and bit-flipped copies.
std::vector<std::pair<std::string, Bytes>> DamagedFiles();

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace test
