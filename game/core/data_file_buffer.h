#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace game {

// A cursor over one data file image: reads advance through the image and never pass its
// end, writes go at the position and grow the image. A read that would pass the end, a
// negative count or a count the remaining bytes cannot hold marks the image damaged; from
// then on reads give 0 and empty texts and leave the position alone, so a reader can finish
// its walk and the loader refuses the whole result.
class DataFileBuffer {
  public:
    DataFileBuffer() = default;
    explicit DataFileBuffer(std::vector<std::uint8_t> image);

    // Makes a loaded file image the cursor's data; the position goes back to 0.
    void AttachDataFileImage(std::vector<std::uint8_t> image);

    std::uint8_t ReadDataByte();
    std::int8_t ReadDataSignedByte() { return static_cast<std::int8_t>(ReadDataByte()); }
    std::int32_t ReadDataInt();
    std::uint16_t ReadDataShort();
    // n bytes into `out`; false (and damaged) when they are not there.
    bool ReadDataBytes(void* out, std::size_t n);
    // A 32-bit length counting the terminator, then the bytes; the text ends at the first
    // NUL. A stored length of 0 gives an empty text.
    std::string ReadDataString();
    // A 32-bit count of items taking at least `item_size` bytes each: negative counts and
    // counts the rest of the image cannot hold mark the image damaged and give 0.
    std::int32_t ReadDataCount(std::size_t item_size);
    // Checks a count read some other way against the same rule.
    bool CountFits(std::int64_t count, std::size_t item_size);
    bool SkipDataBytes(std::size_t n);
    // Moves the cursor to an absolute offset inside the image (tables addressed by offset).
    bool SeekData(std::int64_t position);

    void WriteDataByte(std::uint8_t value);
    void WriteDataInt(std::int32_t value);
    void WriteDataShort(std::uint16_t value);
    void WriteDataBytes(const void* bytes, std::size_t n);
    // Length = text length + 1, then the text and its NUL.
    void WriteDataString(std::string_view text);

    int GetDataPosition() const { return static_cast<int>(position_); }
    std::size_t remaining() const { return data_.size() - position_; }
    bool damaged() const { return damaged_; }
    void MarkDamaged() { damaged_ = true; }

    const std::vector<std::uint8_t>& data() const { return data_; }
    std::vector<std::uint8_t>& data() { return data_; }
    std::vector<std::uint8_t> TakeData() { return std::move(data_); }

  private:
    // True when n more bytes can be read; else marks the image damaged.
    bool Has(std::size_t n);
    std::uint8_t* WriteRoom(std::size_t n);

    std::vector<std::uint8_t> data_;
    std::size_t position_ = 0;
    bool damaged_ = false;
};

}  // namespace game
