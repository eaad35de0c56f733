#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace game {

// The save-file cursor. Readers test before every field that it fits between the position
// and the end; a field that does not fit sets the sticky read-past-end flag and the read
// returns false. Writers write at the position, growing the block, and move the end along.
class SaveBuffer {
  public:
    static constexpr std::uint16_t kFirstLongStringVersion = 111;

    SaveBuffer() = default;
    // Reads the save data `block` from the start.
    explicit SaveBuffer(std::vector<std::uint8_t> block);

    bool ReadByte(std::uint8_t& value);
    bool ReadInt(std::int32_t& value);
    bool ReadBytes(void* out, std::size_t n);
    // A length counting the terminator (16-bit in saves below version 111, else 32-bit),
    // then the bytes; the text ends at the first NUL. A negative length (signed 16-bit or
    // 32-bit) fails as a short block.
    bool ReadString(std::string& text);
    // False, with the read-past-end flag set, for a negative count or one whose items of at
    // least itemBytes bytes each cannot fit before the end.
    bool CountFits(std::int64_t count, std::size_t itemBytes);

    void WriteByte(std::uint8_t value);
    void WriteInt(std::int32_t value);
    void WriteBytes(const void* bytes, std::size_t n);
    void WriteString(std::string_view text);

    const std::vector<std::uint8_t>& block() const { return block_; }
    std::size_t position() const { return position_; }
    void set_position(std::size_t position) { position_ = position; }
    std::size_t end() const { return end_; }
    std::size_t lastLength() const { return lastLength_; }
    bool readPastEnd() const { return readPastEnd_; }
    std::uint16_t version() const { return version_; }
    void set_version(std::uint16_t version) { version_ = version; }

  private:
    bool Fits(std::size_t n);
    std::uint8_t* WriteRoom(std::size_t n);

    std::vector<std::uint8_t> block_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    std::size_t lastLength_ = 0;
    bool readPastEnd_ = false;
    std::uint16_t version_ = kFirstLongStringVersion;
};

}  // namespace game
