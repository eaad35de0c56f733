#include "tools/lib/qva_lz_encode.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "layer/core/qva_format.h"

namespace tools {
namespace {

constexpr std::size_t kMinMatch = 4;
constexpr std::size_t kMaxMatch = 8191 + kMinMatch;
constexpr std::size_t kMaxDistance = std::size_t{1} << 24;
constexpr int kMaxChain = 48;
constexpr int kHashBits = 16;

std::uint8_t RarestByte(std::string_view data) {
    std::array<std::size_t, 256> counts{};
    for (const char c : data) {
        ++counts[static_cast<std::uint8_t>(c)];
    }
    std::size_t rarest = 0;
    for (std::size_t b = 1; b < counts.size(); ++b) {
        if (counts[b] < counts[rarest]) {
            rarest = b;
        }
    }
    return static_cast<std::uint8_t>(rarest);
}

std::uint32_t HashAt(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return (v * 2654435761u) >> (32 - kHashBits);
}

std::size_t DistanceBytes(std::size_t distance) {
    const std::size_t d = distance - 1;
    return d < 0x100 ? 1 : d < 0x10000 ? 2 : 3;
}

// Bytes a copy token takes.
std::size_t CopyCost(std::size_t length, std::size_t distance) {
    return 2 + (length - kMinMatch >= 32 ? 1 : 0) + DistanceBytes(distance);
}

void PutLe32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<char>(value >> (8 * i));
    }
}

class Encoder {
  public:
    explicit Encoder(std::string_view data)
        : in_(reinterpret_cast<const std::uint8_t*>(data.data())),
          size_(data.size()),
          escape_(RarestByte(data)),
          head_(std::size_t{1} << kHashBits, -1),
          previous_(data.size(), -1) {}

    std::string Run() {
        out_.assign(layer::kQvaLzHeaderSize, '\0');
        std::size_t at = 0;
        while (at < size_) {
            std::size_t distance = 0;
            const std::size_t length = LongestMatch(at, &distance);
            if (length >= kMinMatch && CopyCost(length, distance) < length) {
                EmitCopy(length, distance);
                for (std::size_t i = 0; i < length; ++i) {
                    Insert(at + i);
                }
                at += length;
            } else {
                EmitLiteral(in_[at]);
                Insert(at);
                ++at;
            }
        }
        PutLe32(out_, 0, static_cast<std::uint32_t>(size_));
        PutLe32(out_, 4, static_cast<std::uint32_t>(out_.size()));
        out_[8] = static_cast<char>(escape_);
        return std::move(out_);
    }

  private:
    void Insert(std::size_t at) {
        if (at + kMinMatch > size_) {
            return;
        }
        const std::uint32_t hash = HashAt(in_ + at);
        previous_[at] = head_[hash];
        head_[hash] = static_cast<std::int64_t>(at);
    }

    std::size_t LongestMatch(std::size_t at, std::size_t* distance) const {
        if (at + kMinMatch > size_) {
            return 0;
        }
        const std::size_t limit = std::min(kMaxMatch, size_ - at);
        std::size_t best = 0;
        std::int64_t candidate = head_[HashAt(in_ + at)];
        for (int depth = 0; candidate >= 0 && depth < kMaxChain; ++depth) {
            const auto from = static_cast<std::size_t>(candidate);
            if (at - from > kMaxDistance) {
                break;
            }
            std::size_t length = 0;
            while (length < limit && in_[from + length] == in_[at + length]) {
                ++length;
            }
            if (length > best) {
                best = length;
                *distance = at - from;
                if (length == limit) {
                    break;
                }
            }
            candidate = previous_[from];
        }
        return best;
    }

    void EmitLiteral(std::uint8_t byte) {
        if (byte == escape_) {
            out_.push_back(static_cast<char>(escape_));
        }
        out_.push_back(static_cast<char>(byte));
    }

    // The code byte: length bits 3-7, bit 2 when a further length byte follows, the distance
    // field's size in bits 0-1; it skips the escape's value so that it never reads as E E.
    void EmitCopy(std::size_t length, std::size_t distance) {
        const std::size_t extra = length - kMinMatch;
        const std::size_t distance_bytes = DistanceBytes(distance);
        const unsigned code = static_cast<unsigned>(((extra & 31) << 3) | (extra >= 32 ? 4 : 0) |
                                                    (distance_bytes - 1));
        out_.push_back(static_cast<char>(escape_));
        out_.push_back(static_cast<char>(code < escape_ ? code : code + 1));
        if (extra >= 32) {
            out_.push_back(static_cast<char>(extra >> 5));
        }
        const std::size_t d = distance - 1;
        for (std::size_t i = 0; i < distance_bytes; ++i) {
            out_.push_back(static_cast<char>(d >> (8 * i)));
        }
    }

    const std::uint8_t* in_;
    std::size_t size_;
    std::uint8_t escape_;
    std::vector<std::int64_t> head_;
    std::vector<std::int64_t> previous_;
    std::string out_;
};

}  // namespace

std::string EncodeQvaLz(std::string_view data) {
    return Encoder(data).Run();
}

}  // namespace tools
