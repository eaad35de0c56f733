#include "game/core/data_file_buffer.h"

#include <cstring>
#include <utility>

namespace game {

DataFileBuffer::DataFileBuffer(std::vector<std::uint8_t> image) : data_(std::move(image)) {}

void DataFileBuffer::AttachDataFileImage(std::vector<std::uint8_t> image) {
    data_ = std::move(image);
    position_ = 0;
    damaged_ = false;
}

bool DataFileBuffer::Has(std::size_t n) {
    if (damaged_)
        return false;
    if (n > remaining()) {
        damaged_ = true;
        return false;
    }
    return true;
}

std::uint8_t DataFileBuffer::ReadDataByte() {
    if (!Has(1))
        return 0;
    return data_[position_++];
}

std::uint16_t DataFileBuffer::ReadDataShort() {
    if (!Has(2))
        return 0;
    const std::uint16_t value =
        static_cast<std::uint16_t>(data_[position_] | data_[position_ + 1] << 8);
    position_ += 2;
    return value;
}

std::int32_t DataFileBuffer::ReadDataInt() {
    if (!Has(4))
        return 0;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | data_[position_ + i];
    position_ += 4;
    return static_cast<std::int32_t>(value);
}

bool DataFileBuffer::ReadDataBytes(void* out, std::size_t n) {
    if (!Has(n))
        return false;
    if (n > 0)
        std::memcpy(out, data_.data() + position_, n);
    position_ += n;
    return true;
}

std::string DataFileBuffer::ReadDataString() {
    const std::int32_t length = ReadDataInt();
    if (length < 0)
        damaged_ = true;
    if (length <= 0 || !Has(static_cast<std::size_t>(length)))
        return {};
    const char* start = reinterpret_cast<const char*>(data_.data() + position_);
    position_ += static_cast<std::size_t>(length);
    const void* terminator = std::memchr(start, 0, static_cast<std::size_t>(length));
    const std::size_t text_length =
        terminator != nullptr
            ? static_cast<std::size_t>(static_cast<const char*>(terminator) - start)
            : static_cast<std::size_t>(length);
    return std::string(start, text_length);
}

bool DataFileBuffer::CountFits(std::int64_t count, std::size_t item_size) {
    if (damaged_)
        return false;
    if (count < 0 || static_cast<std::uint64_t>(count) * item_size > remaining()) {
        damaged_ = true;
        return false;
    }
    return true;
}

std::int32_t DataFileBuffer::ReadDataCount(std::size_t item_size) {
    const std::int32_t count = ReadDataInt();
    return CountFits(count, item_size) ? count : 0;
}

bool DataFileBuffer::SkipDataBytes(std::size_t n) {
    if (!Has(n))
        return false;
    position_ += n;
    return true;
}

bool DataFileBuffer::SeekData(std::int64_t position) {
    if (damaged_)
        return false;
    if (position < 0 || static_cast<std::uint64_t>(position) > data_.size()) {
        damaged_ = true;
        return false;
    }
    position_ = static_cast<std::size_t>(position);
    return true;
}

std::uint8_t* DataFileBuffer::WriteRoom(std::size_t n) {
    if (position_ + n > data_.size())
        data_.resize(position_ + n);
    std::uint8_t* room = data_.data() + position_;
    position_ += n;
    return room;
}

void DataFileBuffer::WriteDataByte(std::uint8_t value) {
    *WriteRoom(1) = value;
}

void DataFileBuffer::WriteDataShort(std::uint16_t value) {
    std::uint8_t* room = WriteRoom(2);
    room[0] = static_cast<std::uint8_t>(value);
    room[1] = static_cast<std::uint8_t>(value >> 8);
}

void DataFileBuffer::WriteDataInt(std::int32_t value) {
    std::uint8_t* room = WriteRoom(4);
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        room[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void DataFileBuffer::WriteDataBytes(const void* bytes, std::size_t n) {
    if (n > 0)
        std::memcpy(WriteRoom(n), bytes, n);
}

void DataFileBuffer::WriteDataString(std::string_view text) {
    WriteDataInt(static_cast<std::int32_t>(text.size() + 1));
    WriteDataBytes(text.data(), text.size());
    WriteDataByte(0);
}

}  // namespace game
