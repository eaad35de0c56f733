#pragma once

// The input of the picture fuzz target: a settings byte (bits 0-1: frames per update - 1,
// bit 2: 16-pixel tiles at zoom 2), then records of a kind byte, a count byte and that many
// little-endian ints. Kinds: 0 the picture command (150) with the text of table entry
// count >> 4 and its first count & 15 ints; 1, 2, 3, 4 the commands 151, 160, 161, 162; 5 a
// picture effect (first, last, kind, a, b, c, d); 6 the map (scroll x, scroll y, loop flags,
// width, height); 7 that many updates, each drawn. The seeds' writer builds scripts here.

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace test {

enum class PictureScriptKind : std::uint8_t {
    kPicture = 0,
    kScreenColour = 1,
    kConfigure = 2,
    kPrepare = 3,
    kExecute = 4,
    kEffect = 5,
    kMap = 6,
    kUpdates = 7,
};

// The texts a picture command can carry.
enum PictureScriptText : std::uint8_t {
    kImageText = 0,
    kEmptyText = 1,
    kErrorText = 2,
    kMissingText = 3,
    kCodedText = 4,
    kUndecodableText = 5,
};

class PictureScript {
  public:
    PictureScript(int framesPerUpdate, bool smallTiles)
        : bytes_{static_cast<std::uint8_t>((framesPerUpdate - 1) | (smallTiles ? 4 : 0))} {}

    PictureScript& Add(PictureScriptKind kind, std::initializer_list<std::int32_t> ints,
                       std::uint8_t text = 0) {
        bytes_.push_back(static_cast<std::uint8_t>(kind));
        bytes_.push_back(static_cast<std::uint8_t>(ints.size() | text << 4));
        for (const std::int32_t value : ints) {
            for (int shift = 0; shift < 32; shift += 8)
                bytes_.push_back(
                    static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
        }
        return *this;
    }
    PictureScript& Updates(std::uint8_t count) {
        bytes_.push_back(static_cast<std::uint8_t>(PictureScriptKind::kUpdates));
        bytes_.push_back(count);
        return *this;
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace test
