#include "layer/media/bmp_rle.h"

namespace layer {

namespace {

class RleWriter {
  public:
    explicit RleWriter(const RleTarget& target) : target_(target) {}

    bool Put(std::uint8_t value) {
        if (row_ >= target_.height || column_ >= target_.pitch) {
            return false;
        }
        const std::int64_t image_row = target_.bottom_up ? target_.height - 1 - row_ : row_;
        target_.pixels[image_row * target_.pitch + column_] = value;
        ++column_;
        return true;
    }
    void EndLine() {
        column_ = 0;
        ++row_;
    }
    void Move(int right, int down) {
        column_ += right;
        row_ += down;
    }

  private:
    const RleTarget& target_;
    std::int64_t column_ = 0;
    std::int64_t row_ = 0;
};

std::uint8_t Nibble(std::uint8_t byte, int index) {
    return index % 2 == 0 ? byte >> 4 : byte & 0xF;
}

}  // namespace

bool DecodeBmpRle(const std::uint8_t* data, std::size_t size, bool four_bit,
                  const RleTarget& target) {
    RleWriter writer(target);
    std::size_t at = 0;
    while (at + 2 <= size) {
        const int count = data[at];
        const std::uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                if (!writer.Put(four_bit ? Nibble(value, i) : value)) {
                    return false;
                }
            }
        } else if (value == 0) {
            writer.EndLine();
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (at + 2 > size) {
                return false;
            }
            writer.Move(data[at], data[at + 1]);
            at += 2;
        } else {
            const std::size_t bytes = four_bit ? (value + 1u) / 2 : value;
            if (at + bytes > size) {
                return false;
            }
            for (int i = 0; i < value; ++i) {
                const std::uint8_t pixel = four_bit ? Nibble(data[at + i / 2], i) : data[at + i];
                if (!writer.Put(pixel)) {
                    return false;
                }
            }
            at += bytes + bytes % 2;
        }
    }
    // The data ended before the end code.
    return false;
}

}  // namespace layer
