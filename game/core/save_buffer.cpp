#include "game/core/save_buffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace game {

SaveBuffer::SaveBuffer(std::vector<std::uint8_t> block)
    : block_(std::move(block)), end_(block_.size()) {}

bool SaveBuffer::Fits(std::size_t n) {
    if (readPastEnd_ || position_ > end_ || n > end_ - position_) {
        readPastEnd_ = true;
        return false;
    }
    lastLength_ = n;
    return true;
}

bool SaveBuffer::CountFits(std::int64_t count, std::size_t itemBytes) {
    const std::size_t left = position_ <= end_ ? end_ - position_ : 0;
    if (readPastEnd_ || count < 0 || static_cast<std::uint64_t>(count) * itemBytes > left) {
        readPastEnd_ = true;
        return false;
    }
    return true;
}

bool SaveBuffer::ReadByte(std::uint8_t& value) {
    if (!Fits(1))
        return false;
    value = block_[position_++];
    return true;
}

bool SaveBuffer::ReadInt(std::int32_t& value) {
    if (!Fits(4))
        return false;
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = bits << 8 | block_[position_ + static_cast<std::size_t>(i)];
    position_ += 4;
    value = static_cast<std::int32_t>(bits);
    return true;
}

bool SaveBuffer::ReadBytes(void* out, std::size_t n) {
    if (!Fits(n))
        return false;
    if (n > 0)
        std::memcpy(out, block_.data() + position_, n);
    position_ += n;
    return true;
}

bool SaveBuffer::ReadString(std::string& text) {
    std::int32_t stored = 0;
    if (version_ < kFirstLongStringVersion) {
        std::uint8_t bytes[2];
        if (!ReadBytes(bytes, 2))
            return false;
        stored = static_cast<std::int16_t>(bytes[0] | bytes[1] << 8);
    } else if (!ReadInt(stored)) {
        return false;
    }
    // A negative length is malformed and read as a block that ends here.
    if (stored < 0) {
        readPastEnd_ = true;
        return false;
    }
    const auto length = static_cast<std::size_t>(stored);
    if (!Fits(length))
        return false;
    const char* start = reinterpret_cast<const char*>(block_.data() + position_);
    position_ += length;
    text.assign(start, strnlen(start, length));
    return true;
}

std::uint8_t* SaveBuffer::WriteRoom(std::size_t n) {
    if (position_ + n > block_.size())
        block_.resize(position_ + n);
    std::uint8_t* room = block_.data() + position_;
    position_ += n;
    end_ = std::max(end_, position_);
    lastLength_ = n;
    return room;
}

void SaveBuffer::WriteByte(std::uint8_t value) {
    *WriteRoom(1) = value;
}

void SaveBuffer::WriteInt(std::int32_t value) {
    std::uint8_t* room = WriteRoom(4);
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        room[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void SaveBuffer::WriteBytes(const void* bytes, std::size_t n) {
    if (n > 0)
        std::memcpy(WriteRoom(n), bytes, n);
}

void SaveBuffer::WriteString(std::string_view text) {
    const std::size_t length = text.size() + 1;
    if (version_ < kFirstLongStringVersion) {
        const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(length),
                                       static_cast<std::uint8_t>(length >> 8)};
        WriteBytes(bytes, 2);
    } else {
        WriteInt(static_cast<std::int32_t>(length));
    }
    WriteBytes(text.data(), text.size());
    WriteByte(0);
}

}  // namespace game
